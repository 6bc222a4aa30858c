#include "widgets/ViewFrame.h"

#include "widgets/Dialogs.h"

#include <QApplication>

namespace {
ViewHost* currentHost = nullptr;
} // namespace

ViewHost* ViewHost::current() {
    return currentHost;
}

void ViewHost::setCurrent(ViewHost* host) {
    currentHost = host;
}

void ViewFrame::registerGrid(ListGrid* shown) {
    if (currentHost)
        currentHost->registerGrid(shown);
}

void ViewFrame::showCaption(const QString& caption) {
    if (currentHost)
        currentHost->showCaption(caption);
}

ViewFrame::ViewFrame(QWidget* parent) : QFrame(parent) {
    setFocusPolicy(Qt::StrongFocus);
    connect(qApp, &QApplication::focusChanged, this, &ViewFrame::onFocusChanged);
}

ViewFrame::~ViewFrame() {
    // QWidget's destructor moves the focus away from a focused child and announces it; by then
    // this is no longer a ViewFrame, so the announcement must not reach onFocusChanged.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
}

bool ViewFrame::containsWidget(const QWidget* w) const {
    return w && (w == this || isAncestorOf(w));
}

// Only a move from another control of the same window counts: focus that comes back when a
// dialog closes or the window is activated again returns to where it was and builds nothing.
void ViewFrame::onFocusChanged(QWidget* old, QWidget* now) {
    if (containsWidget(now) && old && old->window() == window() && !containsWidget(old)) {
        ++enterCount_;
        Guarded([this] { FrameEnter(); });
    }
}

void ViewFrame::enter() {
    const int before = enterCount_;
    setFocus(Qt::OtherFocusReason);
    if (enterCount_ == before) { // nothing had the focus, or the window cannot take it
        ++enterCount_;
        Guarded([this] { FrameEnter(); });
    }
}
