#pragma once
// CTransportTool: the transport key pad the unit opens. Ten keys in a row (START, three back,
// STOP, three forward, END, ESC) and a progress bar under them. Each key hands its key code to
// the owner window as WM_KEYPAD_KEY; the window does not wait and has no way to be closed by
// the user: the owner removes it when the unit says so.
#include <QPushButton>
#include <QtGlobal>

#include <array>
#include <cstdint>

#include "controls/corv_dialog.h"

namespace corvane {

class CCorvProgress;

struct TransportKey {
    const char* text;
    int x;      // dialog units
    int width;  // dialog units
    int command;
    std::uint8_t code;
};

class CTransportTool : public CCorvDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 169;
    static constexpr int kKeyTop = 19;     // dialog units
    static constexpr int kKeyHeight = 26;  // dialog units
    static constexpr std::array<TransportKey, 10> kKeys = {{
        {QT_TRANSLATE_NOOP("corvane::CTransportTool", "START"), 9, 30, 1014, 7},
        {"<<<", 42, 21, 1006, 3},
        {"<<", 63, 18, 1008, 1},
        {"<", 81, 18, 1007, 2},
        {QT_TRANSLATE_NOOP("corvane::CTransportTool", "STOP"), 101, 30, 1012, 255},
        {">", 134, 18, 1009, 5},
        {">>", 152, 18, 1011, 4},
        {">>>", 170, 20, 1010, 6},
        {QT_TRANSLATE_NOOP("corvane::CTransportTool", "END"), 192, 30, 1013, 8},
        {QT_TRANSLATE_NOOP("corvane::CTransportTool", "ESC"), 233, 30, 1015, 9},
    }};

    // `owner` receives the key codes; the key pad is created without waiting and shown.
    explicit CTransportTool(QWidget* owner);
    ~CTransportTool() override;

    QPushButton& key(std::size_t index) { return *keys_[index]; }
    CCorvProgress& progressBar() { return *progress_; }

protected:
    // Neither Enter nor Escape ends the key pad.
    void OnOK() override {}
    void OnCancel() override {}

private:
    void sendKey(std::uint8_t code);

    std::array<QPushButton*, 10> keys_{};
    CCorvProgress* progress_ = nullptr;
};

}  // namespace corvane
