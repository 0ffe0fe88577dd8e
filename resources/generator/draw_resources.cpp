// Draws the program's own pictures into resources/images/<number>.png. Run it after changing a
// drawing and commit the PNGs: the build only compiles the files in.
//   corvane_draw_resources <output folder>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QDir>
#include <QFont>
#include <QLinearGradient>
#include <QRadialGradient>
#include <QtMath>

#include <cstdio>
#include <functional>

namespace {

const QColor kAccent(255, 128, 64);
const QColor kAccentDark(200, 90, 40);
const QColor kLight(200, 200, 200);
const QColor kWhite(255, 255, 255);
const QColor kPanel(25, 25, 25);
const QColor kSteel(140, 140, 140);

using Drawing = std::function<void(QPainter&, double)>;  // painter on a 100 x 100 canvas; scale

QImage render(int width, int height, const Drawing& draw, QColor background = Qt::transparent) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(background);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double scale = width / 100.0;
    p.scale(scale, height / 100.0);
    draw(p, scale);
    return image;
}

QPen pen(const QColor& colour, double width) {
    QPen p(colour, width);
    p.setCapStyle(Qt::RoundCap);
    p.setJoinStyle(Qt::RoundJoin);
    return p;
}

// --- function pictures (menu items and page buttons) -----------------------------------------

void engine(QPainter& p, double) {
    p.setPen(pen(kAccent, 5));
    p.setBrush(Qt::NoBrush);
    QPainterPath block;
    block.moveTo(22, 38);
    block.lineTo(34, 38);
    block.lineTo(40, 30);
    block.lineTo(62, 30);
    block.lineTo(68, 38);
    block.lineTo(78, 38);
    block.lineTo(78, 48);
    block.lineTo(86, 48);
    block.lineTo(86, 64);
    block.lineTo(78, 64);
    block.lineTo(78, 74);
    block.lineTo(36, 74);
    block.lineTo(28, 66);
    block.lineTo(22, 66);
    block.closeSubpath();
    p.drawPath(block);
    p.drawLine(QPointF(14, 44), QPointF(14, 62));
    p.drawLine(QPointF(14, 53), QPointF(22, 53));
    p.drawLine(QPointF(44, 22), QPointF(58, 22));
    p.drawLine(QPointF(51, 22), QPointF(51, 30));
    p.setPen(pen(kLight, 4));
    p.drawLine(QPointF(40, 52), QPointF(64, 52));
}

void battery(QPainter& p, double) {
    p.setPen(pen(kAccent, 5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(16, 32, 68, 46), 5, 5);
    p.drawLine(QPointF(28, 24), QPointF(40, 24));
    p.drawLine(QPointF(60, 24), QPointF(72, 24));
    p.setPen(pen(kLight, 5));
    p.drawLine(QPointF(28, 55), QPointF(42, 55));
    p.drawLine(QPointF(35, 48), QPointF(35, 62));
    p.drawLine(QPointF(58, 55), QPointF(72, 55));
}

void gauge(QPainter& p, double) {
    p.setPen(pen(kAccent, 5));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(14, 20, 72, 72), 200 * 16, -220 * 16);
    p.setPen(pen(kLight, 3));
    for (int i = 0; i <= 6; ++i) {
        const double a = qDegreesToRadians(200.0 - i * 220.0 / 6);
        p.drawLine(QPointF(50 + 28 * std::cos(a), 56 - 28 * std::sin(a)),
                   QPointF(50 + 22 * std::cos(a), 56 - 22 * std::sin(a)));
    }
    p.setPen(pen(kWhite, 5));
    p.drawLine(QPointF(50, 56), QPointF(68, 38));
    p.setBrush(kAccent);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(50, 56), 6, 6);
}

void wrench(QPainter& p, double) {
    p.translate(50, 50);
    p.rotate(-45);
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawRoundedRect(QRectF(-6, -16, 12, 50), 5, 5);
    QPainterPath head;
    head.addEllipse(QPointF(0, -24), 16, 16);
    QPainterPath jaw;
    jaw.addRect(QRectF(-6, -44, 12, 22));
    p.drawPath(head.subtracted(jaw));
    p.setBrush(kPanel);
    p.drawEllipse(QPointF(0, 26), 3, 3);
}

void key(QPainter& p, double) {
    p.setPen(pen(kAccent, 6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(32, 50), 16, 16);
    p.drawLine(QPointF(48, 50), QPointF(86, 50));
    p.drawLine(QPointF(74, 50), QPointF(74, 62));
    p.drawLine(QPointF(84, 50), QPointF(84, 60));
    p.setPen(Qt::NoPen);
    p.setBrush(kLight);
    p.drawEllipse(QPointF(32, 50), 5, 5);
}

void car(QPainter& p, double) {
    p.setPen(pen(kAccent, 5));
    p.setBrush(Qt::NoBrush);
    QPainterPath body;
    body.moveTo(12, 62);
    body.lineTo(12, 50);
    body.lineTo(24, 46);
    body.lineTo(34, 32);
    body.lineTo(64, 32);
    body.lineTo(76, 46);
    body.lineTo(88, 50);
    body.lineTo(88, 62);
    body.closeSubpath();
    p.drawPath(body);
    p.setPen(pen(kLight, 4));
    p.drawLine(QPointF(28, 46), QPointF(72, 46));
    p.drawLine(QPointF(50, 34), QPointF(50, 46));
    p.setPen(pen(kAccent, 5));
    p.setBrush(kPanel);
    p.drawEllipse(QPointF(28, 66), 9, 9);
    p.drawEllipse(QPointF(72, 66), 9, 9);
}

void brake(QPainter& p, double) {
    p.setPen(pen(kLight, 5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(50, 50), 32, 32);
    p.setPen(pen(kAccent, 5));
    p.drawEllipse(QPointF(50, 50), 12, 12);
    p.setPen(Qt::NoPen);
    p.setBrush(kLight);
    for (int i = 0; i < 5; ++i) {
        const double a = qDegreesToRadians(90.0 + i * 72.0);
        p.drawEllipse(QPointF(50 + 22 * std::cos(a), 50 - 22 * std::sin(a)), 3, 3);
    }
    p.setPen(pen(kAccent, 9));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(14, 14, 72, 72), 20 * 16, 60 * 16);
}

void temperature(QPainter& p, double) {
    p.setPen(pen(kLight, 5));
    p.setBrush(Qt::NoBrush);
    QPainterPath tube;
    tube.moveTo(42, 62);
    tube.lineTo(42, 22);
    tube.arcTo(QRectF(42, 14, 16, 16), 180, -180);
    tube.lineTo(58, 62);
    p.drawPath(tube);
    p.drawArc(QRectF(34, 56, 32, 32), 120 * 16, 300 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawEllipse(QPointF(50, 72), 10, 10);
    p.drawRect(QRectF(47, 36, 6, 34));
    p.setPen(pen(kLight, 3));
    for (int y = 28; y <= 52; y += 8) p.drawLine(QPointF(66, y), QPointF(74, y));
}

void oil(QPainter& p, double) {
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    QPainterPath drop;
    drop.moveTo(50, 14);
    drop.cubicTo(QPointF(62, 34), QPointF(76, 48), QPointF(76, 62));
    drop.cubicTo(QPointF(76, 78), QPointF(64, 88), QPointF(50, 88));
    drop.cubicTo(QPointF(36, 88), QPointF(24, 78), QPointF(24, 62));
    drop.cubicTo(QPointF(24, 48), QPointF(38, 34), QPointF(50, 14));
    p.drawPath(drop);
    p.setPen(pen(kWhite, 4));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(34, 52, 26, 26), 180 * 16, 80 * 16);
}

void lamp(QPainter& p, double) {
    p.setPen(pen(kAccent, 5));
    p.setBrush(Qt::NoBrush);
    QPainterPath bulb;
    bulb.moveTo(40, 66);
    bulb.cubicTo(QPointF(40, 56), QPointF(28, 50), QPointF(28, 38));
    bulb.cubicTo(QPointF(28, 24), QPointF(38, 14), QPointF(50, 14));
    bulb.cubicTo(QPointF(62, 14), QPointF(72, 24), QPointF(72, 38));
    bulb.cubicTo(QPointF(72, 50), QPointF(60, 56), QPointF(60, 66));
    bulb.closeSubpath();
    p.drawPath(bulb);
    p.setPen(pen(kLight, 5));
    p.drawLine(QPointF(41, 75), QPointF(59, 75));
    p.drawLine(QPointF(44, 84), QPointF(56, 84));
    p.setPen(pen(kWhite, 3));
    p.drawArc(QRectF(36, 24, 20, 20), 100 * 16, 80 * 16);
}

void report(QPainter& p, double) {
    p.setPen(pen(kLight, 5));
    p.setBrush(Qt::NoBrush);
    QPainterPath sheet;
    sheet.moveTo(24, 12);
    sheet.lineTo(62, 12);
    sheet.lineTo(76, 26);
    sheet.lineTo(76, 88);
    sheet.lineTo(24, 88);
    sheet.closeSubpath();
    p.drawPath(sheet);
    p.drawLine(QPointF(62, 12), QPointF(62, 26));
    p.drawLine(QPointF(62, 26), QPointF(76, 26));
    p.setPen(pen(kAccent, 5));
    for (int y = 42; y <= 74; y += 11) p.drawLine(QPointF(34, y), QPointF(y == 74 ? 52 : 66, y));
}

void graph(QPainter& p, double) {
    p.setPen(pen(kLight, 5));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(16, 16), QPointF(16, 84));
    p.drawLine(QPointF(16, 84), QPointF(86, 84));
    p.setPen(pen(kAccent, 5));
    QPainterPath curve;
    curve.moveTo(24, 70);
    curve.lineTo(38, 48);
    curve.lineTo(50, 58);
    curve.lineTo(64, 28);
    curve.lineTo(80, 40);
    p.drawPath(curve);
}

void settings(QPainter& p, double) {
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    QPainterPath gear;
    gear.addEllipse(QPointF(50, 50), 26, 26);
    for (int i = 0; i < 8; ++i) {
        QPainterPath tooth;
        tooth.addRect(QRectF(-7, -36, 14, 16));
        QTransform t;
        t.translate(50, 50);
        t.rotate(i * 45.0);
        gear = gear.united(t.map(tooth));
    }
    QPainterPath hole;
    hole.addEllipse(QPointF(50, 50), 11, 11);
    p.drawPath(gear.subtracted(hole));
}

// --- program furniture -----------------------------------------------------------------------

void applicationIcon(QPainter& p, double) {
    QLinearGradient body(0, 0, 0, 100);
    body.setColorAt(0, QColor(70, 70, 70));
    body.setColorAt(1, QColor(30, 30, 30));
    p.setPen(pen(kAccent, 5));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(18, 6, 64, 88), 10, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(15, 15, 15));
    p.drawRect(QRectF(27, 16, 46, 34));
    p.setPen(pen(kAccent, 4));
    p.drawPolyline(QPolygonF(
        {QPointF(31, 40), QPointF(40, 40), QPointF(45, 24), QPointF(52, 46), QPointF(57, 34), QPointF(69, 34)}));
    p.setPen(Qt::NoPen);
    p.setBrush(kLight);
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col) p.drawRoundedRect(QRectF(29 + col * 15, 60 + row * 14, 11, 8), 2, 2);
}

void info(QPainter& p, double) {
    p.setPen(pen(kAccent, 6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(50, 50), 40, 40);
    p.setPen(pen(kLight, 10));
    p.drawLine(QPointF(50, 46), QPointF(50, 72));
    p.setPen(Qt::NoPen);
    p.setBrush(kLight);
    p.drawEllipse(QPointF(50, 29), 6.5, 6.5);
}

void comSetting(QPainter& p, double) {
    // A nine-pin serial connector with its cable.
    p.setPen(pen(kLight, 5));
    p.setBrush(QColor(45, 45, 45));
    QPainterPath shell;
    shell.moveTo(10, 30);
    shell.lineTo(90, 30);
    shell.lineTo(80, 62);
    shell.lineTo(20, 62);
    shell.closeSubpath();
    p.drawPath(shell);
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    for (int i = 0; i < 5; ++i) p.drawEllipse(QPointF(26 + i * 12, 41), 3.5, 3.5);
    for (int i = 0; i < 4; ++i) p.drawEllipse(QPointF(32 + i * 12, 52), 3.5, 3.5);
    p.setPen(pen(kAccent, 6));
    p.drawLine(QPointF(50, 62), QPointF(50, 92));
}

void changeArrows(QPainter& p, const QColor& colour, double shift) {
    p.setPen(pen(colour, 10));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(
        QPolygonF({QPointF(26 + shift, 24 + shift), QPointF(50 + shift, 50 + shift), QPointF(26 + shift, 76 + shift)}));
    p.drawPolyline(
        QPolygonF({QPointF(54 + shift, 24 + shift), QPointF(78 + shift, 50 + shift), QPointF(54 + shift, 76 + shift)}));
}

void cornerCursor(QPainter& p, double scale) {
    // A diagonal double arrow from the top left to the bottom right; white with a black outline.
    QPainterPath arrow;
    arrow.moveTo(10, 10);
    arrow.lineTo(42, 10);
    arrow.lineTo(31, 21);
    arrow.lineTo(79, 69);
    arrow.lineTo(90, 58);
    arrow.lineTo(90, 90);
    arrow.lineTo(58, 90);
    arrow.lineTo(69, 79);
    arrow.lineTo(21, 31);
    arrow.lineTo(10, 42);
    arrow.closeSubpath();
    p.setPen(QPen(Qt::black, 2.0 / scale * 1.5));
    p.setBrush(kWhite);
    p.drawPath(arrow);
}

QImage statusLamp(const QColor& colour) {
    // Status lamps are bitmaps: opaque, on the band's background.
    return render(
        15, 15,
        [colour](QPainter& p, double) {
            QRadialGradient glow(QPointF(42, 40), 50);
            glow.setColorAt(0, colour.lighter(160));
            glow.setColorAt(1, colour.darker(130));
            p.setPen(QPen(QColor(10, 10, 10), 8));
            p.setBrush(glow);
            p.drawEllipse(QPointF(50, 50), 42, 42);
        },
        kPanel);
}

QImage title() {
    // Transparent background: the main window shows its band colour wherever the title's
    // pixels are entirely zero.
    QImage image(322, 63, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    // A trace line running under the name.
    p.setPen(pen(kAccent, 3));
    p.drawPolyline(QPolygonF({QPointF(12, 44), QPointF(40, 44), QPointF(48, 28), QPointF(58, 56), QPointF(66, 38),
                              QPointF(74, 44), QPointF(300, 44)}));
    // The main window lays its accent band over the title from x = 280 on (rows 6 to 22): the
    // name is sized so that its last letter ends well before it.
    const QString text = QStringLiteral("CORVANE");
    constexpr int kNameLeft = 84;
    constexpr int kNameRight = 272;
    QFont name(QStringLiteral("DejaVu Sans"));
    name.setBold(true);
    name.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    QRectF inked;
    for (int size = 34; size > 10; --size) {
        name.setPixelSize(size);
        QPainterPath outline;
        outline.addText(0, 0, name, text);
        inked = outline.boundingRect();
        if (kNameLeft + inked.right() + 1 <= kNameRight) break;
    }
    p.setFont(name);
    p.setPen(kWhite);
    p.drawText(QRectF(kNameLeft, 0, kNameRight - kNameLeft, 40), Qt::AlignLeft | Qt::AlignVCenter, text);
    QFont sub(QStringLiteral("DejaVu Sans"));
    sub.setPixelSize(10);
    sub.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    p.setFont(sub);
    p.setPen(kLight);
    p.drawText(QRectF(84, 49, 230, 12), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("DESKTOP COMPANION"));
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool ok = true;
    auto save = [&](int id, const QImage& image) {
        const QString path = out.filePath(QStringLiteral("%1.png").arg(id));
        if (!image.save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ok = false;
        }
    };

    save(138, render(64, 64, applicationIcon));
    save(141, render(40, 40, info));
    save(142, render(40, 40, comSetting));
    save(143, render(32, 32, [](QPainter& p, double) { changeArrows(p, kLight, 0); }));
    save(144, render(32, 32, [](QPainter& p, double) { changeArrows(p, kAccentDark, 0); }));
    save(145, render(32, 32, [](QPainter& p, double) { changeArrows(p, kAccent, 0); }));
    save(147, render(32, 32, cornerCursor));
    save(149, statusLamp(QColor(40, 200, 70)));
    save(150, statusLamp(QColor(220, 40, 30)));
    save(151, title());
    const Drawing functions[] = {engine,      battery, gauge, wrench, key,   car,     brake,
                                 temperature, oil,     lamp,  report, graph, settings};
    for (int i = 0; i < 13; ++i) save(152 + i, render(80, 80, functions[i]));
    return ok ? 0 : 1;
}
