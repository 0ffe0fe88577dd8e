#pragma once
// CCorvDialog: the base of every small skinned dialog. It replaces the system frame: an accent
// caption band by which the user drags the dialog, a thick accent frame with edge lines, and a
// close and a minimise caption button (created on the first paint). Derived dialogs add their
// controls and handle their commands in OnCommand.
#include "platform/window_message.h"

#include <QDialog>

namespace corvane {

class CCorvButton;
class CCorvSysButton;

// Results of a dialog run.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

class CCorvDialog : public MessageWindow<QDialog> {
    Q_OBJECT
public:
    static constexpr int kCaptionBandHeight = 25;
    static constexpr int IDC_CLOSE_BUTTON = 101;
    static constexpr int IDC_MINIMISE_BUTTON = 103;
    static constexpr int kCaptionButtonSize = 15;

    // templateId names the dialog's layout; captionButtons false hides both caption buttons.
    CCorvDialog(int templateId, QWidget* parent, bool captionButtons);
    ~CCorvDialog() override;

    // Runs the dialog modally; returns IDOK, IDCANCEL or the value given to done().
    virtual int DoModal();

    int templateId() const { return templateId_; }
    bool isModalRun() const { return modal_; }
    bool isDragging() const { return dragging_; }
    // Null until the first paint.
    CCorvSysButton* closeButton() const { return closeButton_; }
    CCorvSysButton* minimiseButton() const { return minimiseButton_; }

    // Routes a child button's clicks to OnCommand with its id.
    void routeCommands(CCorvButton* button);

public slots:
    void accept() override { OnOK(); }
    void reject() override { OnCancel(); }

protected:
    virtual void OnOK();
    virtual void OnCancel();
    // The commands of the dialog's buttons; the base handles the two caption buttons.
    virtual void OnCommand(int id);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createCaptionButtons();

    int templateId_;
    bool modal_ = false;
    bool captionButtons_;
    QPoint dragAnchor_;
    bool dragging_ = false;
    CCorvSysButton* closeButton_ = nullptr;
    CCorvSysButton* minimiseButton_ = nullptr;
};

}  // namespace corvane
