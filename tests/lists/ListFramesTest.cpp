// The three reference-list frames on real database files: what the list shows, that every
// entry rebuilds it from the open database, and that it becomes the main window's list.

#include "PdbWriter.h"
#include "TempDir.h"
#include "app/Forms.h"
#include "app/Main.h"
#include "lists/Currency.h"
#include "lists/Payment.h"
#include "lists/Transaction.h"
#include "platform/QtText.h"
#include "settings/Global.h"
#include "widgets/Dialogs.h"
#include "widgets/ListGrid.h"

#include <QFontInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QtTest>

#include <memory>

using Rows = std::vector<std::vector<std::string>>;

class ListFramesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDir> dir_;

    void openDb(cPDB* db, const PdbWriter& w, const std::string& name) {
        db->Close();
        w.save(dir_->file(name));
        QCOMPARE(db->Open(dir_->file(name)), 0);
    }

    static QStringList captions(const ListGrid* g) {
        QStringList out;
        for (int i = 0; i < g->model()->columnCount(); ++i)
            out << g->model()->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
        return out;
    }

private slots:
    void init() {
        dir_ = std::make_unique<TempDir>();
        Dialogs::startRecording();
        CreateForms();
    }
    void cleanup() {
        DestroyForms();
        Dialogs::stopRecording();
        dir_.reset();
    }

    void currencyShowsTenSlotsAndRebuildsOnEveryEntry() {
        std::array<CurrencySlot, 11> cur{};
        cur[0] = {"Hidden", "XXX", 3.0, true, true};
        cur[1] = {"Euro", "EUR", 1.0, true, true};
        cur[2] = {"US Dollar", "USD", 1.0871, false, true};
        PdbWriter w;
        w.add(CurrencyTableRecord(cur));
        openDb(CurrencyDb, w, "Ledra_Currency.PDB");

        auto* frame = new TfCurrency(fMain->pMain);
        QCOMPARE(frame->objectName(), QStringLiteral("fCurrency"));
        QVERIFY(frame->findChild<QFrame*>(QStringLiteral("Panel3")));
        QCOMPARE(frame->grid->objectName(), QStringLiteral("grid"));
        QCOMPARE(captions(frame->grid), (QStringList{"Code", "Name", "Rate", "Favorite", "Home"}));
        const GridModel* m = frame->grid->rows();
        QCOMPARE(m->columns()[2].alignment, Qt::AlignRight);
        QCOMPARE(m->columns()[1].width, 200);
        for (int i = 0; i < 5; ++i) // no caption is cut
            QVERIFY(frame->grid->header()->sectionSize(i) >=
                    frame->grid->header()->sectionSizeHint(i));
        QVERIFY(frame->grid->header()->sectionSize(1) >= 200);

        frame->FrameEnter();
        QCOMPARE(fMain->ActiveGrid, frame->grid);
        QCOMPARE(m->rowCount(), 10);
        QCOMPARE(m->rows()[0], (std::vector<std::string>{"EUR", "Euro", "1.000000", "*", "*"}));
        QCOMPARE(m->rows()[1],
                 (std::vector<std::string>{"USD", "US Dollar", "1.087100", "*", " "}));
        QCOMPARE(m->rows()[9], (std::vector<std::string>{"", "", "0.000000", " ", " "}));
        QCOMPARE(SharedCurrencyTable.slot[1].code(), std::string("EUR"));

        // A second entry lists the ten rows once, and follows a currency database that changed.
        cur[1].rate = 2.5;
        PdbWriter w2;
        w2.add(CurrencyTableRecord(cur));
        openDb(CurrencyDb, w2, "Ledra_Currency2.PDB");
        frame->FrameEnter();
        QCOMPARE(m->rowCount(), 10);
        QCOMPARE(m->rows()[0][2], std::string("2.500000"));
    }

    void typeListsShowEveryRecord_data() {
        QTest::addColumn<bool>("payment");
        QTest::newRow("payment") << true;
        QTest::newRow("types") << false;
    }
    void typeListsShowEveryRecord() {
        QFETCH(bool, payment);
        PdbWriter w;
        w.add(TypeRecordBytes(12, "Cash"));
        w.add(TypeRecordBytes(-1, "Card"));
        w.add(TypeRecordBytes(12, "Cash, again"));
        w.add(TypeRecordBytes(-32768, ""));
        PdbWriter other; // the database the frame must not read
        other.add(TypeRecordBytes(99, "Wrong database"));
        openDb(payment ? PaymentDb : TypesDb, w, "mine.PDB");
        openDb(payment ? TypesDb : PaymentDb, other, "other.PDB");

        ViewFrame* frame = payment ? static_cast<ViewFrame*>(new TfPayment(fMain->pMain))
                                   : static_cast<ViewFrame*>(new TfTrans(fMain->pMain));
        QCOMPARE(frame->objectName(),
                 payment ? QStringLiteral("fPayment") : QStringLiteral("fTrans"));
        QCOMPARE(captions(frame->grid),
                 (QStringList{"Id", payment ? "Payment Type" : "Transaction Type"}));
        QCOMPARE(frame->grid->rows()->columns()[0].width, 70);

        frame->FrameEnter();
        frame->FrameEnter();
        QCOMPARE(fMain->ActiveGrid, frame->grid);
        const Rows expected = {
            {"12", "Cash"}, {"-1", "Card"}, {"12", "Cash, again"}, {"-32768", ""}};
        QCOMPARE(frame->grid->rows()->rows(), expected);
    }

    void emptyTypeDatabaseShowsOnlyTheHeader() {
        openDb(TypesDb, PdbWriter{}, "empty.PDB");
        auto* frame = new TfTrans(fMain->pMain);
        frame->FrameEnter();
        QCOMPARE(frame->grid->rows()->rowCount(), 0);
        QCOMPARE(captions(frame->grid).size(), 2);
        QVERIFY(Dialogs::record().isEmpty());
    }

    // Focus leaving the frame for another control of the main window and coming back runs the
    // entry again: the list follows the database and holds its rows once.
    void focusComingBackRebuilds() {
        PdbWriter w;
        w.add(TypeRecordBytes(1, "Cash"));
        openDb(PaymentDb, w, "pay.PDB");
        fMain->resize(700, 500);
        auto* outside = new QLineEdit(fMain->pMain);
        auto* frame = new TfPayment(fMain->pMain);
        fMain->show();
        fMain->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fMain));
        frame->enter();
        QCOMPARE(frame->grid->rows()->rows(), (Rows{{"1", "Cash"}}));

        w.add(TypeRecordBytes(2, "Card"));
        openDb(PaymentDb, w, "pay2.PDB");
        outside->setFocus();
        QCOMPARE(frame->grid->rows()->rowCount(), 1); // leaving does not rebuild
        frame->grid->setFocus();
        QCOMPARE(frame->grid->rows()->rows(), (Rows{{"1", "Cash"}, {"2", "Card"}}));
        fMain->ActiveGrid = nullptr;
        frame->setFocus(); // moving inside the frame is no entry
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(frame));
        QVERIFY(!fMain->ActiveGrid);
    }

    void framesUseTheirOwnFont() {
        auto* frame = new TfCurrency(fMain->pMain);
        QCOMPARE(frame->font().pointSize(), 8);
        QCOMPARE(frame->font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(frame->grid->font().pointSize(), 8);
    }
};

QTEST_MAIN(ListFramesTest)
#include "ListFramesTest.moc"
