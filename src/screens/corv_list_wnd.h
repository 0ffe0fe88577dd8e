#pragma once
// CCorvListWnd: the modal list window the unit opens to let the user pick one line. Lines
// arrive while it is open and are appended at the end; OK reports the chosen line (1-based, 0
// for none) and the window keeps each line's bytes exactly as the unit sent them.
#include <QRect>

#include <string>
#include <vector>

#include "controls/corv_dialog.h"
#include "controls/corv_static.h"

namespace corvane {

class CCorvButton;
class CFormListBox;

class CCorvListWnd : public CCorvDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 165;
    // The list answer is one byte and 0xFF means "none", so at most 254 lines can be chosen;
    // lines past that are dropped.
    static constexpr int kMaxLines = 254;

    // caption: raw Windows-1252 bytes.
    CCorvListWnd(QWidget* owner, const std::string& caption);
    ~CCorvListWnd() override;

    // Appends the lines in order; false when some were dropped because the list is full.
    bool appendLines(const std::vector<std::string>& lines);
    int lineCount() const;
    // The bytes of line `row` (0-based); empty for a row that does not exist.
    std::string lineBytes(int row) const;

    // 0 = no line chosen, otherwise the chosen line's index + 1. Set by OK.
    int choice() const { return choice_; }
    const std::string& caption() const { return caption_; }

    CFormListBox& listBox() { return *list_; }
    CCorvButton& okButton() { return *ok_; }
    const CCorvStatic& captionStatic() const { return captionStatic_; }

protected:
    void OnOK() override;
    void OnCommand(int id) override;

private:
    std::string caption_;
    int choice_ = 0;
    CCorvStatic captionStatic_;
    CFormListBox* list_ = nullptr;
    CCorvButton* ok_ = nullptr;
};

}  // namespace corvane
