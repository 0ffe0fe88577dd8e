#pragma once
// CCorvButton: the general skinned button (shaded face, icon face, framed flat button or
// two-state toggle). Qt still handles focus, keyboard activation and the click; the button draws
// every pixel itself and follows the mouse to show hover and press. On every left-button release
// it can tell its parent with WM_BUTTON_ADVANCE or WM_BUTTON_CODE, wherever the pointer is.
#include "controls/button_types.h"
#include "controls/palette.h"
#include "platform/window_message.h"

#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QPixmap>

#include <optional>
#include <string>

namespace corvane {

class CCorvButton : public MessageWindow<QAbstractButton> {
    Q_OBJECT
public:
    // No window yet: Create places and shows it.
    CCorvButton();
    ~CCorvButton() override;

    // caption: raw Windows-1252 bytes. Rectangle in the parent's client coordinates, right and
    // bottom exclusive. The id comes back with command() when the button is clicked.
    virtual bool Create(const std::string& caption, unsigned style, int left, int top, int right, int bottom,
                        QWidget* parent, int id);

    void SetFrameColours(const QColor& hover, const QColor& pressed, const QColor& normal, const QColor& focus,
                         const QColor& fifth);
    void SetFaceColours(const QColor& active, const QColor& pressed, const QColor& normal, const QColor& fourth);
    void SetBackColour(const QColor& colour);
    // Each id is an icon picture number, 0 for none; the sizes are those the icons are drawn at.
    void SetIcons(int id1, int width1, int height1, int id2, int width2, int height2, int id3, int width3, int height3);
    // A caption font of this cell height, characters 6 pixels wide on average, weight 600.
    void SetCaptionFont(const QString& faceName, int height);
    static constexpr int kCaptionAverageWidth = 6;
    void SetNotifyCode(int code);
    // Moves the button, capturing the parent's pixels under the new place first.
    void MoveAndRecapture(int left, int top, int right, int bottom);

    void setCaption(const std::string& bytes);
    const std::string& caption() const { return caption_; }

    int commandId() const { return id_; }
    unsigned style() const { return style_; }
    ButtonState state() const { return state_; }
    // The toggle state of a Toggle button; its owner may set it to match what the toggle shows.
    bool toggled() const { return checked_ != 0; }
    void setToggled(bool on);
    // Space or Enter on the focused button: everything a click does, notifications included.
    void pressByKey();
    // The width the caption is drawn in (0 when the button shows none) and its font: a longer
    // caption (a translation) would be cut.
    int captionRoom() const;
    QFont shownCaptionFont() const { return captionFont_.value_or(font()); }

signals:
    // The click reached the button: the press was released over it.
    void command(int id);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    struct Icon {
        QPixmap picture;
        int width = 0;
        int height = 0;
    };

    void captureBackground(const QRect& rect);
    void drawFrame(QPainter& p, const QRect& r, const QColor& colour) const;
    void drawIcon(QPainter& p, const Icon& icon, int width, int height, const QRect& box) const;
    void drawCaption(QPainter& p, QRect box) const;
    void drawShaded(QPainter& p, const QRect& r, const QRect& face) const;
    void drawIconMode(QPainter& p, const QRect& r) const;
    // Tells the parent with WM_BUTTON_ADVANCE or WM_BUTTON_CODE, as the style asks.
    void notifyParent();

    QColor captionNormal_ = ColourEdgeDark;
    QColor captionActive_ = ColourWhite;
    ButtonState state_ = ButtonNormal;
    bool tracking_ = false;
    QPixmap capturedBack_;
    unsigned style_ = 0;
    bool selected_ = false;
    bool focus_ = false;
    QColor frameHover_ = ColourAlert;
    QColor framePressed_ = ColourBlack;
    QColor frameNormal_ = ColourSlate;
    QColor frameFocus_ = ColourHighlight;
    QColor frameSpare_ = ColourShade;
    QColor faceActive_ = ColourAccent;
    QColor facePressed_ = ColourAccent;
    QColor faceNormal_ = ColourAccent;
    QColor faceSpare_ = ColourShade;
    QColor back_ = ColourBlack;
    Icon icons_[3];
    int checked_ = 0;
    std::optional<QFont> captionFont_;
    int notifyCode_ = 0;
    int id_ = 0;
    std::string caption_;
};

}  // namespace corvane
