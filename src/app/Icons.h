#pragma once
// The program's own icons, drawn from the SVGs in the resources at the sizes asked for.

#include <QIcon>
#include <QPixmap>

namespace icons {

// name: "money", "types" (transaction and payment types share it), "currency", "ledra".
QIcon icon(const char* name);
QPixmap pixmap(const char* name, int size);

} // namespace icons
