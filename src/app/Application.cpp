#include "app/Application.h"

#include "app/Forms.h"
#include "app/Main.h"
#include "platform/Dialogs.h"
#include "settings/Global.h"

#include <QApplication>

int RunLedra(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ledra"));
    QApplication::setApplicationDisplayName(QStringLiteral("Ledra"));
    int result = 0;
    Guarded([&] {
        CreateForms();
        fMain->show();
        result = QApplication::exec();
    });
    DestroyForms();
    return result == 0 ? 0 : result;
}
