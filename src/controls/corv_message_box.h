#pragma once
// CCorvMessageBox: the 450 x 150 pop-up through which the unit talks to the user: up to three
// lines of text and, by type, a pair of answer buttons, an OK button, nothing, a busy bar or a
// progress bar. A line wider than the box wraps at word boundaries and the box grows by one row
// per extra row, up to kMaxRows rows, so that no text is clipped mid-letter. It is centred over
// its owner. The answer types run modally and return IDOK or IDCANCEL; the others are shown
// without waiting and stay until their owner closes them.
#include "controls/corv_dialog.h"
#include "controls/corv_static.h"

#include <QRect>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

class CCorvButton;
class CCorvProgress;
class CCorvWorkBar;

enum MessageBoxType {
    MessageBoxYesNo = 1,         // "YES" (IDOK) and "NO" (IDCANCEL), modal
    MessageBoxOk = 2,            // "OK" (IDOK), modal
    MessageBoxText = 3,          // text only, without waiting
    MessageBoxBusy = 4,          // text and a running busy bar, without waiting
    MessageBoxProgress = 5,      // text and a progress bar, without waiting
    MessageBoxComputerUnit = 6,  // "COMPUTER" (IDOK) and "CORVANE" (IDCANCEL), modal
};

class CCorvMessageBox : public CCorvDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 148;
    static constexpr int kWidth = 450;
    static constexpr int kHeight = 150;
    static constexpr int kButtonStyle = 0x14;  // Framed + BareNormal
    // Text rows: three fit the standard height; each further row adds kRowPitch pixels, and
    // text past kMaxRows rows is cut with an ellipsis.
    static constexpr int kRowPitch = 20;
    static constexpr std::size_t kMinRows = 3;
    static constexpr std::size_t kMaxRows = 12;
    static constexpr int kRowWidth = kWidth - 40;

    explicit CCorvMessageBox(QWidget* owner);
    // Types 4 and 5 are created and shown at once.
    CCorvMessageBox(const std::string& text, int type, QWidget* owner);
    ~CCorvMessageBox() override;

    // Builds the box for running without waiting; the caller shows it.
    bool Create(const std::string& text, int type, QWidget* owner);
    // Types 1, 2 and 6 run modally and return IDOK or IDCANCEL; any other type returns IDOK at
    // once without showing anything.
    int runModal();

    int type() const { return type_; }
    const std::string& text() const { return text_; }
    // Only a type-5 box has a progress bar to feed; for the others these do nothing.
    void SetProgressRange(int minimum, int maximum);
    void SetProgressPos(int position);
    void StartBusyBar();

    // The text split into its three lines (raw bytes).
    static std::array<std::string, 3> splitLines(const std::string& text);
    // The three lines wrapped into the rows the box shows (at least kMinRows, at most kMaxRows).
    static std::vector<std::string> rowsFor(const std::string& text);
    // Top-left corner of a box of `size` centred over `owner` (outer rectangles, screen coordinates).
    static QPoint centredOver(const QRect& owner, const QSize& size);

    // The parts, for the owner and for tests; null where the type has none.
    CCorvButton* leftButton() const { return left_; }
    CCorvButton* rightButton() const { return right_; }
    CCorvButton* centreButton() const { return centre_; }
    CCorvProgress* progressBar() const { return progress_; }
    CCorvWorkBar* busyBar() const { return busy_; }
    // Row `index` of the text (0 to rowCount() - 1; the first three always exist).
    const CCorvStatic& textLine(int index) const { return *rows_[static_cast<std::size_t>(index)]; }
    int rowCount() const { return static_cast<int>(rows_.size()); }

protected:
    void OnCommand(int id) override;
    // Enter answers only a box that asks something: a notice stays until the unit closes it.
    void OnOK() override;

private:
    void initialise();
    CCorvButton* makeButton(const std::string& caption, const QRect& rect, int id);

    CCorvButton* left_ = nullptr;
    CCorvButton* right_ = nullptr;
    CCorvButton* centre_ = nullptr;
    CCorvProgress* progress_ = nullptr;
    CCorvWorkBar* busy_ = nullptr;
    std::vector<std::unique_ptr<CCorvStatic>> rows_;
    QRect leftRect_, rightRect_, centreRect_, progressRect_, busyRect_;
    std::string text_;
    int type_ = 0;
    bool initialised_ = false;
};

}  // namespace corvane
