// Writes pictures of the two panes for a look by eye: the menu pane with an open outline, and
// the client window with one page control of every kind. Usage: forms_gallery [folder]
#include "content/menu_record.h"
#include "controls/palette.h"
#include "forms/client_wnd.h"
#include "forms/form_fields.h"
#include "forms/menu_wnd.h"
#include "platform/resource_ids.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <vector>

using namespace corvane;

namespace {

QImage render(QWidget& w) {
    QImage image(w.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    w.render(&image);
    return image;
}

void fillMenu(CMenuWnd& menu) {
    menu.setBackColour(ColourPanel);
    menu.setBranchFaceColour(ColourAccent);
    menu.setBranchSize(30, 180);
    menu.setLeafSize(45, 200);
    menu.setIndent(30);
    const int engine = menu.insertBranch("Motor", 0);
    menu.insertLeaf("Fehler lesen", 0x101, engine, IDI_FUNCTION_ENGINE, 32, 32);
    menu.insertLeaf("Fehler l\xF6schen", 0x102, engine, IDI_FUNCTION_WRENCH, 32, 32);
    const int live = menu.insertBranch("Istwerte", engine);
    menu.insertLeaf("Temperatur", 0x111, live, IDI_FUNCTION_TEMPERATURE, 32, 32);
    menu.insertLeaf("\xD6ldruck", 0x112, live, IDI_FUNCTION_OIL, 32, 32);
    const int brakes = menu.insertBranch("Bremsen", 0);
    menu.insertLeaf(
        "Entl\xFC"
        "ften",
        0x201, brakes, IDI_FUNCTION_BRAKE, 32, 32);
    menu.insertLeaf("Batterie", 0x301, 0, IDI_FUNCTION_BATTERY, 32, 32);
    menu.insertLeaf("Bericht", 0x302, 0, IDI_FUNCTION_REPORT, 32, 32);
    menu.view().toggle(engine);
    menu.view().toggle(live);
}

PageControl control(std::uint8_t id, char type, int left, int top, int right, int bottom, std::string text = {}) {
    PageControl c;
    c.id = id;
    c.type = static_cast<std::uint8_t>(type);
    c.left = left, c.top = top, c.right = right, c.bottom = bottom;
    c.text = std::move(text);
    return c;
}

std::vector<PageControl> everyKind() {
    std::vector<PageControl> page;
    page.push_back(control(1, 't', 2, 2, 100, 7, "Motor \x96 Istwerte (one control of every kind)"));
    page.push_back(control(2, 'b', 2, 9, 30, 19, "Start"));
    page.back().code = 0x010203;
    page.push_back(control(3, 'b', 32, 9, 52, 29, ""));
    page.back().style = 6;
    page.back().icon = IDI_FUNCTION_TEMPERATURE;
    page.push_back(control(4, 'c', 56, 9, 110, 19, "Modus|AN|AUS|Automatik"));
    page.push_back(control(5, 's', 56, 21, 100, 31, "Drehzahl|1/min"));
    page.push_back(control(6, 'e', 2, 33, 60, 39, ""));
    page.push_back(control(7, 'p', 62, 33, 110, 38, ""));
    page.push_back(control(8, 'l', 2, 42, 60, 70, ""));
    page.push_back(control(9, 'x', 62, 42, 120, 70, ""));
    page.push_back(control(10, 'q', 2, 72, 40, 80, "nothing"));
    return page;
}

void fillPage(CClientWnd& client, std::vector<PageControl>& page) {
    for (auto& c : page) client.addControl(c);
    auto field = [&](std::size_t index) { return client.form().field(page[index]); };
    field(3)->showValue("Automatik");
    field(4)->showValue("2450");
    field(5)->showValue("Fahrgestell WVW123");
    field(6)->showProgress(100, 60);
    field(7)->showLines({"P0300 Z\xFCndaussetzer", "P0171 Gemisch zu mager", "U0100 Kommunikation"});
    qobject_cast<CFormListBox*>(field(7)->widget())->setCurrentRow(1);
    field(8)->showText(
        "K\xFChlmitteltemperatur 92 \xB0"
        "C\r\nAnsauglufttemperatur 31 \xB0"
        "C\r\nPreis 12 \x80");
}

bool save(const QImage& image, const QDir& dir, const char* name) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    const bool ok = image.save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", path.toLocal8Bit().constData());
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) qputenv("QT_SCALE_FACTOR", "1");
    QApplication app(argc, argv);
    const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(CORVANE_GALLERY_DIR));
    if (!QDir().mkpath(dir.path())) return 1;

    // Both panes side by side, placed as the main window places them.
    QWidget frame;
    frame.resize(1000, 620);
    QPalette palette = frame.palette();
    palette.setColor(QPalette::Window, ColourPanel);
    frame.setPalette(palette);
    frame.setAutoFillBackground(true);
    CMenuWnd menu(&frame);
    menu.setGeometry(10, 10, 255, 600);
    fillMenu(menu);
    CClientWnd client(&frame);
    client.setGeometry(265, 10, 720, 600);
    std::vector<PageControl> page = everyKind();
    fillPage(client, page);
    frame.show();
    QApplication::processEvents();

    bool ok = save(render(menu), dir, "menu_pane.png");
    ok &= save(render(client), dir, "client_form.png");
    ok &= save(render(frame), dir, "both_panes.png");
    for (auto& c : page) client.removeControl(c);
    return ok ? 0 : 1;
}
