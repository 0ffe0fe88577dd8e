#pragma once
// CCorvShowBox: a small read-only display of a named reading. The caption sits in small light
// letters at the upper left (its rest wrapped to the lower left when it is wider than half the
// box), the value in large white letters at the lower right, on a black field with a raised
// 1-pixel frame. Caption and value are raw Windows-1252 bytes, read back unchanged.
#include <QFont>
#include <QString>
#include <QWidget>

#include <functional>
#include <string>

namespace corvane {

class CCorvShowBox : public QWidget {
    Q_OBJECT
public:
    static constexpr std::size_t kMaxCaption = 199;

    CCorvShowBox();

    // Rectangle in the parent's coordinates, right and bottom exclusive. Shown at once.
    bool Create(int left, int top, int right, int bottom, QWidget* parent, int id = 0);

    // Stores the caption (cut to 199 bytes); shows at the next repaint.
    void setCaption(const std::string& caption);
    // Stores the value and repaints at once.
    void setValue(const std::string& value);
    std::string caption() const { return caption_; }
    std::string value() const { return value_; }
    int controlId() const { return id_; }

    // The two caption lines of the last paint.
    const QString& captionLine1() const { return line1_; }
    const QString& captionLine2() const { return line2_; }

    struct Split {
        QString line1;
        QString line2;
    };
    // Splits a caption that is wider than wrapWidth at the rightmost space whose first part is
    // narrower than wrapWidth; without such a space the whole caption goes to line 2.
    static Split splitCaption(const QString& caption, int wrapWidth, const std::function<int(const QString&)>& width);

    const QFont& captionFont() const { return captionFont_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::string caption_ = "Caption";
    QString line1_;
    QString line2_;
    std::string value_ = "Value";
    QFont captionFont_;
    QFont valueFont_;
    int wrapWidth_ = 0;
    int id_ = 0;
};

}  // namespace corvane
