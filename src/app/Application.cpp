#include "app/Application.h"

#include "app/Forms.h"
#include "app/Icons.h"
#include "app/Main.h"
#include "settings/Global.h"
#include "widgets/Dialogs.h"

#include <QApplication>

int RunLedra(int argc, char** argv) {
    QApplication app(argc, argv);
    // The application title. Not set as the display name, which some window systems would
    // append to every caption.
    QApplication::setApplicationName(QStringLiteral("Ledra"));
    QApplication::setDesktopFileName(QStringLiteral("ledra"));
    QApplication::setWindowIcon(icons::icon("ledra"));
    Guarded([] {
        CreateForms();
        fMain->show();
        QApplication::exec();
    });
    DestroyForms();
    return 0;
}
