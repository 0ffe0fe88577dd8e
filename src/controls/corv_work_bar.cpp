#include "controls/corv_work_bar.h"
#include "controls/accessible_announce.h"

#include "controls/corv_progress.h"
#include "controls/mem_dc.h"
#include "controls/palette.h"
#include "controls/plain_pane.h"
#include "controls/skin_lines.h"

#include <QPainter>
#include <QTimerEvent>

namespace corvane {

CCorvWorkBar::CCorvWorkBar() : QWidget(nullptr) { NoEraseBackground(this); }

bool CCorvWorkBar::Create(int left, int top, int right, int bottom, QWidget* parent) {
    if (!parent) return false;
    setParent(parent);
    setGeometry(rectLTRB(left, top, right, bottom));
    hide();  // the owner shows it
    return true;
}

namespace {
void announceBusy(QWidget* bar) {
    QAccessible::State changed;
    changed.busy = true;
    announceStateChange(bar, changed);
}
}  // namespace

void CCorvWorkBar::Start() {
    timer_.start(kPeriodMs, this);
    announceBusy(this);
}

void CCorvWorkBar::Stop() {
    timer_.stop();
    announceBusy(this);
}

std::vector<CCorvWorkBar::Span> CCorvWorkBar::blockSpans(int position, int innerWidth) {
    // Three blocks of 12 px, 4 px apart. Each block starts after the previous one's right edge
    // as clipped, whether that one was drawn or not; a block cut at the right end ends the row.
    std::vector<Span> spans;
    const int w = innerWidth;
    int left = position;
    for (int block = 0; block < 3; ++block) {
        int right = left + 12;
        bool drawn = true;
        bool last = false;
        if (right <= 5) {
            drawn = false;
        } else {
            if (left <= 5) left = 4;
            if (right > w - 5) {
                right = block < 2 ? w - 4 : w - 5;
                last = true;
            }
            if (left > w - 5) drawn = false;
        }
        if (drawn) spans.push_back({left, right});
        if (last) break;
        left = right + 4;
    }
    return spans;
}

void CCorvWorkBar::paintEvent(QPaintEvent*) {
    QPainter target(this);
    CMemDC dc(target, rect());
    QPainter& p = dc.painter();
    drawBarFrame(p, width(), height());
    innerWidth_ = width() - 2;
    fillSkinRect(p, rect().adjusted(1, 1, -1, -1), ColourBlack);
    // A drawing at the position already shown leaves the frame empty.
    if (position_ == lastDrawn_) return;
    for (const Span& span : blockSpans(position_, innerWidth_))
        fillSkinRect(p, rectLTRB(span.left, 4, span.right, height() - 4), ColourAccent);
    lastDrawn_ = position_;
}

void CCorvWorkBar::advance() {
    position_ += kStep;
    if (position_ > innerWidth_) position_ = kStartPosition;
    repaint();
}

void CCorvWorkBar::timerEvent(QTimerEvent* event) {
    if (event->timerId() == timer_.timerId())
        advance();
    else
        QWidget::timerEvent(event);
}

}  // namespace corvane
