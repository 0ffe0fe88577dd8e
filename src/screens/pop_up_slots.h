#pragma once
// What the page handlers and the pop-up handlers need of each other. The page handlers fill the
// list window, the progress notice and the key pad's bar that the pop-ups opened; the pop-ups
// reset the transfer progress shown on the page after a file was saved.
#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

class PopUpSlots {
public:
    virtual ~PopUpSlots() = default;
    // Appends the lines at the end of the open list window, in order; false when none is open.
    virtual bool appendToListWindow(const std::vector<std::string>& lines) = 0;
    // True while the message-box slot holds a box, whatever its type.
    virtual bool messageBoxOpen() const = 0;
    // Range 0..range and the position for the open message box when it is the progress notice;
    // any other box, or none, is left alone.
    virtual void setMessageBoxProgress(int range, int position) = 0;
    // Range 0..range and the position for the key pad's bar while the key pad is open.
    virtual void setKeyPadProgress(int range, int position) = 0;
};

class TransferProgressView {
public:
    virtual ~TransferProgressView() = default;
    // Shows how far a file transfer has gone: `done` of `total` bytes.
    virtual void showTransferProgress(std::uint32_t total, std::uint32_t done) = 0;
};

}  // namespace corvane
