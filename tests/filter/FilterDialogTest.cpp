#include "GuiFixture.h"
#include "filter/DatePicker.h"
#include "filter/Filter.h"
#include "settings/Setup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

MoneyData FilterData() {
    MoneyData d;
    d.types = {{1, "Food"}, {2, "Salary"}, {1, "Food"}, {3, ""}};
    d.payments = {{1, "Cash"}};
    d.currencies[3] = {"Pound", "GBP", 0.5, false, false};
    d.currencies[5] = {"Franc", "CHF", 2.0, false, true};
    return d;
}

QStringList items(const QComboBox* cb) {
    QStringList out;
    for (int i = 0; i < cb->count(); ++i)
        out << cb->itemText(i);
    return out;
}

} // namespace

class FilterDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<GuiFixture> fx;

    // Opens the dialog as the Money view does and runs `answer` while it is up.
    bool showDialog(const std::function<void()>& answer) {
        return AnswerModal(
            fFilter, [] { fFilter->exec(); }, [&](QDialog*) { answer(); });
    }
    void saveFilter(const char* trans, bool fromOn, bool on) {
        fx->setIni("Filter", "Trans", std::string("\"") + trans + "\"");
        fx->setIni("Filter", "FromOn", fromOn ? "1" : "0");
        fx->setIni("Filter", "From", "03/01/2002");
        fx->setIni("Filter", "On", on ? "1" : "0");
    }

private slots:
    void init() {
        fx = std::make_unique<GuiFixture>();
        fx->open(FilterData());
        LoadCurrencyTable(*CurrencyDb, SharedCurrencyTable); // the Money view did this
    }
    void cleanup() { fx.reset(); }

    void layout() {
        QCOMPARE(fFilter->windowTitle(), QStringLiteral("Filter"));
        QCOMPARE(fFilter->size(), QSize(299, 210));
        QCOMPARE(fFilter->cbTrans->geometry(), QRect(104, 8, 185, 21));
        QCOMPARE(fFilter->dTo->geometry(), QRect(104, 104, 186, 21));
        QCOMPARE(fFilter->bOK->geometry(), QRect(136, 176, 75, 25));
        QCOMPARE(fFilter->bCancel->geometry(), QRect(216, 176, 75, 25));
        QCOMPARE(fFilter->bClear->geometry(), QRect(8, 176, 75, 25));
        QVERIFY(fFilter->bOK->isDefault());
        // No caption is cut by its box with the fonts at hand.
        for (QLabel* l : fFilter->findChildren<QLabel*>()) {
            QVERIFY2(l->sizeHint().width() <= l->width(), qPrintable(l->text()));
            QVERIFY(l->geometry().right() < fFilter->cbTrans->x()); // left of the input column
        }
        QVERIFY(fFilter->cbFilter->sizeHint().width() <= fFilter->cbFilter->width());
        for (QComboBox* cb : {fFilter->cbTrans, fFilter->cbPay, fFilter->cbCurr}) {
            QVERIFY(cb->isEditable());
            QCOMPARE(cb->insertPolicy(), QComboBox::NoInsert);
        }
    }

    void firstShowingFillsTheListsOnce() {
        QVERIFY(showDialog([] { fFilter->bCancel->click(); }));
        const QStringList trans{"...", "Food", "Salary", "Food", ""};
        QCOMPARE(items(fFilter->cbTrans), trans);
        QCOMPARE(items(fFilter->cbPay), (QStringList{"...", "Cash"}));
        QCOMPARE(items(fFilter->cbCurr), (QStringList{"...", "EUR", "USD", "CHF"}));
        // Defaults of a missing settings file.
        QCOMPARE(fFilter->cbTrans->currentText(), QStringLiteral("..."));
        QCOMPARE(fFilter->cbCurr->currentText(), QStringLiteral("..."));
        QVERIFY(!fFilter->dFrom->isChecked() && !fFilter->dTo->isChecked());
        QVERIFY(!fFilter->cbFilter->isChecked());

        QVERIFY(showDialog([] { fFilter->bCancel->click(); }));
        QCOMPARE(items(fFilter->cbTrans), trans);
        QCOMPARE(fFilter->cbPay->count(), 2);
    }

    void loadedTextsSurviveTheFilling() {
        fx->setIni("Filter", "Trans", "\" Salary \"");
        fx->setIni("Filter", "Pay", "\"Nothing\"");
        QVERIFY(showDialog([] {
            QCOMPARE(fFilter->cbTrans->currentText(), QStringLiteral(" Salary "));
            QCOMPARE(fFilter->cbPay->currentText(), QStringLiteral("Nothing"));
            QVERIFY(fFilter->cbPay->findText(QStringLiteral("Nothing")) < 0);
            fFilter->bCancel->click();
        }));
        const FilterSettings f = fFilter->settings();
        QCOMPARE(f.Trans, std::string(" Salary "));
        QCOMPARE(f.Pay, std::string("Nothing"));
        QCOMPARE(f.Curr, std::string("..."));
    }

    void clearThenCancelBringsBackTheSavedFilter() {
        saveFilter("Food", true, true);
        QVERIFY(showDialog([] {
            QCOMPARE(fFilter->cbTrans->currentText(), QStringLiteral("Food"));
            QVERIFY(fFilter->dFrom->isChecked());
            QVERIFY(fFilter->cbFilter->isChecked());
            fFilter->bClear->click();
            QVERIFY(fFilter->isVisible()); // Clear does not end the dialog
            QCOMPARE(fFilter->cbTrans->currentText(), QStringLiteral("..."));
            QCOMPARE(fFilter->cbPay->currentText(), QStringLiteral("..."));
            QVERIFY(!fFilter->dFrom->isChecked());
            QVERIFY(!fFilter->cbFilter->isChecked());
            QCOMPARE(fFilter->dFrom->date(), (CalendarDay{2002, 3, 1})); // dates stay
            fFilter->bCancel->click();
        }));
        QCOMPARE(fFilter->result(), int(QDialog::Rejected));
        QCOMPARE(fFilter->cbTrans->currentText(), QStringLiteral("Food"));
        QVERIFY(fFilter->dFrom->isChecked());
        QVERIFY(fFilter->cbFilter->isChecked());
        QCOMPARE(fx->ini("Filter", "Trans"), std::string("Food"));
    }

    void clearThenOkSavesTheNeutralFilter() {
        saveFilter("Food", true, true);
        QVERIFY(showDialog([] {
            fFilter->bClear->click();
            fFilter->bOK->click();
        }));
        QCOMPARE(fFilter->result(), int(QDialog::Accepted));
        QCOMPARE(fx->ini("Filter", "Trans"), std::string("..."));
        QCOMPARE(fx->ini("Filter", "Pay"), std::string("..."));
        QCOMPARE(fx->ini("Filter", "Curr"), std::string("..."));
        QCOMPARE(fx->ini("Filter", "FromOn"), std::string("0"));
        QCOMPARE(fx->ini("Filter", "ToOn"), std::string("0"));
        QCOMPARE(fx->ini("Filter", "On"), std::string("0"));
    }

    void closeBoxAndEscapeActLikeCancel() {
        saveFilter("Salary", false, true);
        QVERIFY(showDialog([] {
            fFilter->cbTrans->setEditText(QStringLiteral("Food"));
            fFilter->cbFilter->setChecked(false);
            fFilter->close();
        }));
        QCOMPARE(fFilter->result(), int(QDialog::Rejected));
        QCOMPARE(fFilter->cbTrans->currentText(), QStringLiteral("Salary"));
        QVERIFY(fFilter->cbFilter->isChecked());

        QVERIFY(showDialog([] {
            fFilter->cbTrans->setEditText(QStringLiteral("Food"));
            QTest::keyClick(fFilter, Qt::Key_Escape);
        }));
        QCOMPARE(fFilter->cbTrans->currentText(), QStringLiteral("Salary"));
        QCOMPARE(fx->ini("Filter", "Trans"), std::string("Salary"));
    }

    void typedTextIsTheCriterionAndNoItem() {
        QVERIFY(showDialog([] {
            QLineEdit* edit = fFilter->cbTrans->lineEdit();
            edit->selectAll();
            QTest::keyClicks(edit, QStringLiteral("food"));
            QTest::keyClick(edit, Qt::Key_Return); // the default button
        }));
        QCOMPARE(fFilter->result(), int(QDialog::Accepted));
        QCOMPARE(fFilter->cbTrans->currentText(), QStringLiteral("food"));
        QCOMPARE(fFilter->cbTrans->count(), 5);
        QCOMPARE(fx->ini("Filter", "Trans"), std::string("food"));
    }

    void settingsMirrorTheControls() {
        fFilter->cbTrans->setEditText(QStringLiteral("Food"));
        fFilter->cbPay->setEditText(QStringLiteral("Cash"));
        fFilter->cbCurr->setEditText(QStringLiteral("EUR"));
        fFilter->dFrom->setChecked(true);
        fFilter->dFrom->setDate({2002, 3, 1});
        fFilter->dTo->setDate({2002, 3, 31});
        fFilter->cbFilter->setChecked(true);
        const FilterSettings f = fFilter->settings();
        QCOMPARE(f.Trans, std::string("Food"));
        QCOMPARE(f.Pay, std::string("Cash"));
        QCOMPARE(f.Curr, std::string("EUR"));
        QVERIFY(f.FromOn);
        QVERIFY(!f.ToOn);
        QCOMPARE(f.From, (CalendarDay{2002, 3, 1}));
        QCOMPARE(f.To, (CalendarDay{2002, 3, 31}));
        QVERIFY(f.On);
    }
};

QTEST_MAIN(FilterDialogTest)
#include "FilterDialogTest.moc"
