#include "app/Application.h"

#include "app/Forms.h"
#include "app/Icons.h"
#include "app/Main.h"
#include "settings/Global.h"
#include "version/Version.h"
#include "widgets/Dialogs.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace {

const char kUsage[] =
    "Usage: ledra [--version] [-h|--help]\n"
    "\n"
    "Shows the money records that a handheld's desktop sync left in BACKUP folders below\n"
    "$LEDRA_DATA_ROOT (else ~/Palm/). Without options it opens its window.\n"
    "\n"
    "  -h, --help       this text\n"
    "  --version        the version of ledra\n";

// The answers that need no window: given before a display is looked for, so that they work
// over SSH and in scripts. Any other argument is left to Qt (-platform, -style, ...).
int answerWithoutWindow(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("ledra %s\n", LedraVersion());
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    return -1;
}

} // namespace

int RunLedra(int argc, char** argv) {
    if (const int status = answerWithoutWindow(argc, argv); status >= 0)
        return std::fflush(stdout) == 0 ? status : 1;
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
