#pragma once
// CCorvStatic: the skin's label. Paints its background and up to 198 characters of its text,
// left and top aligned, broken only at line breaks, in Arial with a 16-pixel cell.
#include "controls/palette.h"

#include <QFont>
#include <QWidget>

#include <string>

namespace corvane {

class CCorvStatic : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMaxShownCharacters = 198;

    CCorvStatic();

    // The font every label draws with.
    static QFont labelFont();
    // Width of `bytes` as a label draws them on one line ('&' marks a mnemonic, "&&" is one '&').
    static int shownWidth(const std::string& bytes, const QFont& font);

    // text: raw Windows-1252 bytes; rectangle in the parent's coordinates, right and bottom
    // exclusive. Shown at once.
    bool Create(const std::string& text, int left, int top, int right, int bottom, QWidget* parent, int id = 0);
    void SetColours(const QColor& back, const QColor& text);

    // The window text; changing it repaints.
    void setText(const std::string& bytes);
    const std::string& text() const { return text_; }

    int controlId() const { return id_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor back_ = ColourPane;
    QColor textColour_ = ColourEdgeLight;
    QFont font_;
    std::string text_;
    int id_ = 0;
};

}  // namespace corvane
