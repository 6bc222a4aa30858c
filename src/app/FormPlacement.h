#pragma once
// Every form of the program opens in the middle of the screen it is on, not over its parent.

#include <QScreen>
#include <QWidget>

inline void CentreOnScreen(QWidget* form) {
    if (QScreen* s = form->screen()) {
        QRect frame = form->frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        form->move(frame.topLeft());
    }
}
