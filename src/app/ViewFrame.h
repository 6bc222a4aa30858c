#pragma once
// Base of the four view frames. A frame builds its list when the input focus enters it from
// outside (FrameEnter); focus moving between its own children does not count.

#include <QFrame>

class ListGrid;

class ViewFrame : public QFrame {
    Q_OBJECT
public:
    explicit ViewFrame(QWidget* parent = nullptr);
    ~ViewFrame() override;

    // Builds the frame's list from the open databases and registers its grid as fMain's
    // ActiveGrid.
    virtual void FrameEnter() = 0;

    // Gives a new frame the input focus and builds it: through the focus move when focus
    // comes from another control of the window, directly otherwise (nothing focused yet, or
    // a window that cannot take focus), so that a shown view is never left unbuilt.
    void enter();

    ListGrid* grid = nullptr;

protected:
    bool containsWidget(const QWidget* w) const;

private:
    void onFocusChanged(QWidget* old, QWidget* now);
    int enterCount_ = 0;
};
