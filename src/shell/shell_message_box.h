#pragma once
// CCorvNoticeBox: the application shell's message box. It looks like the unit's message box
// (skinned frame, light text on the panel colour, framed YES/NO or OK buttons) but wraps its
// text and grows downwards to show all of it: the shell's texts (port errors with advice, the
// USB questions, the about text) run longer than the unit's three fixed lines.
#include "controls/corv_dialog.h"

#include <QFont>
#include <QString>

#include <string>

namespace corvane {

class CCorvButton;

class CCorvNoticeBox : public CCorvDialog {
    Q_OBJECT
public:
    // YesNoPresetNo: the keys start on NO, and Enter anywhere but on YES answers No.
    enum Kind { YesNo, YesNoPresetNo, Ok };

    static constexpr int kTemplateId = 148;
    static constexpr int kWidth = 450;
    static constexpr int kMinHeight = 150;
    static constexpr int kTextMargin = 20;
    static constexpr int kTextTop = 35;
    static constexpr int kButtonHeight = 30;
    static constexpr int kButtonWidth = 190;

    // text: raw Windows-1252 bytes; CR LF, CR and LF each end a line.
    CCorvNoticeBox(const std::string& text, Kind kind, QWidget* owner);

    // Runs modally: IDOK for YES and OK, IDCANCEL for NO and the close button.
    int runModal();

    const QString& shownText() const { return text_; }
    CCorvButton* yesButton() const { return yes_; }
    CCorvButton* noButton() const { return no_; }
    CCorvButton* okButton() const { return ok_; }
    // Where the text is drawn, in the box's coordinates.
    QRect textRect() const { return textRect_; }

protected:
    void OnCommand(int id) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CCorvButton* makeButton(const std::string& caption, const QRect& rect, int id);

    QString text_;
    QFont font_;
    QRect textRect_;
    CCorvButton* yes_ = nullptr;
    CCorvButton* no_ = nullptr;
    CCorvButton* ok_ = nullptr;
    bool presetNo_ = false;
};

}  // namespace corvane
