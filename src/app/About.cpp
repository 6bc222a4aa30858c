#include "app/About.h"

TfAbout::TfAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fAbout"));
    setWindowTitle(QStringLiteral("About"));
}
