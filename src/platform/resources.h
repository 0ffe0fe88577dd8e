#pragma once
// The program's icons, bitmaps and cursors, looked up by number (see resource_ids.h).
#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace corvane {

// Path of a resource in Qt's resource system.
QString resourcePath(int id);

bool hasResource(int id);

// The picture at its natural size; a null image or pixmap when the number has none.
QImage resourceImage(int id);
QPixmap resourcePixmap(int id);
QIcon resourceIcon(int id);

// The cursor picture with its hot spot in the middle, or `fallback` when the number has none.
QCursor resourceCursor(int id, const QCursor& fallback = QCursor(Qt::ArrowCursor));

}  // namespace corvane
