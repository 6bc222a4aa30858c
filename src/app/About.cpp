#include "app/About.h"

#include "app/Icons.h"
#include "version/Version.h"
#include "widgets/FormPlacement.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

TfAbout* fAbout = nullptr;

TfAbout::TfAbout(QWidget* parent)
    : QDialog(parent), Image1(new QLabel(this)), lName(new QLabel(this)),
      lVersion(new QLabel(this)), bOK(new QPushButton(this)) {
    setObjectName(QStringLiteral("fAbout"));
    setWindowTitle(QStringLiteral("About"));
    // No title-bar buttons: the dialog ends only by its button (or Enter, Escape).
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    QFont base(QStringLiteral("Tahoma"));
    base.setPointSize(8);
    setFont(base);

    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(icons::pixmap("ledra", 48));
    Image1->setFixedSize(48, 48);

    lName->setObjectName(QStringLiteral("lName"));
    lName->setText(QStringLiteral("Ledra"));
    QFont nameFont(QStringLiteral("Verdana"));
    nameFont.setPixelSize(24);
    nameFont.setBold(true);
    lName->setFont(nameFont);

    lVersion->setObjectName(QStringLiteral("lVersion"));
    lVersion->setText(QStringLiteral("Version %1").arg(QLatin1String(LedraVersion())));
    QFont versionFont(QStringLiteral("Verdana"));
    versionFont.setPixelSize(13);
    versionFont.setBold(true);
    lVersion->setFont(versionFont);
    QPalette maroon = lVersion->palette();
    maroon.setColor(QPalette::WindowText, QColor(0x80, 0x00, 0x00));
    lVersion->setPalette(maroon);

    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("Bevel1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    bOK->setObjectName(QStringLiteral("bOK"));
    bOK->setText(QStringLiteral("&OK"));
    bOK->setDefault(true);
    bOK->setMinimumWidth(75);
    connect(bOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 12);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(6);
    grid->addWidget(Image1, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(lName, 0, 1, Qt::AlignBottom | Qt::AlignLeft);
    grid->addWidget(lVersion, 1, 1, Qt::AlignTop | Qt::AlignLeft);
    grid->setRowMinimumHeight(2, 12);
    grid->addWidget(line, 3, 0, 1, 2);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    buttons->addWidget(bOK);
    buttons->addStretch(1);
    grid->addLayout(buttons, 4, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(1, 190);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

void TfAbout::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CentreOnScreen(this);
    bOK->setFocus();
}
