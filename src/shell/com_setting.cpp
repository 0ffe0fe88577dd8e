#include "shell/com_setting.h"

#include <algorithm>

#include "shell/device_event_source.h"
#include "controls/corv_button.h"
#include "controls/palette.h"
#include "controls/skin_lines.h"
#include "i18n/program_language.h"
#include "platform/cp1252.h"
#include "platform/dialog_units.h"

#include <QAbstractItemView>
#include <QActionGroup>
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
constexpr int kTtySPrefixLength = 9;  // "/dev/ttyS"

// The list, its drop-down and its scroll bar in the skin's colours: light text on the pane grey,
// the chosen line in the accent colour.
const char* const kListStyle =
    "QComboBox { background: rgb(60,60,60); color: rgb(200,200,200); }"
    "QComboBox QAbstractItemView { background: rgb(60,60,60); color: rgb(200,200,200);"
    " selection-background-color: rgb(255,128,64); selection-color: rgb(25,25,25); }";

// The port number written with a device chosen by name, for readers that know only the seven
// bytes: the USB mode for the unit, COMn for /dev/ttyS(n-1), otherwise the number stored before.
int compatiblePortNumber(const SerialDevice& device, int storedPort) {
    if (device.isUnit) return PortConfig::kUsbMode;
    if (device.node.starts_with("/dev/ttyS") && device.node.size() > kTtySPrefixLength) {
        const std::string number = device.node.substr(kTtySPrefixLength);
        if (number.size() <= 2 && number.find_first_not_of("0123456789") == std::string::npos &&
            std::stoi(number) < PortConfig::kMaxComPort)
            return std::stoi(number) + 1;
    }
    return storedPort;
}
}  // namespace

CComSetting::CComSetting(QWidget* parent, PortConfigFile file, WindowState windowState, bool traceOn, QString traceFile)
    : CCorvDialog(kTemplateId, parent, true),
      file_(std::move(file)),
      windowState_(windowState),
      traceOn_(traceOn),
      traceFile_(std::move(traceFile)) {
    setFixedSize(dialogUnitsToPixelsX(150), dialogUnitsToPixelsY(88) + kTraceLineHeight);
    setWindowTitle(tr("Com setting"));
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
        stored_ = initial;
    } else {
        // A damaged or unreadable file gives port 1, as at the program's start (which has said
        // what is wrong with it); it stays as it is until OK.
        fileUnusable_ = file_.read(stored_).unusable();
    }
    storedChoice_ = stored_.port;

    list_ = new QComboBox(this);
    list_->setObjectName(QStringLiteral("comList"));
    list_->setGeometry(kListRect);
    list_->addItem(QStringLiteral("USB"));
    for (int port = 1; port <= PortConfig::kMaxComPort; ++port)
        list_->addItem(QStringLiteral("%1").arg(port, 2, 10, QLatin1Char('0')));
    // A stored number beyond the list (a hand-edited file) selects nothing.
    list_->setCurrentIndex(storedChoice_ >= 0 && storedChoice_ < kListPositions ? storedChoice_ : -1);
    connect(list_, &QComboBox::currentTextChanged, list_, &QWidget::setToolTip);
    refreshDevices();
    if (!stored_.device.empty()) list_->setCurrentIndex(positionOf(stored_.device));
    list_->setStyleSheet(QString::fromLatin1(kListStyle));
    list_->show();
    if (events_) {
        connect(events_, &DeviceEventSource::usbDeviceArrived, this, [this] { refreshDevices(); });
        connect(events_, &DeviceEventSource::usbDeviceRemoved, this, [this] { refreshDevices(); });
        connect(events_, &DeviceEventSource::serialDevicesChanged, this, [this] { refreshDevices(); });
    }

    menu_ = new QMenu(this);
    verbose_ = menu_->addAction(tr(kVerboseDebugOutput));
    verbose_->setCheckable(true);
    verbose_->setChecked(traceOn_);
    connect(verbose_, &QAction::triggered, this, [this] {
        // The item shows what is, not what was asked: the main window sets it when it is done.
        verbose_->setChecked(traceOn_);
        emit command(ID_VERBOSE_DEBUG_OUTPUT);
    });
    reconnect_ = menu_->addAction(tr(kReopenReturningPort));
    reconnect_->setCheckable(true);
    reconnect_->setChecked(stored_.reconnect);
    reconnect_->setToolTip(tr("A device chosen by its name is always reopened when it returns. Saved with OK."));

    // The language of the program's own texts; saved with OK, spoken from the next start on.
    QMenu* languages = menu_->addMenu(tr("Language"));
    languages_ = new QActionGroup(this);
    auto addLanguage = [&](const QString& code, const QString& name) {
        QAction* choice = languages->addAction(name);
        choice->setCheckable(true);
        choice->setData(code);
        choice->setChecked(code.toStdString() == stored_.language);
        languages_->addAction(choice);
    };
    addLanguage({}, tr("The system's language"));
    addLanguage(QStringLiteral("en"), languageName(QStringLiteral("en")));
    for (const QString& code : translatedLanguages()) addLanguage(code, languageName(code));

    prompt_.Create(encodeCp1252(tr(kComSettingPrompt)), kPromptRect.left(), kPromptRect.top(), kPromptRect.right() + 1,
                   kPromptRect.bottom() + 1, this, IDC_COM_NUMBER_TEXT);
    prompt_.SetColours(ColourPanel, ColourEdgeLight);

    // As wide as the list and aligned with it, 10 to 55 pixels below its bottom edge.
    const int listBottom = kListRect.bottom() + 1;
    ok_ = new CCorvButton;
    ok_->Create(encodeCp1252(tr("OK")), ButtonStyle::PlainFace, kListRect.left(), listBottom + 10,
                kListRect.right() + 1, listBottom + 55, this, IDOK);
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
    fillTraceLine();
    traceLine_->show();
}

void CComSetting::fillTraceLine() {
    traceLine_->setToolTip({});
    if (traceOn_ && !traceFile_.isEmpty()) {
        const QString shown =
            QFontMetrics(traceLine_->font()).elidedText(traceFile_, Qt::ElideMiddle, kTraceRect.width());
        traceLine_->setText(tr("Verbose trace on, written to\n%1").arg(shown));
        traceLine_->setToolTip(traceFile_);
    } else if (traceOn_) {
        traceLine_->setText(tr("Verbose trace on"));
    } else {
        traceLine_->setText(tr("Verbose trace off: right click\nhere to switch it on"));
    }
}

void CComSetting::setTraceState(bool traceOn, const QString& traceFile) {
    traceOn_ = traceOn;
    traceFile_ = traceFile;
    if (verbose_) verbose_->setChecked(traceOn);
    if (traceLine_) fillTraceLine();
}

void CComSetting::setDeviceListing(std::function<std::vector<SerialDevice>()> listDevices, DeviceEventSource* events) {
    listDevices_ = std::move(listDevices);
    events_ = events;
}

int CComSetting::positionOf(const std::string& path) const {
    for (int i = kListPositions; i < list_->count(); ++i)
        if (list_->itemData(i).toString().toStdString() == path) return i;
    return -1;
}

void CComSetting::refreshDevices() {
    const int current = list_->currentIndex();
    const std::string chosen = current >= kListPositions ? list_->itemData(current).toString().toStdString() : "";
    devices_ = listDevices_ ? listDevices_() : std::vector<SerialDevice>{};
    while (list_->count() > kListPositions) list_->removeItem(list_->count() - 1);
    for (const SerialDevice& device : devices_) {
        QString text = QString::fromStdString(device.displayName());
        if (!device.mayOpen) text += QStringLiteral(" (no permission)");
        list_->addItem(text, QString::fromStdString(device.stablePath));
    }
    // The stored device and the one chosen so far stay choosable while they are unplugged.
    for (const std::string& path : {stored_.device, chosen}) {
        if (path.empty() || positionOf(path) >= 0) continue;
        if (const std::optional<SerialDevice> listed = findSerialDevice(devices_, path)) {
            // Stored by its node, listed by its stable path: the same device.
            list_->setItemData(positionOf(listed->stablePath), QString::fromStdString(path));
            continue;
        }
        list_->addItem(QString::fromStdString(path) + QStringLiteral(" (not present)"), QString::fromStdString(path));
    }
    if (!chosen.empty()) list_->setCurrentIndex(positionOf(chosen));
    // The drop-down is as wide as its longest name; the narrow box shows the whole of the chosen
    // one in its tooltip.
    int widest = list_->width();
    for (int i = 0; i < list_->count(); ++i)
        widest = std::max(widest, list_->view()->fontMetrics().horizontalAdvance(list_->itemText(i)) + 40);
    list_->view()->setMinimumWidth(widest);
}

void CComSetting::OnOK() {
    const int selection = list_ ? list_->currentIndex() : -1;
    PortConfig config = stored_;
    config.windowState = windowState_;
    config.reconnect = reconnect_ && reconnect_->isChecked();
    if (const QAction* language = languages_ ? languages_->checkedAction() : nullptr)
        config.language = language->data().toString().toStdString();
    chosenDevice_.reset();
    if (selection >= kListPositions) {
        config.device = list_->itemData(selection).toString().toStdString();
        chosenDevice_ = findSerialDevice(devices_, config.device);
        // A device that is not present keeps the number written with it before.
        if (chosenDevice_)
            config.port =
                compatiblePortNumber(*chosenDevice_, stored_.device.empty() ? stored_.port : PortConfig::kDefaultPort);
    } else if (selection >= 0) {
        config.port = selection;
        config.device.clear();
    }
    const bool portChanged = config.port != stored_.port || config.device != stored_.device;
    const bool languageChanged = config.language != stored_.language;
    if (selection >= 0 && (portChanged || languageChanged || config.reconnect != stored_.reconnect || fileUnusable_)) {
        const ConfigWriteResult written = file_.write(config);
        if (written) {
            // The reconnect choice applies at once; a new port or language needs a restart.
            changed_ = portChanged || languageChanged;
            stored_ = config;
            storedChoice_ = config.port;
            savedConfig_ = config;
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
        // At the pointer, where the user looks (not at the screen's corner).
        menu_->popup(event->globalPosition().toPoint());
        return;
    }
    CCorvDialog::mousePressEvent(event);
}

}  // namespace corvane
