// corvane_gallery [output folder]
// Renders every skinned control in each of its states into PNG sheets (default: the build
// folder's gallery/), for reviewing the skin without a unit.
#include "gallery_sheet.h"

#include "controls/corv_button.h"
#include "controls/corv_dialog.h"
#include "controls/corv_message_box.h"
#include "controls/corv_progress.h"
#include "controls/corv_scroll_bar.h"
#include "controls/corv_show_box.h"
#include "controls/corv_static.h"
#include "controls/corv_sys_button.h"
#include "controls/corv_work_bar.h"
#include "controls/palette.h"
#include "platform/resource_ids.h"
#include "platform/resources.h"
#include "resources/resource_catalog.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include <cstdio>
#include <functional>

using namespace corvane;
using corvane::gallery::Sheet;

namespace {

// A plain coloured window for the controls to sit on.
class Backdrop : public QWidget {
public:
    explicit Backdrop(QColor colour) : colour_(colour) {}

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), colour_); }

private:
    QColor colour_;
};

void sendMouse(QWidget& w, QEvent::Type type, QPoint at, bool held) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, at, w.mapToGlobal(at), button, held ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &e);
}
void hover(QWidget& w, QPoint at) { sendMouse(w, QEvent::MouseMove, at, false); }
void press(QWidget& w, QPoint at) { sendMouse(w, QEvent::MouseButtonPress, at, true); }
void release(QWidget& w, QPoint at) { sendMouse(w, QEvent::MouseButtonRelease, at, false); }
void leave(QWidget& w) {
    QEvent e(QEvent::Leave);
    QCoreApplication::sendEvent(&w, &e);
}

QImage renderWidget(QWidget& w) {
    QImage image(w.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    w.render(&image);
    return image;
}

// --- buttons ---------------------------------------------------------------------------------

struct ButtonSample {
    QString name;
    unsigned style;
    std::string caption;
    QSize size;
    QColor backdrop;
    std::function<void(CCorvButton&)> setup;
};

enum class Pose { Normal, Hover, Pressed, PressedOutside, Focused, Toggled, ToggledHover };

const char* poseName(Pose pose) {
    switch (pose) {
        case Pose::Normal: return "normal";
        case Pose::Hover: return "hover";
        case Pose::Pressed: return "pressed";
        case Pose::PressedOutside: return "pressed, pointer out";
        case Pose::Focused: return "focused";
        case Pose::Toggled: return "toggled";
        case Pose::ToggledHover: return "toggled, hover";
    }
    return "";
}

QImage poseButton(const ButtonSample& element, Pose pose) {
    Backdrop host(element.backdrop);
    host.resize(element.size + QSize(20, 20));
    auto* button = new CCorvButton;
    button->Create(element.caption, element.style, 10, 10, 10 + element.size.width(), 10 + element.size.height(), &host,
                   1);
    if (element.setup) element.setup(*button);
    const QPoint inside(element.size.width() / 2, element.size.height() / 2);
    switch (pose) {
        case Pose::Normal: break;
        case Pose::Hover: hover(*button, inside); break;
        case Pose::Pressed:
            hover(*button, inside);
            press(*button, inside);
            break;
        case Pose::PressedOutside:
            hover(*button, inside);
            press(*button, inside);
            sendMouse(*button, QEvent::MouseMove, QPoint(-30, -30), true);
            break;
        case Pose::Focused:
            host.show();
            QApplication::setActiveWindow(&host);
            // The focus frame belongs to the drawing right after the focus change.
            button->setFocus(Qt::TabFocusReason);
            break;
        case Pose::Toggled:
        case Pose::ToggledHover:
            hover(*button, inside);
            press(*button, inside);
            release(*button, inside);
            if (pose == Pose::Toggled) leave(*button);
            break;
    }
    return renderWidget(host);
}

void buttonSheet(Sheet& sheet) {
    const std::vector<ButtonSample> buttons = {
        {"message box 0x14",
         0x14,
         "YES",
         {190, 30},
         ColourPanel,
         [](CCorvButton& b) {
             b.SetBackColour(ColourPanel);
             b.SetFrameColours(ColourEdgeLight, ColourEdgeLight, ColourEdgeDark, ColourEdgeDark, ColourEdgeDark);
             b.SetFaceColours(ColourAccent, ColourAccent, ColourAccent, ColourEdgeDark);
         }},
        {"page button 0x2400", 0x2400, "Start test", {150, 40}, ColourPane, nullptr},
        {"list OK 0x400", 0x400, "OK", {150, 40}, ColourPanel, nullptr},
        {"menu branch 0x40",
         0x40,
         "Engine",
         {180, 30},
         ColourPanel,
         [](CCorvButton& b) {
             b.SetBackColour(ColourPanel);
             b.SetFaceColours(ColourAccent, ColourAccent, ColourAccent, ColourEdgeDark);
         }},
        {"menu leaf 0x12C",
         0x12C,
         "Read codes",
         {200, 45},
         ColourPanel,
         [](CCorvButton& b) {
             b.SetIcons(IDI_FUNCTION_ENGINE, 32, 32, 0, 0, 0, IDI_FUNCTION_ENGINE, 32, 32);
             b.SetBackColour(ColourPanel);
         }},
        {"Com setting 0x10C",
         0x10C,
         "Com setting",
         {125, 50},
         ColourPanel,
         [](CCorvButton& b) {
             b.SetBackColour(ColourPanel);
             b.SetCaptionFont(QStringLiteral("MS sans serif"), 10);
             b.SetIcons(IDI_COM_SETTING, 40, 40, IDI_COM_SETTING, 40, 40, IDI_COM_SETTING, 40, 40);
         }},
        {"info 0x0C",
         0x0C,
         "",
         {45, 50},
         ColourPanel,
         [](CCorvButton& b) {
             b.SetBackColour(ColourPanel);
             b.SetIcons(IDI_INFO, 40, 40, IDI_INFO, 40, 40, IDI_INFO, 40, 40);
         }},
        {"choice Change 0x1008",
         0x1008,
         "Change",
         {45, 50},
         ColourPane,
         [](CCorvButton& b) {
             b.SetBackColour(ColourPane);
             b.SetIcons(IDI_CHANGE_NORMAL, 32, 32, IDI_CHANGE_PRESSED, 32, 32, IDI_CHANGE_HOVER, 32, 32);
         }},
        {"page icon button 0x200C",
         0x200C,
         "",
         {100, 100},
         ColourPane,
         [](CCorvButton& b) {
             b.SetBackColour(ColourPane);
             b.SetIcons(IDI_FUNCTION_OIL, 80, 80, IDI_FUNCTION_OIL, 80, 80, IDI_FUNCTION_OIL, 80, 80);
         }},
    };
    for (const ButtonSample& element : buttons) {
        bool first = true;
        std::vector<Pose> poses = {Pose::Normal, Pose::Hover, Pose::Pressed, Pose::PressedOutside, Pose::Focused};
        if (element.style & ButtonStyle::Toggle)
            poses = {Pose::Normal, Pose::Hover, Pose::Pressed, Pose::Toggled, Pose::ToggledHover};
        for (Pose pose : poses) {
            sheet.add(poseButton(element, pose), first ? element.name + ": " + poseName(pose) : poseName(pose), first);
            first = false;
        }
    }
}

void sysButtonSheet(Sheet& sheet) {
    const int kinds[] = {SysButtonClose, SysButtonMinimise, SysButtonMaximise};
    const char* names[] = {"close", "minimise", "maximise"};
    for (int k = 0; k < 3; ++k) {
        for (int pose = 0; pose < 3; ++pose) {
            Backdrop host(ColourAccent);
            host.resize(35, 35);
            auto* button = new CCorvSysButton;
            button->Create(kinds[k], 10, 10, 15, &host, 101);
            button->SetFaceColour(ColourAccent);
            button->SetStateColours(ColourGlyphDark, ColourAccent, ColourEdgeDark, ColourGlyphDark);
            if (pose >= 1) hover(*button, {7, 7});
            if (pose == 2) press(*button, {7, 7});
            const char* state[] = {"normal", "hover", "pressed"};
            sheet.add(renderWidget(host), QString("%1 %2").arg(names[k], state[pose]), pose == 0);
        }
    }
}

// --- scroll bars -----------------------------------------------------------------------------

void scrollBarSheet(Sheet& sheet) {
    struct Case {
        QString label;
        int pos;
        std::function<void(CCorvScrollBar&)> act;
    };
    const std::vector<Case> cases = {
        {"pos 0", 0, nullptr},
        {"pos 60", 60, nullptr},
        {"pos 120 (end)", 119, nullptr},
        {"thumb hover", 60,
         [](CCorvScrollBar& b) { hover(b, b.orientation() == ScrollVertical ? QPoint(7, 100) : QPoint(100, 7)); }},
        {"thumb pressed", 60,
         [](CCorvScrollBar& b) { press(b, b.orientation() == ScrollVertical ? QPoint(7, 100) : QPoint(100, 7)); }},
        {"arrow hover", 60, [](CCorvScrollBar& b) { hover(b, QPoint(5, 5)); }},
        {"arrow pressed", 60, [](CCorvScrollBar& b) { press(b, QPoint(5, 5)); }},
    };
    for (ScrollOrientation orientation : {ScrollVertical, ScrollHorizontal}) {
        bool first = true;
        for (const Case& c : cases) {
            Backdrop host(ColourPane);
            host.resize(230, 230);
            auto* bar = new CCorvScrollBar;
            bar->Create(orientation, &host);
            bar->Place(0, 0, 215, 215);
            bar->SetRange(0, 300, 180);
            bar->SetPos(c.pos);
            bar->show();
            if (c.act) c.act(*bar);
            sheet.add(renderWidget(*bar), (orientation == ScrollVertical ? "vertical " : "horizontal ") + c.label,
                      first);
            first = false;
        }
    }
}

// --- texts and boxes -------------------------------------------------------------------------

void staticSheet(Sheet& sheet) {
    struct Case {
        std::string text;
        bool onPanel;
        QString label;
    };
    const std::vector<Case> cases = {
        {"Corvane not connected...", true, "status text"},
        {"Engine speed", false, "form label (defaults)"},
        {"Line one\r\nLine two", true, "two lines"},
        {"A&B and A&&B", true, "mnemonic"},
        {"Temperature 90 \xB0"
         "C, \x80 12,50",
         true, "Windows-1252 text"},
    };
    bool first = true;
    for (const Case& c : cases) {
        Backdrop host(ColourPanel);
        host.resize(260, 40);
        auto* label = new CCorvStatic;
        label->Create(c.text, 0, 0, 260, 40, &host);
        if (c.onPanel) label->SetColours(ColourPanel, ColourEdgeLight);
        sheet.add(renderWidget(*label), c.label, first);
        first = false;
    }
}

void showBoxSheet(Sheet& sheet) {
    struct Case {
        std::string caption, value;
        QString label;
    };
    const std::vector<Case> cases = {
        {"", "", "new box"},
        {"Engine speed", "850 rpm", "short caption"},
        {"Intake air temperature sensor",
         "23 \xB0"
         "C",
         "caption wrapped"},
        {"Manifoldabsolutepressure", "101 kPa", "no space: line 2 only"},
    };
    bool first = true;
    for (const Case& c : cases) {
        Backdrop host(ColourPane);
        host.resize(200, 50);
        auto* box = new CCorvShowBox;
        box->Create(0, 0, 200, 50, &host);
        if (!c.caption.empty()) {
            box->setCaption(c.caption);
            box->setValue(c.value);
        }
        sheet.add(renderWidget(*box), c.label, first);
        first = false;
    }
}

void barSheet(Sheet& sheet) {
    bool first = true;
    for (int value : {0, 25, 50, 75, 100, 150}) {
        Backdrop host(ColourPanel);
        auto* progress = new CCorvProgress;
        progress->Create(0, 0, 206, 30, &host);
        progress->SetRange(0, 100);
        progress->SetPos(value);
        sheet.add(renderWidget(*progress), QString("progress %1").arg(value), first);
        first = false;
    }
    first = true;
    for (int frame = 0; frame <= 14; ++frame) {
        Backdrop host(ColourPanel);
        auto* busy = new CCorvWorkBar;
        busy->Create(0, 0, 100, 17, &host);
        QImage learn = renderWidget(*busy);  // the first drawing learns the inner width
        for (int i = 0; i < frame; ++i) busy->advance();
        sheet.add(renderWidget(*busy), QString("busy %1").arg(busy->blockPosition()), first || frame == 8);
        first = false;
    }
}

// --- dialogs ---------------------------------------------------------------------------------

void dialogSheet(Sheet& sheet) {
    for (bool buttons : {true, false}) {
        CCorvDialog dialog(146, nullptr, buttons);
        dialog.resize(300, 150);
        renderWidget(dialog);  // the first paint makes the caption buttons
        sheet.add(renderWidget(dialog), buttons ? "base dialog" : "without caption buttons", false);
    }
}

void messageBoxSheet(Sheet& sheet) {
    Backdrop owner(ColourPanel);
    owner.setGeometry(0, 0, 800, 600);
    const std::string text = "The unit asks:\r\nErase all stored fault codes?\r\nThe engine must be off.";
    const char* names[] = {"", "1 YES/NO", "2 OK", "3 text", "4 busy", "5 progress", "6 COMPUTER/CORVANE"};
    for (int type = 1; type <= 6; ++type) {
        CCorvMessageBox box(&owner);
        box.Create(text, type, &owner);
        renderWidget(box);  // the first paint makes the caption buttons
        if (type == MessageBoxBusy)
            for (int i = 0; i < 12; ++i) box.busyBar()->advance();
        if (type == MessageBoxProgress) {
            box.SetProgressRange(0, 100);
            box.SetProgressPos(40);
        }
        sheet.add(renderWidget(box), QString("type %1").arg(names[type]), type % 2 == 1);
        if (type == MessageBoxYesNo) {
            hover(*box.leftButton(), {95, 15});
            sheet.add(renderWidget(box), "type 1, YES hovered");
        }
    }
    CCorvMessageBox wrapped(&owner);
    wrapped.Create(
        "Fault P0171: system too lean, bank 1\r\nCheck the wiring between the engine control module and "
        "the harness connector C104 and retest after repair; if the fault comes back, measure the "
        "sensor's supply at pin 2 with the ignition on.",
        MessageBoxOk, &owner);
    renderWidget(wrapped);
    sheet.add(renderWidget(wrapped), "type 2, a long line wrapped", true);
}

void pictureSheet(Sheet& sheet) {
    bool first = true;
    int n = 0;
    for (int id : kResourcePictureIds) {
        QImage picture = resourceImage(id);
        QImage tile(picture.size().expandedTo(QSize(64, 15)), QImage::Format_RGB32);
        tile.fill(id == IDB_TITLE ? ColourPanel : ColourPane);
        QPainter(&tile).drawImage(0, 0, picture);
        sheet.add(tile, QString::number(id), first || n % 8 == 0);
        first = false;
        ++n;
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(CORVANE_GALLERY_DIR));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(out.path()));
        return 1;
    }
    struct Entry {
        const char* file;
        const char* title;
        void (*fill)(Sheet&);
    };
    const Entry entries[] = {
        {"buttons.png", "CCorvButton: the program's button styles in each state", buttonSheet},
        {"caption_buttons.png", "CCorvSysButton on a dialog's caption band", sysButtonSheet},
        {"scroll_bars.png", "CCorvScrollBar: range 0..300, page 180", scrollBarSheet},
        {"static_texts.png", "CCorvStatic", staticSheet},
        {"show_boxes.png", "CCorvShowBox", showBoxSheet},
        {"progress_and_busy.png", "CCorvProgress values and CCorvWorkBar frames", barSheet},
        {"dialogs.png", "CCorvDialog", dialogSheet},
        {"message_boxes.png", "CCorvMessageBox types 1 to 6", messageBoxSheet},
        {"pictures.png", "Pictures by number", pictureSheet},
    };
    bool ok = true;
    for (const Entry& entry : entries) {
        Sheet sheet(QString::fromLatin1(entry.title));
        entry.fill(sheet);
        const bool saved = sheet.save(out, QString::fromLatin1(entry.file));
        std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(out.filePath(QString::fromLatin1(entry.file))));
        ok = ok && saved;
    }
    return ok ? 0 : 1;
}
