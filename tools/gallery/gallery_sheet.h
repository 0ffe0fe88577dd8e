#pragma once
// A sheet of labelled pictures, laid out in rows and saved as one PNG.
#include <QDir>
#include <QImage>
#include <QString>
#include <QWidget>

#include <vector>

namespace corvane::gallery {

class Sheet {
public:
    explicit Sheet(QString title) : title_(std::move(title)) {}

    // Adds a picture with its label; newRow starts a new row first.
    void add(const QImage& picture, const QString& label, bool newRow = false);
    // Renders the widget as it would appear on screen (children included) and adds it.
    void add(QWidget& widget, const QString& label, bool newRow = false);

    QImage compose() const;
    bool save(const QDir& folder, const QString& fileName) const;

private:
    struct Cell {
        QImage picture;
        QString label;
    };
    QString title_;
    std::vector<std::vector<Cell>> rows_;
};

}  // namespace corvane::gallery
