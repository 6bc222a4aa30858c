#include "app/ViewFrame.h"

#include "platform/Dialogs.h"

#include <QApplication>

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

void ViewFrame::onFocusChanged(QWidget* old, QWidget* now) {
    if (containsWidget(now) && !containsWidget(old)) {
        ++enterCount_;
        Guarded([this] { FrameEnter(); });
    }
}

void ViewFrame::enter() {
    const int before = enterCount_;
    setFocus(Qt::OtherFocusReason);
    if (enterCount_ == before && !containsWidget(QApplication::focusWidget())) {
        ++enterCount_;
        Guarded([this] { FrameEnter(); });
    }
}
