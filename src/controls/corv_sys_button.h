#pragma once
// CCorvSysButton: the small square caption button (close, minimise, maximise/restore) of the
// skinned dialogs and the main window. It draws a line glyph and sends no private messages; its
// click reaches the parent as command(id).
#include "controls/button_types.h"
#include "controls/palette.h"

#include <QAbstractButton>

namespace corvane {

class CCorvSysButton : public QAbstractButton {
    Q_OBJECT
public:
    CCorvSysButton();

    virtual bool Create(int kind, int x, int y, int size, QWidget* parent, int id);
    void SetFaceColour(const QColor& colour);
    // frame (also the hover glyph), pressed glyph, normal glyph, spare.
    void SetStateColours(const QColor& frame, const QColor& pressedGlyph, const QColor& normalGlyph,
                         const QColor& spare);
    void SetPosition(int x, int y);

    int kind() const { return kind_; }
    int commandId() const { return id_; }
    ButtonState state() const { return state_; }

signals:
    void command(int id);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void drawGlyph(QPainter& p, const QColor& colour) const;

    bool selected_ = false;
    ButtonState state_ = ButtonNormal;
    bool tracking_ = false;
    int kind_ = SysButtonClose;
    int size_ = 15;
    QColor frame_ = ColourSlate;
    QColor pressedGlyph_ = ColourBlack;
    QColor normalGlyph_ = ColourWhite;
    QColor spare_ = ColourShade;
    QColor face_ = ColourShade;
    int id_ = 0;
};

}  // namespace corvane
