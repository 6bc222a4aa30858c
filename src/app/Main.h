#pragma once
// The main window: user selector, view buttons, menus, the client panel that hosts one view.

#include "pdb/Pdb.h"

#include <QMainWindow>
#include <memory>

class ListGrid;
class ViewFrame;

class TfMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfMain(QWidget* parent = nullptr);
    ~TfMain() override;

    QWidget* pMain = nullptr;
    ViewFrame* ActiveFrame = nullptr;
    ListGrid* ActiveGrid = nullptr;
    int ActiveView = 0;
    char RootDir[260]{};

    void setCaption(const QString& text) { setWindowTitle(text); }

private:
    std::unique_ptr<cPDB> money_, payment_, types_, currency_;
};
