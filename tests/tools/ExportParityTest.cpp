// ledra-export against the viewer itself: the Money view is entered with choices restored from
// a settings file, the export dialog writes its file, and ledra-export given the matching
// options must write the same bytes and the same total as the view's total panel shows.

#include "ExportCli.h"
#include "ExportFixture.h"
#include "GuiSetup.h"
#include "TempDir.h"
#include "app/Forms.h"
#include "app/Main.h"
#include "export/Export.h"
#include "lists/Currency.h"
#include "lists/Payment.h"
#include "lists/Transaction.h"
#include "money/Money.h"
#include "platform/AppPaths.h"
#include "platform/Regional.h"
#include "settings/Global.h"
#include "settings/Setup.h"
#include "widgets/Dialogs.h"
#include "widgets/ViewFrame.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <fstream>
#include <memory>
#include <sstream>

namespace {

struct ParityCase {
    const char* name;
    std::vector<std::string> args; // ledra-export options after --view
    std::string ini;               // the settings that give the view the same choices
};

QByteArray fileBytes(const std::string& path) {
    QFile f(QFile::decodeName(QByteArray::fromStdString(path)));
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return f.readAll();
}

const std::vector<ParityCase>& cases() {
    // Dates in the settings file are in the regional short format, pinned to the C one.
    static const std::vector<ParityCase> c = {
        {"defaults", {}, ""},
        {"month", {"--mode", "month"}, "[Money]\r\nMode=1\r\n"},
        {"quarterIn", {"--mode", "quarter", "--flow", "in"}, "[Money]\r\nMode=2\r\nIO=0\r\n"},
        {"yearOut", {"--mode", "year", "--flow", "out"}, "[Money]\r\nMode=3\r\nIO=1\r\n"},
        {"chronoOut", {"--flow", "out"}, "[Money]\r\nIO=1\r\n"},
        {"chronoIn", {"--flow", "in"}, "[Money]\r\nIO=0\r\n"},
        {"category", {"--category", "Business"}, "[Money]\r\nCategory=Business\r\n"},
        {"categoryByte",
         {"--category", "Caf\xE9", "--mode", "month"},
         "[Money]\r\nCategory=Caf\xE9\r\nMode=1\r\n"},
        {"categoryNoEntry", {"--category", "Nope"}, "[Money]\r\nCategory=Nope\r\n"},
        {"trans", {"--trans", "Food"}, "[Filter]\r\nTrans=\"Food\"\r\nOn=1\r\n"},
        {"payCurr",
         {"--pay", "Credit card", "--curr", "USD"},
         "[Filter]\r\nPay=\"Credit card\"\r\nCurr=\"USD\"\r\nOn=1\r\n"},
        {"range",
         {"--from", "2002-01-20", "--to", "2002-03-31", "--mode", "quarter"},
         "[Money]\r\nMode=2\r\n[Filter]\r\nFromOn=1\r\nFrom=01/20/2002\r\nToOn=1\r\n"
         "To=03/31/2002\r\nOn=1\r\n"},
        {"fromAlone",
         {"--from", "2002-01-20"},
         "[Filter]\r\nFromOn=1\r\nFrom=01/20/2002\r\nOn=1\r\n"},
        {"displayUsd", {"--display", "USD"}, "[Money]\r\nCurrency=USD\r\n"},
        {"displayUnknown",
         {"--display", "XYZ", "--flow", "out"},
         "[Money]\r\nCurrency=XYZ\r\nIO=1\r\n"},
        {"noHeader",
         {"--no-header", "--mode", "month"},
         "[Money]\r\nMode=1\r\n[Export]\r\nHeader=0\r\n"},
    };
    return c;
}

std::string runTool(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = ledraexport::RunExport(args, out, err);
    if (status != 0)
        return "<status " + std::to_string(status) + ": " + err.str() + ">";
    return out.str();
}

} // namespace

class ExportParityTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDir> root_;
    std::unique_ptr<GuiSetup> gui_;

    std::string backup() const { return root_->path() + "/alice/BACKUP/"; }

private slots:
    void initTestCase() {
        root_ = std::make_unique<TempDir>();
        richData().write(root_->path(), "alice");
    }
    void cleanupTestCase() { root_.reset(); }

    void init() { gui_ = std::make_unique<GuiSetup>(); }
    void cleanup() { gui_.reset(); }

    void moneyView_data() {
        QTest::addColumn<int>("index");
        for (std::size_t i = 0; i < cases().size(); ++i)
            QTest::newRow(cases()[i].name) << int(i);
    }
    void moneyView() {
        QFETCH(int, index);
        const ParityCase& c = cases()[std::size_t(index)];
        {
            std::ofstream ini(gui_->dir.file("Ledra.ini"), std::ios::binary);
            ini << c.ini;
        }
        CreateForms();
        QCOMPARE(MoneyDb->Open(backup() + "Ledra_Money.PDB"), 0);
        QCOMPARE(PaymentDb->Open(backup() + "Ledra_Payment.PDB"), 0);
        QCOMPARE(CurrencyDb->Open(backup() + "Ledra_Currency.PDB"), 0);
        QCOMPARE(TypesDb->Open(backup() + "Ledra_Types.PDB"), 0);
        fSetup->LoadSettings();

        auto* frame = new TfMoney(fMain->pMain);
        fMain->ActiveFrame = frame;
        fMain->ActiveView = 0;
        frame->FrameEnter();

        const std::string viewerFile = gui_->dir.file("viewer.CSV");
        fExport->eFile->setText(QString::fromStdString(viewerFile));
        fExport->bOK->click();
        QVERIFY(Dialogs::record().isEmpty());

        std::vector<std::string> args = {"--root", root_->path(), "--user",
                                         "alice",  "--view",      "money"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        QCOMPARE(QByteArray::fromStdString(runTool(args)), fileBytes(viewerFile));

        args.push_back("--total");
        const std::string panel =
            frame->pTotal->text().toStdString() + " " + frame->currencyCaption() + "\n";
        QCOMPARE(QByteArray::fromStdString(runTool(args)), QByteArray::fromStdString(panel));
    }

    // The list views: the frames' lists through the dialog against the tool.
    void listViews() {
        CreateForms();
        QCOMPARE(MoneyDb->Open(backup() + "Ledra_Money.PDB"), 0);
        QCOMPARE(PaymentDb->Open(backup() + "Ledra_Payment.PDB"), 0);
        QCOMPARE(CurrencyDb->Open(backup() + "Ledra_Currency.PDB"), 0);
        QCOMPARE(TypesDb->Open(backup() + "Ledra_Types.PDB"), 0);
        const std::vector<std::pair<int, std::string>> views = {
            {1, "types"}, {2, "payment"}, {3, "currency"}};
        for (const auto& [activeView, view] : views) {
            ViewFrame* frame = nullptr;
            if (activeView == 1)
                frame = new TfTrans(fMain->pMain);
            else if (activeView == 2)
                frame = new TfPayment(fMain->pMain);
            else
                frame = new TfCurrency(fMain->pMain);
            fMain->ActiveFrame = frame;
            fMain->ActiveView = activeView;
            frame->FrameEnter();
            const std::string file = gui_->dir.file(view + ".CSV");
            fExport->eFile->setText(QString::fromStdString(file));
            fExport->cbHeader->setChecked(true);
            fExport->bOK->click();
            QCOMPARE(QByteArray::fromStdString(runTool({"--root", root_->path(), "--view", view})),
                     fileBytes(file));
            delete frame;
            fMain->ActiveFrame = nullptr;
            fMain->ActiveGrid = nullptr;
        }
    }
};

QTEST_MAIN(ExportParityTest)
#include "ExportParityTest.moc"
