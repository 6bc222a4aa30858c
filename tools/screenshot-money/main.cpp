// Renders the Money view of one handheld user to a PNG, without a screen.
//
//   screenshot-money ROOT OUT.png [--user NAME] [--mode chrono|month|quarter|year]
//                    [--flow in|out|inout] [--currency CODE] [--filter TYPE] [--size WxH]
//                    [--from YYYY-MM-DD --to YYYY-MM-DD] [--chart CHART.png]
//
// --chart also renders the chart dialog of the same view, at the same size, with the keyboard
// cursor on the last period so that the status line shows its sums.
// ROOT is a desktop data root such as the one `make-demo ROOT` writes; the first user in name
// order is shown unless --user names another. Dates use the C formats (month/day/year), so
// the picture does not depend on the machine's locale. The settings go to a temporary file.

#include "app/Main.h"
#include "app/Forms.h"
#include "chart/Chart.h"
#include "filter/DatePicker.h"
#include "filter/Filter.h"
#include "money/Money.h"
#include "platform/AppPaths.h"
#include "platform/IniProfile.h"
#include "platform/QtText.h"
#include "platform/Regional.h"
#include "platform/UserDirectory.h"
#include "settings/Global.h"
#include "settings/Setup.h"
#include "widgets/ListGrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int usage() {
    std::fprintf(stderr, "usage: screenshot-money ROOT OUT.png [--user NAME] "
                         "[--mode chrono|month|quarter|year] [--flow in|out|inout] "
                         "[--currency CODE] [--filter TYPE] [--size WxH] "
                         "[--from YYYY-MM-DD --to YYYY-MM-DD] [--chart CHART.png]\n");
    return 2;
}

std::string firstUser() {
    char name[256];
    std::uint32_t id = 0;
    std::int16_t size = sizeof name;
    if (userdir::UserCount() < 1 || !userdir::UserId(0, &id) || !userdir::UserName(id, name, &size))
        return {};
    return name;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return usage();
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::string root = argv[1];
    if (!root.empty() && root.back() != '/')
        root += '/';
    const std::string out = argv[2];
    std::string user, mode = "chrono", flow = "inout", currency, filter, chart;
    CalendarDay from, to;
    int width = 900, height = 520;
    for (int i = 3; i + 1 < argc; i += 2) {
        const std::string opt = argv[i], value = argv[i + 1];
        if (opt == "--user")
            user = value;
        else if (opt == "--mode")
            mode = value;
        else if (opt == "--flow")
            flow = value;
        else if (opt == "--currency")
            currency = value;
        else if (opt == "--filter")
            filter = value;
        else if (opt == "--chart")
            chart = value;
        else if (opt == "--from" &&
                 std::sscanf(value.c_str(), "%d-%d-%d", &from.year, &from.month, &from.day) == 3)
            continue;
        else if (opt == "--to" &&
                 std::sscanf(value.c_str(), "%d-%d-%d", &to.year, &to.month, &to.day) == 3)
            continue;
        else if (opt == "--size" && std::sscanf(value.c_str(), "%dx%d", &width, &height) == 2)
            continue;
        else
            return usage();
    }
    if ((argc - 3) % 2 != 0)
        return usage();

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ledra"));
    SetRegionalFormats(CFormats());
    QTemporaryDir settingsDir;
    const std::string ini = settingsDir.filePath(QStringLiteral("Ledra.ini")).toStdString();
    SetSettingsPathOverride(ini);

    userdir::SetRootOverride(root);
    if (user.empty())
        user = firstUser();
    if (user.empty()) {
        std::fprintf(stderr, "screenshot-money: no handheld user below %s\n", root.c_str());
        return 1;
    }

    const char* modes[] = {"chrono", "month", "quarter", "year"};
    const char* flows[] = {"in", "out", "inout"};
    for (int k = 0; k < 4; ++k)
        if (mode == modes[k])
            WriteProfileString("Money", "Mode", std::to_string(k), ini);
    for (int k = 0; k < 3; ++k)
        if (flow == flows[k])
            WriteProfileString("Money", "IO", std::to_string(k), ini);
    if (!currency.empty())
        WriteProfileString("Money", "Currency", currency, ini);

    CreateForms();
    const DatabasePaths paths = DatabasePathsFor(root, user);
    if (MoneyDb->Open(paths.money) != 0 || TypesDb->Open(paths.types) != 0 ||
        PaymentDb->Open(paths.payment) != 0 || CurrencyDb->Open(paths.currency) != 0) {
        std::fprintf(stderr, "screenshot-money: cannot open the databases of %s\n", user.c_str());
        DestroyForms();
        return 1;
    }
    fSetup->LoadSettings(); // as the main window does before any view can be chosen
    if (!filter.empty()) {
        fFilter->cbTrans->setEditText(fromAnsi(filter));
        fFilter->cbFilter->setChecked(true);
    }
    if (from.isValid() && to.isValid()) {
        fFilter->dFrom->setChecked(true);
        fFilter->dFrom->setDate(from);
        fFilter->dTo->setChecked(true);
        fFilter->dTo->setDate(to);
        fFilter->cbFilter->setChecked(true);
    }

    auto* frame = new TfMoney(fMain->pMain);
    frame->resize(width, height);
    frame->show();
    frame->FrameEnter();
    if (frame->grid->rows()->rowCount() > 2)
        frame->grid->setCurrentIndex(frame->grid->rows()->index(2, 0));
    QApplication::processEvents();
    const bool saved = frame->grab().save(QString::fromStdString(out), "PNG");
    const int rows = frame->grid->rows()->rowCount();
    bool chartSaved = true;
    if (!chart.empty()) {
        auto* dialog = new TfChart(fMain);
        dialog->setData(ChartDataFor(frame->listingChoices(), DisplayCurrency));
        dialog->resize(width, height);
        dialog->show();
        QApplication::processEvents();
        dialog->pChart->setCurrent(dialog->pChart->periodCount() - 1);
        dialog->setFixedSize(width, height); // the remembered size does not apply here
        QApplication::processEvents();
        chartSaved = dialog->grab().save(QString::fromStdString(chart), "PNG");
    }
    DestroyForms();
    if (!saved || !chartSaved) {
        std::fprintf(stderr, "screenshot-money: cannot write %s\n", (saved ? chart : out).c_str());
        return 1;
    }
    std::printf("%s: %s, %d rows\n", out.c_str(), user.c_str(), rows);
    return 0;
}
