#pragma once
// Base of the four view frames. A frame builds its list when the input focus enters it from
// outside (FrameEnter); focus moving between its own children does not count.

#include <QFrame>

class ListGrid;

// The window that shows one view frame at a time. Frames register their grid and caption with
// it; the export dialog asks it for the list shown and the view it belongs to. There is at most
// one (the main window); without one, registering does nothing.
class ViewHost {
public:
    virtual ~ViewHost() = default;
    virtual void registerGrid(ListGrid* grid) = 0;
    virtual void showCaption(const QString& caption) = 0;
    virtual ListGrid* shownGrid() const = 0;
    virtual int shownView() const = 0;

    static ViewHost* current();
    static void setCurrent(ViewHost* host);
};

class ViewFrame : public QFrame {
    Q_OBJECT
public:
    explicit ViewFrame(QWidget* parent = nullptr);
    ~ViewFrame() override;

    // Builds the frame's list from the open databases and registers its grid with the host.
    virtual void FrameEnter() = 0;

    // Gives a new frame the input focus and builds it: through the focus move when focus
    // comes from another control of the window, directly otherwise (nothing focused yet, or
    // a window that cannot take focus), so that a shown view is never left unbuilt.
    void enter();

    ListGrid* grid = nullptr;

protected:
    // Through the host, when there is one.
    static void registerGrid(ListGrid* shown);
    static void showCaption(const QString& caption);

    bool containsWidget(const QWidget* w) const;

private:
    void onFocusChanged(QWidget* old, QWidget* now);
    int enterCount_ = 0;
};
