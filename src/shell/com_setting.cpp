#include "shell/com_setting.h"

#include "controls/corv_button.h"
#include "controls/palette.h"
#include "controls/skin_lines.h"
#include "platform/dialog_units.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>

namespace corvane {

namespace {
// The dialog is 150 x 88 dialog units; the prompt and the list sit below its caption band.
const QRect kPromptRect = rectLTRB(15, 35, 210, 55);
const QRect kListRect = rectLTRB(15, 58, 210, 80);
// Two lines of small text below the OK button (which ends 55 pixels below the list).
const QRect kTraceRect = rectLTRB(15, 80 + 59, 210, 80 + 59 + 34);
constexpr int kTraceFontPixels = 12;
}  // namespace

CComSetting::CComSetting(QWidget* parent, PortConfigFile file, WindowState windowState, bool traceOn, QString traceFile)
    : CCorvDialog(kTemplateId, parent, true),
      file_(std::move(file)),
      windowState_(windowState),
      traceOn_(traceOn),
      traceFile_(std::move(traceFile)) {
    setFixedSize(dialogUnitsToPixelsX(150), dialogUnitsToPixelsY(88) + kTraceLineHeight);
    setWindowTitle(QStringLiteral("Com setting"));
}

// The prompt is a member: it leaves the dialog's children before the dialog deletes the rest.
CComSetting::~CComSetting() = default;

int CComSetting::DoModal() {
    OnInitDialog();
    return CCorvDialog::DoModal();
}

void CComSetting::OnInitDialog() {
    if (initialised_) return;
    initialised_ = true;

    if (!file_.exists()) {
        PortConfig initial;  // port 1, maximised: "COM01,0"
        if (const ConfigWriteResult written = file_.write(initial); !written) writeError_ = written.error;
        storedChoice_ = initial.port;
    } else {
        // A damaged or unreadable file gives port 1, as at the program's start (which has said
        // what is wrong with it); it stays as it is until OK.
        PortConfig config;
        fileUnusable_ = file_.read(config).unusable();
        storedChoice_ = config.port;
    }

    list_ = new QComboBox(this);
    list_->setObjectName(QStringLiteral("comList"));
    list_->setGeometry(kListRect);
    list_->addItem(QStringLiteral("USB"));
    for (int port = 1; port <= PortConfig::kMaxComPort; ++port)
        list_->addItem(QStringLiteral("%1").arg(port, 2, 10, QLatin1Char('0')));
    // A stored number beyond the list (a hand-edited file) selects nothing.
    list_->setCurrentIndex(storedChoice_ >= 0 && storedChoice_ < kListPositions ? storedChoice_ : -1);
    list_->setStyleSheet(QStringLiteral("QComboBox { background: rgb(60,60,60); color: rgb(200,200,200); }"));
    list_->show();

    menu_ = new QMenu(this);
    verbose_ = menu_->addAction(QString::fromLatin1(kVerboseDebugOutput));
    verbose_->setCheckable(true);
    verbose_->setChecked(traceOn_);
    connect(verbose_, &QAction::triggered, this, [this] { emit command(ID_VERBOSE_DEBUG_OUTPUT); });

    prompt_.Create(kComSettingPrompt, kPromptRect.left(), kPromptRect.top(), kPromptRect.right() + 1,
                   kPromptRect.bottom() + 1, this, IDC_COM_NUMBER_TEXT);
    prompt_.SetColours(ColourPanel, ColourEdgeLight);

    // As wide as the list and aligned with it, 10 to 55 pixels below its bottom edge.
    const int listBottom = kListRect.bottom() + 1;
    ok_ = new CCorvButton;
    ok_->Create("OK", ButtonStyle::PlainFace, kListRect.left(), listBottom + 10, kListRect.right() + 1, listBottom + 55,
                this, IDOK);
    routeCommands(ok_);

    // Whether the trace runs is otherwise only seen in the menu, which few find.
    traceLine_ = new QLabel(this);
    traceLine_->setObjectName(QStringLiteral("traceLine"));
    traceLine_->setGeometry(kTraceRect);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(kTraceFontPixels);
    traceLine_->setFont(font);
    traceLine_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    traceLine_->setStyleSheet(QStringLiteral("QLabel { background: rgb(25,25,25); color: rgb(200,200,200); }"));
    if (traceOn_ && !traceFile_.isEmpty()) {
        const QString shown = QFontMetrics(font).elidedText(traceFile_, Qt::ElideMiddle, kTraceRect.width());
        traceLine_->setText(QStringLiteral("Verbose trace on, written to\n") + shown);
        traceLine_->setToolTip(traceFile_);
    } else if (traceOn_) {
        traceLine_->setText(QStringLiteral("Verbose trace on"));
    } else {
        traceLine_->setText(QStringLiteral("Verbose trace off: right click\nhere to switch it on"));
    }
    traceLine_->show();
}

void CComSetting::OnOK() {
    const int selection = list_ ? list_->currentIndex() : -1;
    if (selection >= 0 && (selection != storedChoice_ || fileUnusable_)) {
        PortConfig config;
        config.port = selection;
        config.windowState = windowState_;
        const ConfigWriteResult written = file_.write(config);
        if (written) {
            changed_ = selection != storedChoice_;
            storedChoice_ = selection;
            savedChoice_ = selection;
            fileUnusable_ = false;
            writeError_.clear();
        } else {
            // Nothing was saved: the restart notice must not claim otherwise.
            writeError_ = written.error;
        }
    }
    done(IDOK);
}

void CComSetting::OnCommand(int id) {
    if (id == IDOK) {
        OnOK();
        return;
    }
    CCorvDialog::OnCommand(id);
}

void CComSetting::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && menu_) {
        // The menu opens at the screen's top-left corner.
        menu_->popup(QPoint(0, 0));
        return;
    }
    CCorvDialog::mousePressEvent(event);
}

}  // namespace corvane
