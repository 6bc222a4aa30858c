#pragma once
// Every form of the program opens in the middle of the screen it is on, not over its parent.

#include <QDialog>
#include <QFont>
#include <QScreen>
#include <QWidget>

inline void CentreOnScreen(QWidget* form) {
    if (QScreen* s = form->screen()) {
        QRect frame = form->frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        form->move(frame.topLeft());
    }
}

// A dialog as the program's forms are: its name and caption, a fixed border with a title and a
// close box only, modal, and the forms' font of 11 pixels in `family` (the system's sans stands
// in where that family is missing).
inline void SetUpDialogForm(QDialog* form, const char* objectName, const char* caption,
                            const char* family) {
    form->setObjectName(QLatin1String(objectName));
    form->setWindowTitle(QLatin1String(caption));
    form->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    form->setModal(true);
    QFont f{QLatin1String(family)};
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(11);
    form->setFont(f);
}
