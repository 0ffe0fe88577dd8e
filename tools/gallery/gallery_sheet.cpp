#include "gallery_sheet.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace corvane::gallery {

namespace {
constexpr int kGap = 16;
constexpr int kLabelHeight = 18;
constexpr int kTitleHeight = 28;
const QColor kSheetBack(45, 45, 45);
const QColor kLabel(200, 200, 200);
}  // namespace

void Sheet::add(const QImage& picture, const QString& label, bool newRow) {
    if (rows_.empty() || newRow) rows_.emplace_back();
    rows_.back().push_back({picture, label});
}

void Sheet::add(QWidget& widget, const QString& label, bool newRow) {
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    widget.render(&image);
    add(image, label, newRow);
}

QImage Sheet::compose() const {
    int width = 0, height = kTitleHeight;
    for (const auto& row : rows_) {
        int rowWidth = kGap, rowHeight = 0;
        for (const auto& cell : row) {
            rowWidth += std::max(cell.picture.width(), 110) + kGap;
            rowHeight = std::max(rowHeight, cell.picture.height());
        }
        width = std::max(width, rowWidth);
        height += rowHeight + kLabelHeight + kGap;
    }
    QImage sheet(std::max(width, 300), height + kGap, QImage::Format_RGB32);
    sheet.fill(kSheetBack);
    QPainter p(&sheet);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    QFont titleFont = font;
    titleFont.setPixelSize(15);
    titleFont.setBold(true);
    p.setPen(kLabel);
    p.setFont(titleFont);
    p.drawText(QRect(kGap, 4, sheet.width(), kTitleHeight - 4), Qt::AlignLeft | Qt::AlignVCenter, title_);
    p.setFont(font);
    int y = kTitleHeight;
    for (const auto& row : rows_) {
        int x = kGap, rowHeight = 0;
        for (const auto& cell : row) {
            p.drawImage(x, y, cell.picture);
            const int cellWidth = std::max(cell.picture.width(), 110);
            p.drawText(QRect(x, y + cell.picture.height() + 2, cellWidth + kGap, kLabelHeight - 2),
                       Qt::AlignLeft | Qt::AlignTop, cell.label);
            x += cellWidth + kGap;
            rowHeight = std::max(rowHeight, cell.picture.height());
        }
        y += rowHeight + kLabelHeight + kGap;
    }
    return sheet;
}

bool Sheet::save(const QDir& folder, const QString& fileName) const {
    return compose().save(folder.filePath(fileName), "PNG");
}

}  // namespace corvane::gallery
