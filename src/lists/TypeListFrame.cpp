#include "lists/TypeListFrame.h"

#include "settings/Global.h"

TypeListFrame::TypeListFrame(const QString& name, TypeList which, QWidget* parent)
    : ListFrame(name, TypeListColumns(which), parent), which_(which) {}

void TypeListFrame::FrameEnter() {
    const cPDB* db = which_ == TypeList::Payment ? PaymentDb : TypesDb;
    const cPDB closed;
    showRows(TypeListRows(db ? *db : closed, which_));
}
