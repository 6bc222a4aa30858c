#include "app/Icons.h"

#include <QPainter>
#include <QSvgRenderer>

// The resources live in a static library: nothing refers to their initialiser, so the linker
// would drop it unless it is called by name.
static void initAppResources() {
    Q_INIT_RESOURCE(app);
}

namespace icons {

QPixmap pixmap(const char* name, int size) {
    initAppResources();
    QSvgRenderer renderer(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    if (renderer.isValid()) {
        QPainter painter(&pm);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
    }
    return pm;
}

QIcon icon(const char* name) {
    QIcon result;
    for (int size : {16, 24, 32, 48, 64, 128})
        result.addPixmap(pixmap(name, size));
    return result;
}

} // namespace icons
