// The main window's frame: painting of the bands and margins, the layout of the views, mouse
// sizing and moving, wheel routing and the private messages.
#include "screens/corvane_new_dlg.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimerEvent>
#include <QWheelEvent>

#include "controls/mem_dc.h"
#include "controls/palette.h"
#include "controls/skin_lines.h"
#include "controls/system_drag.h"
#include "controls/zone_cursor.h"
#include "platform/resource_ids.h"
#include "platform/resources.h"
#include "platform/window_messages.h"

namespace corvane {

namespace {
const QColor kWideFrameLine{64, 64, 64};

// The frame lines in the whole window's coordinates; each region shows its share of them.
void drawFrameLines(QPainter& p, int W, int H) {
    auto lines = [&](const QColor& colour, int width, int lastGrip) {
        drawSkinPolyline(p, {{W - 6, 30}, {W - 6, H - 6}, {6, H - 6}}, colour, width);
        drawSkinLine(p, {W - 6, H - 16}, {W - 16, H - 6}, colour, width);
        drawSkinLine(p, {W - 6, H - 13}, {W - 13, H - 6}, colour, width);
        drawSkinLine(p, {W - 6, H - lastGrip}, {W - lastGrip, H - 6}, colour, width);
    };
    lines(kWideFrameLine, 3, 11);
    lines(ColourEdgeDark, 1, 10);
}
}  // namespace

const QImage& CCorvaneNewDlg::titlePattern() {
    if (titlePattern_.isNull()) {
        // Black in the title image is the band's own colour.
        QImage image = resourceImage(IDB_TITLE).convertToFormat(QImage::Format_ARGB32);
        const QRgb panel = ColourPanel.rgb();
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if (qAlpha(line[x]) == 0 || (line[x] & 0x00FFFFFF) == 0) line[x] = panel;
            }
        }
        titlePattern_ = image;
    }
    return titlePattern_;
}

void CCorvaneNewDlg::paintEvent(QPaintEvent*) {
    QPainter target(this);
    if (isMinimized()) {
        const QPixmap icon = windowIcon().pixmap(32, 32);
        target.drawPixmap((width() - icon.width()) / 2, (height() - icon.height()) / 2, icon);
        return;
    }
    if (restorePending_) {
        restorePending_ = false;
        if (config_.windowState == WindowState::WorkArea && screen()) setGeometry(screen()->availableGeometry());
    }
    const MainFrameLayout l = mainFrameLayout(width(), height());
    paintRegion(target, l.titleBand, true);
    paintRegion(target, l.leftMargin, false);
    paintRegion(target, l.rightMargin, false);
    paintRegion(target, l.statusBand, false);
}

void CCorvaneNewDlg::paintRegion(QPainter& target, const QRect& region, bool titleBand) {
    if (region.isEmpty()) return;
    CMemDC dc(target, region);
    QPainter& p = dc.painter();
    fillSkinRect(p, region, ColourPanel);
    if (titleBand) {
        const MainFrameLayout l = mainFrameLayout(width(), height());
        closeButton_.SetPosition(l.closeButton.x(), l.closeButton.y());
        sizeButton_.SetPosition(l.sizeButton.x(), l.sizeButton.y());
        minimiseButton_.SetPosition(l.minimiseButton.x(), l.minimiseButton.y());
        p.fillRect(l.titleImage, QBrush(titlePattern()));
        fillSkinRect(p, l.accentBar, ColourAccent);
    }
    drawFrameLines(p, width(), height());
}

void CCorvaneNewDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    keepSystemDraggedGeometry();
    if (viewsCreated_) layoutViews();
}

void CCorvaneNewDlg::layoutViews() {
    // Every resize gives the menu its default width back.
    const MainFrameLayout l = mainFrameLayout(width(), height());
    menuRect_ = l.menuPane;
    menuWnd_.setGeometry(menuRect_);
    clientWnd_.setGeometry(l.clientPane);
    statusText_.setGeometry(l.statusText);
    statusLamp_.setGeometry(l.statusLamp);
    busyBar_.setGeometry(l.busyBar);
    closeButton_.SetPosition(l.closeButton.x(), l.closeButton.y());
    sizeButton_.SetPosition(l.sizeButton.x(), l.sizeButton.y());
    minimiseButton_.SetPosition(l.minimiseButton.x(), l.minimiseButton.y());
}

void CCorvaneNewDlg::onMenuEdgeChanged() {
    menuRect_ = menuWnd_.geometry();
    clientWnd_.setGeometry(clientPaneRect(menuRect_.x() + menuRect_.width(), width(), height()));
}

QCursor CCorvaneNewDlg::cursorFor(FrameDrag zone) const {
    switch (zone) {
        case FrameDrag::Width: return QCursor(Qt::SizeHorCursor);
        case FrameDrag::Height: return QCursor(Qt::SizeVerCursor);
        case FrameDrag::Corner: return cornerCursor_;
        case FrameDrag::Move: return QCursor(Qt::SizeAllCursor);
        case FrameDrag::None: break;
    }
    return QCursor(Qt::ArrowCursor);
}

void CCorvaneNewDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QDialog::mousePressEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    // A maximised window stays where it is.
    if (config_.windowState != WindowState::Maximised)
        dragMode_ = frameDragZone(point.x(), point.y(), width(), height());
    lastPoint_ = point;
    if (dragMode_ != FrameDrag::None && handDragToWindowSystem(dragMode_)) {
        dragMode_ = FrameDrag::None;
        systemDragged_ = true;
    }
}

bool CCorvaneNewDlg::handDragToWindowSystem(FrameDrag zone) {
    switch (zone) {
        case FrameDrag::Move: return startSystemMove(*this);
        case FrameDrag::Width: return startSystemResize(*this, Qt::RightEdge);
        case FrameDrag::Height: return startSystemResize(*this, Qt::BottomEdge);
        case FrameDrag::Corner: return startSystemResize(*this, Qt::RightEdge | Qt::BottomEdge);
        case FrameDrag::None: break;
    }
    return false;
}

void CCorvaneNewDlg::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    keepSystemDraggedGeometry();
}

void CCorvaneNewDlg::keepSystemDraggedGeometry() {
    // A move or size made by the window system ends without a release reaching the window; the
    // normal placement keeps what it left, as it keeps the result of a drag of our own.
    if (systemDragged_ && config_.windowState == WindowState::Normal) normalGeometry_ = geometry();
}

void CCorvaneNewDlg::updateFrameCursor(QPoint point) {
    // A drag keeps its cursor until the button is released. Otherwise a zone shows its cursor
    // only where nothing lies over the frame, and never while the window is maximised.
    FrameDrag zone = dragMode_;
    if (zone == FrameDrag::None && config_.windowState != WindowState::Maximised && !childAt(point))
        zone = frameDragZone(point.x(), point.y(), width(), height());
    showZoneCursor(*this, zone == FrameDrag::None ? std::nullopt : std::optional<QCursor>(cursorFor(zone)));
}

void CCorvaneNewDlg::childEvent(QChildEvent* event) {
    keepChildCursor(event);
    QDialog::childEvent(event);
}

void CCorvaneNewDlg::leaveEvent(QEvent* event) {
    if (dragMode_ == FrameDrag::None) showZoneCursor(*this, std::nullopt);
    QDialog::leaveEvent(event);
}

void CCorvaneNewDlg::mouseMoveEvent(QMouseEvent* event) {
    // Moves over children that do not take them arrive here too, with the child under the point.
    const QPoint point = event->position().toPoint();
    updateFrameCursor(point);
    if (dragMode_ == FrameDrag::None) return;
    const int dx = point.x() - lastPoint_.x();
    const int dy = point.y() - lastPoint_.y();
    if (dragMode_ == FrameDrag::Move) {
        // The grabbed point stays under the pointer, so the last point is kept.
        move(pos() + QPoint(dx, dy));
        return;
    }
    setGeometry(draggedGeometry(geometry(), dragMode_, dx, dy));
    lastPoint_ = point;
    repaint();
}

void CCorvaneNewDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QDialog::mouseReleaseEvent(event);
        return;
    }
    if (dragMode_ != FrameDrag::None && config_.windowState == WindowState::Normal) normalGeometry_ = geometry();
    dragMode_ = FrameDrag::None;
    updateFrameCursor(event->position().toPoint());
    repaint();
}

void CCorvaneNewDlg::wheelEvent(QWheelEvent* event) {
    routeWheel(event->angleDelta().y(), static_cast<int>(event->globalPosition().x()));
    event->accept();
}

bool CCorvaneNewDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel && (watched == &menuWnd_ || watched == &clientWnd_)) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        routeWheel(wheel->angleDelta().y(), static_cast<int>(wheel->globalPosition().x()));
        wheel->accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CCorvaneNewDlg::routeWheel(int delta, int screenX) {
    // A narrow strip right of the menu still counts to the menu.
    const int menuRight = menuRect_.x() + menuRect_.width();
    QObject* pane = screenX > geometry().left() + menuRight + MainFrame::kWheelDeadStrip
                        ? static_cast<QObject*>(&clientWnd_)
                        : static_cast<QObject*>(&menuWnd_);
    const auto amount = static_cast<std::int16_t>(delta);
    sendWindowMessage(pane, WM_SCROLL_WHEEL, static_cast<std::uintptr_t>(static_cast<std::intptr_t>(amount)), 0);
}

void CCorvaneNewDlg::timerEvent(QTimerEvent* event) {
    if (event->timerId() == supervisionTimer_.timerId()) {
        supervisor_.tick();
        reportTraceFailure();
        return;
    }
    QDialog::timerEvent(event);
}

std::intptr_t CCorvaneNewDlg::windowMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    switch (message) {
        case WM_MENU_EDGE: onMenuEdgeChanged(); return 0;
        default:
            if (pageChoices_.handle(message, wParam)) {
                emit messageHandled(message);
                return 0;
            }
            return MessageWindow<QDialog>::windowMessage(message, wParam, lParam);
    }
}

}  // namespace corvane
