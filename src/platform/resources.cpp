#include "platform/resources.h"

#include <QFile>

namespace corvane {

QString resourcePath(int id) { return QStringLiteral(":/corvane/images/%1.png").arg(id); }

bool hasResource(int id) { return id > 0 && QFile::exists(resourcePath(id)); }

QImage resourceImage(int id) {
    if (!hasResource(id)) return {};
    return QImage(resourcePath(id));
}

QPixmap resourcePixmap(int id) {
    if (!hasResource(id)) return {};
    return QPixmap(resourcePath(id));
}

QIcon resourceIcon(int id) {
    if (!hasResource(id)) return {};
    return QIcon(resourcePath(id));
}

QCursor resourceCursor(int id, const QCursor& fallback) {
    const QPixmap picture = resourcePixmap(id);
    if (picture.isNull()) return fallback;
    return QCursor(picture, picture.width() / 2, picture.height() / 2);
}

}  // namespace corvane
