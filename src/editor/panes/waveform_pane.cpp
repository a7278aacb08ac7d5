#include "editor/panes/waveform_pane.h"

#include "editor/colors.h"
#include "editor/view_state.h"
#include "settings/env_data.h"
#include "sound/wav_sound.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// The peaks one column shows.
struct Peaks {
    int64_t Top;
    int64_t Bottom;
};

// The left pane shows the left channel; the right pane the right channel, or in mono
// display the average of both (half the left channel of a mono file).
Peaks FramePeaks(const SummaryFrame& f, int tag, bool mono)
{
    if (tag == WaveformPane::LeftTag)
        return {f.LeftMax, f.LeftMin};
    if (!mono)
        return {f.RightMax, f.RightMin};
    return {(int64_t{f.LeftMax} + f.RightMax) / 2, (int64_t{f.LeftMin} + f.RightMin) / 2};
}

// y of a peak value in a pane whose centre line is at half.
int PeakY(int64_t value, int half) { return half - TruncToInt(static_cast<double>(value) / 32767.0 * half); }

} // namespace

WaveColors WaveColorsFor(const EnvData& env, int tag)
{
    if (tag == WaveformPane::LeftTag)
        return {env.LwavFg, env.LwavBg, env.BlankBg};
    return {env.RwavFg, env.RwavBg, env.BlankBg};
}

WaveformPane::WaveformPane(int tag, const ViewState& view, const WavSound& sound, QWidget* parent)
    : QWidget(parent), tag_(tag), view_(view), sound_(sound)
{
    // Every pixel is painted in paintEvent.
    setAttribute(Qt::WA_OpaquePaintEvent);
    const auto repaint = [this] { update(); };
    connect(&view, &ViewState::scaleChanged, this, repaint);
    connect(&view, &ViewState::scrollChanged, this, repaint);
    connect(&view, &ViewState::displayChanged, this, repaint);
    const auto moveLine = [this](int oldX, int newX) {
        UpdateColumn(oldX);
        UpdateColumn(newX);
    };
    connect(&view, &ViewState::playCursorMoved, this, moveLine);
    connect(&view, &ViewState::stepLineMoved, this, moveLine);
}

void WaveformPane::SetColors(const WaveColors& colors)
{
    colors_ = colors;
    update();
}

void WaveformPane::UpdateColumn(int canvasX)
{
    const int64_t x = int64_t{canvasX} - view_.ScrollPosition();
    if (x >= 0 && x < width())
        update(static_cast<int>(x), 0, 1, height());
}

void WaveformPane::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    const Timeline& timeline = view_.Mapped();
    if (view_.Closing() || !timeline.SoundLoaded || view_.ScrollRange() == 0) {
        painter.fillRect(area, palette().color(QPalette::Window));
        return;
    }
    const int scroll = view_.ScrollPosition();
    const int from = scroll + area.left();
    const int to = scroll + area.right() + 1;
    const int end = std::min(TruncToInt(timeline.TotalLength * view_.PixelsPerMs()), scroll + width());
    const int waveTo = std::clamp(end, from, to);
    if (waveTo > from)
        PaintWave(painter, from, waveTo);
    if (to > waveTo)
        painter.fillRect(waveTo - scroll, area.top(), to - waveTo, area.height(), palette().color(QPalette::Window));
    PaintOverlays(painter, from, to);
}

// Columns from..to-1 (canvas x, all before the timeline's end) in one pass: each column
// shows the highest and lowest peaks of the summary frames it covers, so a frame is read
// once however far the view is zoomed out.
void WaveformPane::PaintWave(QPainter& painter, int from, int to) const
{
    const int scroll = view_.ScrollPosition();
    const int h = height();
    const int half = h / 2;
    const QColor fg = ToQColor(colors_.Fg);
    painter.fillRect(from - scroll, 0, to - from, h, ToQColor(colors_.Bg));

    const bool mono = view_.MonoDisplay();
    if (!(mono && tag_ == LeftTag)) {
        const TWavFrmList& frames = sound_.Frames();
        const double count = static_cast<double>(frames.size());
        const double offset = view_.Axis().PrePlayTime * view_.PixelsPerMs();
        const double scale = view_.Scale();
        const QColor blank = ToQColor(colors_.Blank);
        int blankFrom = from;
        const auto flushBlank = [&](int upTo) {
            if (upTo > blankFrom)
                painter.fillRect(blankFrom - scroll, 0, upTo - blankFrom, h, blank);
        };
        double f = (from - offset) / scale;
        for (int x = from; x < to; ++x) {
            const double next = (x + 1 - offset) / scale;
            if (f >= 0 && f < count) {
                flushBlank(x);
                blankFrom = x + 1;
                const size_t first = static_cast<size_t>(f);
                const size_t last = std::max(first + 1, next < count ? static_cast<size_t>(next) : frames.size());
                Peaks p = FramePeaks(frames[first], tag_, mono);
                for (size_t k = first + 1; k < last; ++k) {
                    const Peaks q = FramePeaks(frames[k], tag_, mono);
                    p.Top = std::max(p.Top, q.Top);
                    p.Bottom = std::min(p.Bottom, q.Bottom);
                }
                // From the top peak down to the bottom one, the bottom's own pixel left out.
                const int y0 = PeakY(p.Top, half);
                const int y1 = PeakY(p.Bottom, half);
                const int top = std::clamp(y0 < y1 ? y0 : y1 + 1, 0, h);
                const int bottom = std::clamp(y0 < y1 ? y1 : y0 + 1, 0, h);
                if (bottom > top)
                    painter.fillRect(x - scroll, top, 1, bottom - top, fg);
            }
            f = next;
        }
        flushBlank(to);
    }
    if (h > 0)
        painter.fillRect(from - scroll, half, to - from, 1, fg);
}

// The play cursor and the dotted current-step line invert what lies under them, so both
// stay visible on any colour; where the two meet they cancel out.
void WaveformPane::PaintOverlays(QPainter& painter, int from, int to) const
{
    const int scroll = view_.ScrollPosition();
    const int h = height();
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    const int cursor = view_.PlayCursorX();
    if (cursor >= from && cursor < to)
        painter.fillRect(cursor - scroll, 0, 1, h, Qt::black);
    const int step = view_.StepLineX();
    if (step != ViewState::NoStepLine && step >= from && step < to) {
        for (int y = 0; y < h; y += 2)
            painter.fillRect(step - scroll, y, 1, 1, Qt::black);
    }
}

void WaveformPane::mousePressEvent(QMouseEvent* event)
{
    if (sound_.FrameCount() == 0)
        return;
    if (event->button() == Qt::LeftButton) {
        const int x = view_.PointerXAt(event->position().toPoint().x());
        emit seekRequested(x, view_.TimeOfX(x));
    } else if (event->button() == Qt::RightButton) {
        emit contextMenuRequested(event->globalPosition().toPoint() + QPoint(2, 0));
    }
}

void WaveformPane::mouseMoveEvent(QMouseEvent* event)
{
    if (sound_.FrameCount() == 0 || !(event->buttons() & Qt::LeftButton))
        return;
    const int x = view_.PointerXAt(event->position().toPoint().x());
    emit scrubRequested(x, view_.TimeOfX(x));
}
