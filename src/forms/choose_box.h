#pragma once
// CChooseBox: a page's choice box. A caption and the current value show in a caption and value
// box; the "Change" button beside it steps through the values the unit sent, and the unit can
// select a value by its text. Texts are raw Windows-1252 bytes and read back unchanged.
#include "controls/corv_button.h"
#include "controls/corv_show_box.h"
#include "platform/window_message.h"

#include <QRect>
#include <QWidget>

#include <array>
#include <string>
#include <string_view>

namespace corvane {

class CChooseBox : public MessageWindow<QWidget> {
    Q_OBJECT
public:
    static constexpr int kMaxItems = 20;
    static constexpr int kValueDisplayId = 10000;
    static constexpr int kChangeButtonId = 10001;
    static constexpr unsigned kChangeButtonStyle = ButtonStyle::IconFace | ButtonStyle::NotifyAdvance;

    // Hidden until create() places and fills it.
    explicit CChooseBox(QWidget* parent = nullptr);
    ~CChooseBox() override;

    // Rectangle in the parent's coordinates, right and bottom exclusive.
    bool create(QWidget* parent, int left, int top, int right, int bottom);

    // Stores the caption and hands it to the value display, which shows it on its next paint.
    void setCaption(const std::string& caption);
    // Reads the items from a list "A|B|C^": '|' separates items, '^' ends the list, and at most
    // kMaxItems items are kept. Clears the value display.
    void setItems(std::string_view list);
    // Steps to the next item, after the last back to the first; nothing with fewer than two.
    void nextItem();
    // Shows the item equal to `text` byte for byte and makes it current; of equal items the
    // last one wins; without a match nothing changes.
    void selectByText(std::string_view text);

    std::string currentItemText() const;
    std::string captionText() const { return caption_; }

    int itemCount() const { return itemCount_; }
    int currentItem() const { return currentItem_; }                                              // 1-based
    const std::string& item(int index) const { return items_[static_cast<std::size_t>(index)]; }  // 0-based
    QRect placement() const { return placement_; }
    CCorvShowBox& valueDisplay() { return valueDisplay_; }
    CCorvButton& changeButton() { return changeButton_; }

protected:
    std::intptr_t windowMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void showItem(int index);

    CCorvButton changeButton_;
    CCorvShowBox valueDisplay_;
    int itemCount_ = 0;
    int currentItem_ = 1;
    std::array<std::string, kMaxItems> items_;
    std::string caption_ = "Caption";
    QRect placement_;
};

}  // namespace corvane
