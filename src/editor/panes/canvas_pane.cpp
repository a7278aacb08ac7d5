#include "editor/panes/canvas_pane.h"

#include "editor/edit_state.h"
#include "editor/editor_session.h"
#include "editor/view_state.h"

#include <QPainter>

#include <algorithm>

CanvasPane::CanvasPane(EditorSession& session, ViewState& view, QWidget* parent)
    : QWidget(parent), session_(session), view_(view), edit_(session.Edit())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    const auto repaint = [this] { update(); };
    connect(&view, &ViewState::scaleChanged, this, repaint);
    connect(&view, &ViewState::scrollChanged, this, repaint);
    connect(&view, &ViewState::displayChanged, this, repaint);
    connect(&session, &EditorSession::changed, this, [this](const EditorChange& change) {
        if (Shows(change))
            update();
    });
}

bool CanvasPane::Shows(const EditorChange& change) const { return change.TouchesCurrentLine(CurrentLine()); }

bool CanvasPane::Painting() const { return !view_.Closing() && view_.Mapped().SoundLoaded; }

int CanvasPane::CurrentLine() const { return session_.CurrentLine(); }

const TStepList& CanvasPane::PaintedLine(int line) const
{
    if (const EditState::LineSet* frozen = edit_.Frozen())
        return (*frozen)[size_t(line)];
    return Line(line);
}

const TStepList& CanvasPane::Line(int line) const { return session_.Document().Lines[size_t(line)]; }

int CanvasPane::PointerX(int localX) const { return view_.PointerXAt(localX); }

int CanvasPane::TimelineEnd() const
{
    return std::min(TruncToInt(view_.Mapped().TotalLength * view_.PixelsPerMs()), view_.ScrollPosition() + width());
}

PixelCanvas CanvasPane::Raster(int from, int to)
{
    const int w = std::max(1, to - from);
    const int h = std::max(1, height());
    if (raster_.width() < w || raster_.height() != h)
        raster_ = QImage(std::max(w, width()), h, QImage::Format_RGB32);
    return PixelCanvas(reinterpret_cast<uint32_t*>(raster_.bits()), int(raster_.bytesPerLine() / 4), w, h, from);
}

void CanvasPane::PutRaster(QPainter& painter, int from, int to)
{
    painter.drawImage(from - view_.ScrollPosition(), 0, raster_, 0, 0, to - from, height());
}

void CanvasPane::PaintBeyondTimeline(QPainter& painter, int from, int to) const
{
    const int end = std::max(TimelineEnd(), from);
    if (to > end)
        painter.fillRect(end - view_.ScrollPosition(), 0, to - end, height(), palette().color(QPalette::Window));
}

void CanvasPane::PaintPlayCursor(QPainter& painter, int from, int to) const
{
    const int x = view_.PlayCursorX();
    if (x < from || x >= to)
        return;
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.fillRect(x - view_.ScrollPosition(), 0, 1, height(), Qt::black);
    painter.restore();
}

void CanvasPane::PaintStepLine(QPainter& painter, int from, int to) const
{
    const int x = view_.StepLineX();
    if (x == ViewState::NoStepLine || x < from || x >= to)
        return;
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    for (int y = 0; y < height(); y += 2)
        painter.fillRect(x - view_.ScrollPosition(), y, 1, 1, Qt::black);
    painter.restore();
}

void CanvasPane::PaintInvertedFrame(QPainter& painter, const PixelRect& r) const
{
    if (r.Empty())
        return;
    const int left = r.Left - view_.ScrollPosition();
    const int w = r.Right - r.Left;
    const int h = r.Bottom - r.Top;
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.fillRect(left, r.Top, w, 1, Qt::black);
    if (h > 1)
        painter.fillRect(left, r.Bottom - 1, w, 1, Qt::black);
    if (h > 2) {
        painter.fillRect(left, r.Top + 1, 1, h - 2, Qt::black);
        if (w > 1)
            painter.fillRect(r.Right - 1 - view_.ScrollPosition(), r.Top + 1, 1, h - 2, Qt::black);
    }
    painter.restore();
}

void CanvasPane::UpdateColumn(int canvasX)
{
    const int64_t x = int64_t{canvasX} - view_.ScrollPosition();
    if (x >= 0 && x < width())
        update(int(x), 0, 1, height());
}

int CanvasPane::WheelNotches(int angleDelta)
{
    wheelRest_ += angleDelta;
    const int notches = wheelRest_ / 120;
    wheelRest_ -= notches * 120;
    return notches;
}
