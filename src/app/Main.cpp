#include "app/Main.h"

#include "settings/Global.h"

TfMain::TfMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("fMain"));
    // FormCreate: the four databases, all closed.
    money_ = std::make_unique<cPDB>();
    payment_ = std::make_unique<cPDB>();
    types_ = std::make_unique<cPDB>();
    currency_ = std::make_unique<cPDB>();
    MoneyDb = money_.get();
    PaymentDb = payment_.get();
    TypesDb = types_.get();
    CurrencyDb = currency_.get();
    pMain = new QWidget(this);
    pMain->setObjectName(QStringLiteral("pMain"));
    setCentralWidget(pMain);
    setWindowTitle(QStringLiteral("Ledra - Desktop Viewer 1.0"));
}

TfMain::~TfMain() {
    MoneyDb = PaymentDb = TypesDb = CurrencyDb = nullptr;
}
