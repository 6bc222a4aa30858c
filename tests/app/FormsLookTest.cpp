// The forms of this folder as a user sees them, with whatever font the system puts in place of
// the ones they were drawn for: no caption may be cut and no control may overlap another.
// With LEDRA_GRAB_DIR set, each form is also written there as a PNG for a look.

#include "AppFixture.h"
#include "app/About.h"
#include "settings/Password.h"
#include "settings/Setup.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace fixture;

namespace {

void grab(QWidget* w, const QString& name) {
    const QString dir = qEnvironmentVariable("LEDRA_GRAB_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// Every visible caption fits its control, every control lies inside the form, and no two
// direct controls overlap.
void checkNothingCut(QWidget* form) {
    const QList<QWidget*> children = form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    QList<QWidget*> shown;
    for (QWidget* w : children) {
        if (!w->isVisible() || w->isWindow())
            continue;
        shown << w;
        if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w)) {
            QVERIFY2(w->width() >= w->sizeHint().width(), qPrintable(w->objectName()));
            QVERIFY2(w->height() >= w->fontMetrics().height(), qPrintable(w->objectName()));
        }
        QVERIFY2(form->rect().contains(w->geometry()), qPrintable(w->objectName()));
    }
    for (int i = 0; i < shown.size(); ++i)
        for (int j = i + 1; j < shown.size(); ++j)
            QVERIFY2(
                !shown[i]->geometry().intersects(shown[j]->geometry()),
                qPrintable(shown[i]->objectName() + QLatin1Char('/') + shown[j]->objectName()));
}

} // namespace

class FormsLookTest : public QObject {
    Q_OBJECT
private slots:
    void options();
    void passwordPrompt();
    void about();
    void mainWindow();
};

void FormsLookTest::options() {
    AppRun run;
    run.create();
    fSetup->show();
    QVERIFY(QTest::qWaitForWindowExposed(fSetup));
    QVERIFY(fSetup->width() >= 368);
    QVERIFY(fSetup->height() >= 194);
    checkNothingCut(fSetup);
    // The labels stand right before their boxes.
    QVERIFY(fSetup->Label2->geometry().right() < fSetup->ePass2->x());
    QCOMPARE(fSetup->ePass1->maxLength(), 20);
    grab(fSetup, QStringLiteral("options"));
    fSetup->reject();
}

void FormsLookTest::passwordPrompt() {
    AppRun run;
    run.create();
    fPassword->show();
    QVERIFY(QTest::qWaitForWindowExposed(fPassword));
    checkNothingCut(fPassword);
    QCOMPARE(fPassword->windowTitle(), QStringLiteral("Ledra"));
    QCOMPARE(fPassword->ePass->echoMode(), QLineEdit::Password);
    grab(fPassword, QStringLiteral("password"));
    fPassword->reject();
}

void FormsLookTest::about() {
    AppRun run;
    run.create();
    fAbout->show();
    QVERIFY(QTest::qWaitForWindowExposed(fAbout));
    for (QLabel* l : {fAbout->lName, fAbout->lVersion})
        QVERIFY2(l->width() >= l->sizeHint().width(), qPrintable(l->objectName()));
    QCOMPARE(fAbout->lName->font().pixelSize(), 24);
    QVERIFY(fAbout->lName->font().bold());
    QCOMPARE(fAbout->lVersion->palette().color(QPalette::WindowText), QColor(0x80, 0, 0));
    QVERIFY(!fAbout->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    grab(fAbout, QStringLiteral("about"));
    // Escape ends it like its button: with the OK result.
    QTest::keyClick(fAbout, Qt::Key_Escape);
    QCOMPARE(fAbout->result(), int(QDialog::Accepted));
}

void FormsLookTest::mainWindow() {
    AppRun run;
    run.addUser("alice");
    run.setIni("Users", "User", "alice");
    QVERIFY(run.start());
    fMain->tbTypes->trigger();
    QTest::qWait(20);
    for (QAction* a : {fMain->tbMoney, fMain->tbTypes, fMain->tbPayment, fMain->tbCurrency}) {
        auto* b = qobject_cast<QToolButton*>(fMain->ToolBar->widgetForAction(a));
        QVERIFY(b);
        QVERIFY2(b->width() >= 56 && b->height() >= 52, qPrintable(a->objectName()));
        const int textWidth =
            b->fontMetrics().horizontalAdvance(b->text().remove(QLatin1Char('&')));
        QVERIFY2(b->width() >= textWidth + 4, qPrintable(a->objectName()));
    }
    auto* panel = fMain->StatusBar1->findChild<QLabel*>(QStringLiteral("StatusPanel1"));
    QVERIFY(panel->width() >= panel->fontMetrics().horizontalAdvance(panel->text()));
    QVERIFY(fMain->cbUser->isVisible());
    grab(fMain, QStringLiteral("main"));
}

QTEST_MAIN(FormsLookTest)
#include "FormsLookTest.moc"
