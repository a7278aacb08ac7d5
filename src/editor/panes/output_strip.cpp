#include "editor/panes/output_strip.h"

#include "document/line_cursor.h"
#include "editor/view_state.h"

#include <QPaintEvent>
#include <QPainter>

OutputStrip::OutputStrip(EditorSession& session, ViewState& view, QWidget* parent) : CanvasPane(session, view, parent)
{
    connect(&view, &ViewState::playCursorMoved, this, [this](int oldX, int newX) {
        UpdateColumn(oldX);
        UpdateColumn(newX);
    });
}

void OutputStrip::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    const int from = view_.ScrollPosition() + area.left();
    const int to = view_.ScrollPosition() + area.right() + 1;
    if (!Painting()) {
        painter.fillRect(area, palette().color(QPalette::Window));
        return;
    }
    const int end = std::clamp(TimelineEnd(), from, to);
    if (end > from) {
        PixelCanvas canvas = Raster(from, end);
        const int h = height();
        canvas.Fill({from, 0, end, h}, PixelOf(0));
        LineCursor cursor(PaintedLine(CurrentLine()));
        for (int x = from; x < end; ++x) {
            const ColorPair c = cursor.At(view_.TimeOfX(x));
            if (c.Color != NoColor)
                canvas.Column(x, 0, h, PixelOf(ApplyBrightness(c.Color, c.Brightness)));
        }
        PutRaster(painter, from, end);
    }
    PaintBeyondTimeline(painter, from, to);
    PaintPlayCursor(painter, from, to);
}
