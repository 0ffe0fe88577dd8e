// What the mouse and the keys do to the graph: zoom and move the time axis, the value cursor,
// cursors A and B, closing and copying. Everything the mouse does the keys can do too.
#include <QApplication>
#include <QChartView>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <cmath>

#include "readings/graph_window.h"

namespace corvane {

namespace {
constexpr double kWheelZoom = 0.8;  // the share of the span left after one notch in
constexpr int kDragPixels = 4;      // a press that moves less is a click
}  // namespace

QString CReadingsGraph::keyHelp() {
    return QStringLiteral(
        "Mouse: the value cursor follows the pointer; wheel zooms the time around it, Shift+wheel moves it; "
        "drag moves the time; click places cursor A, Shift+click or right click cursor B; double click "
        "follows the newest readings.\n"
        "Keys: Left/Right move the value cursor (Shift: 10 times as far); Ctrl+Left/Right move the time; "
        "+ and - zoom; 0 shows everything; Home goes to the first readings, End follows the newest; A and "
        "B place the cursors, Delete takes them away; L lines up a second recording at A and B; Space "
        "pauses; Ctrl+C copies the table; Escape closes the window.");
}

void CReadingsGraph::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    if (event->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(readout().text());
        return;
    }
    QWidget::keyPressEvent(event);
}

bool CReadingsGraph::eventFilter(QObject* watched, QEvent* event) {
    if (watched == chartView_) {
        if (event->type() == QEvent::KeyPress) return handlePlotKey(static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::FocusIn && std::isnan(cursor_))
            setValueCursor(shownFrom_ / 2 + shownTo_ / 2);  // the keys have a cursor to move
    } else if (watched == chartView_->viewport()) {
        return handlePlotMouse(event);
    }
    return QWidget::eventFilter(watched, event);
}

bool CReadingsGraph::handlePlotKey(QKeyEvent* event) {
    const double first = history_.firstTime(), last = history_.lastTime();
    const double span = shownTo_ - shownFrom_;
    const double at = std::isnan(cursor_) ? shownFrom_ + span / 2 : cursor_;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right: {
            const double sign = event->key() == Qt::Key_Left ? -1 : 1;
            if (ctrl) {
                pan(sign * span / 10);
                return true;
            }
            const double step = msPerPixel() * ((event->modifiers() & Qt::ShiftModifier) ? 10 : 1);
            const double next = at + sign * step;
            // The cursor takes the view along when it reaches an edge.
            if (next < shownFrom_ || next > shownTo_) pan(sign * span / 10);
            setValueCursor(next);
            return true;
        }
        case Qt::Key_Plus:
        case Qt::Key_Equal: zoom(0.5, at); return true;
        case Qt::Key_Minus: zoom(2, at); return true;
        case Qt::Key_0: setSpan(SpanAll); return true;
        case Qt::Key_Home:
            view_.show(first, first + span, first, last);
            viewChanged();
            return true;
        case Qt::Key_End: setFollowing(true); return true;
        case Qt::Key_A:
            if (ctrl) return false;
            placeCursorA(at);
            return true;
        case Qt::Key_B: placeCursorB(at); return true;
        case Qt::Key_Delete:
        case Qt::Key_Backspace: clearCursors(); return true;
        case Qt::Key_L: alignComparisonAtCursors(); return true;
        case Qt::Key_Space: setFollowing(!following()); return true;
        default: return false;  // Escape, Tab, Ctrl+C: the window's
    }
}

bool CReadingsGraph::handlePlotMouse(QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseMove: {
            const auto* e = static_cast<QMouseEvent*>(event);
            const QPointF pos = e->position();
            if (pressed_ && !dragging_ && std::abs(pos.x() - pressAt_.x()) >= kDragPixels) dragging_ = true;
            if (dragging_) {
                // The time under the pointer stays under it.
                view_.show(pressFrom_ - (pos.x() - pressAt_.x()) * msPerPixel(),
                           pressFrom_ - (pos.x() - pressAt_.x()) * msPerPixel() + (shownTo_ - shownFrom_),
                           history_.firstTime(), history_.lastTime());
                viewChanged();
                return true;
            }
            setValueCursor(timeAtViewX(pos.x()));
            return true;
        }
        case QEvent::MouseButtonPress: {
            const auto* e = static_cast<QMouseEvent*>(event);
            chartView_->setFocus(Qt::MouseFocusReason);
            if (e->button() == Qt::RightButton) {
                const double t = timeAtViewX(e->position().x());
                if (!std::isnan(t)) placeCursorB(t);
                return true;
            }
            if (e->button() != Qt::LeftButton) return true;
            pressed_ = true;
            dragging_ = false;
            pressAt_ = e->position();
            pressFrom_ = shownFrom_;
            return true;
        }
        case QEvent::MouseButtonRelease: {
            const auto* e = static_cast<QMouseEvent*>(event);
            if (e->button() != Qt::LeftButton || !pressed_) return true;
            pressed_ = false;
            if (dragging_) {
                dragging_ = false;
                return true;
            }
            const double t = timeAtViewX(e->position().x());
            if (std::isnan(t)) return true;
            if (e->modifiers() & Qt::ShiftModifier)
                placeCursorB(t);
            else
                placeCursorA(t);
            return true;
        }
        case QEvent::MouseButtonDblClick:
            pressed_ = dragging_ = false;
            setFollowing(true);
            return true;
        case QEvent::Wheel: {
            const auto* e = static_cast<QWheelEvent*>(event);
            const QPoint delta = e->angleDelta();
            const bool sideways = (e->modifiers() & Qt::ShiftModifier) || (delta.y() == 0 && delta.x() != 0);
            const double notches = (delta.y() != 0 ? delta.y() : delta.x()) / 120.0;
            if (notches == 0) return true;
            if (sideways) {
                pan(-notches * (shownTo_ - shownFrom_) / 10);
            } else {
                const double t = timeAtViewX(e->position().x());
                zoom(std::pow(kWheelZoom, notches), std::isnan(t) ? shownFrom_ / 2 + shownTo_ / 2 : t);
            }
            setValueCursor(timeAtViewX(e->position().x()));
            return true;
        }
        case QEvent::Leave:
            if (!chartView_->hasFocus()) setValueCursor(kNone);
            return false;
        default: return false;
    }
}

}  // namespace corvane
