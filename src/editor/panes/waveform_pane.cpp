#include "editor/panes/waveform_pane.h"

#include "editor/view_state.h"
#include "gui_common/colors.h"
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
    int32_t Top;
    int32_t Bottom;
};

// y of a peak value in a pane whose centre line is at half.
int PeakY(int32_t value, int half) { return half - TruncToInt(static_cast<double>(value) / 32767.0 * half); }

// Walks columns from..to-1 (canvas x) once: column(x, peaks) for each column inside the
// sound, with the highest and lowest peaks of the frames it covers, so every frame is read
// once however far the view is zoomed out; blank(x0, x1) for each run of columns outside.
// Frame f of column x is (x - offset) / scale.
template <class PeaksOf, class Column, class Blank>
void WalkColumns(const TWavFrmList& frames, int from, int to, double offset, double scale, PeaksOf peaksOf,
                 Column column, Blank blank)
{
    const double count = static_cast<double>(frames.size());
    int blankFrom = from;
    double f = (from - offset) / scale;
    for (int x = from; x < to; ++x) {
        const double next = (x + 1 - offset) / scale;
        if (f >= 0 && f < count) {
            if (x > blankFrom)
                blank(blankFrom, x);
            blankFrom = x + 1;
            const size_t first = static_cast<size_t>(f);
            const size_t last = std::max(first + 1, next < count ? static_cast<size_t>(next) : frames.size());
            Peaks p = peaksOf(frames[first]);
            for (size_t k = first + 1; k < last; ++k) {
                const Peaks q = peaksOf(frames[k]);
                p.Top = std::max(p.Top, q.Top);
                p.Bottom = std::min(p.Bottom, q.Bottom);
            }
            column(x, p);
        }
        f = next;
    }
    if (to > blankFrom)
        blank(blankFrom, to);
}

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

// Columns from..to-1 (canvas x, all before the timeline's end).
void WaveformPane::PaintWave(QPainter& painter, int from, int to) const
{
    const int scroll = view_.ScrollPosition();
    const int h = height();
    const int half = h / 2;
    const QColor fg = ToQColor(colors_.Fg);
    painter.fillRect(from - scroll, 0, to - from, h, ToQColor(colors_.Bg));

    const bool mono = view_.MonoDisplay();
    if (!(mono && tag_ == LeftTag)) {
        const QColor blankColor = ToQColor(colors_.Blank);
        const auto blank = [&](int x0, int x1) { painter.fillRect(x0 - scroll, 0, x1 - x0, h, blankColor); };
        // From the top peak down to the bottom one, the bottom's own pixel left out.
        const auto column = [&](int x, Peaks p) {
            const int y0 = PeakY(p.Top, half);
            const int y1 = PeakY(p.Bottom, half);
            const int top = std::clamp(y0 < y1 ? y0 : y1 + 1, 0, h);
            const int bottom = std::clamp(y0 < y1 ? y1 : y0 + 1, 0, h);
            if (bottom > top)
                painter.fillRect(x - scroll, top, 1, bottom - top, fg);
        };
        const TWavFrmList& frames = sound_.Frames();
        const double offset = view_.Axis().PrePlayTime * view_.PixelsPerMs();
        const double scale = view_.Scale();
        // The left pane shows the left channel; the right pane the right channel, or in mono
        // display the average of both (half the left channel of a mono file).
        if (tag_ == LeftTag) {
            WalkColumns(frames, from, to, offset, scale,
                        [](const SummaryFrame& f) { return Peaks{f.LeftMax, f.LeftMin}; }, column, blank);
        } else if (!mono) {
            WalkColumns(frames, from, to, offset, scale,
                        [](const SummaryFrame& f) { return Peaks{f.RightMax, f.RightMin}; }, column, blank);
        } else {
            WalkColumns(
                frames, from, to, offset, scale,
                [](const SummaryFrame& f) {
                    return Peaks{static_cast<int32_t>((int64_t{f.LeftMax} + f.RightMax) / 2),
                                 static_cast<int32_t>((int64_t{f.LeftMin} + f.RightMin) / 2)};
                },
                column, blank);
        }
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
