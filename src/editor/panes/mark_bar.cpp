#include "editor/panes/mark_bar.h"

#include "common/time_text.h"
#include "editor/edit_state.h"
#include "editor/editor_session.h"
#include "editor/status_texts.h"
#include "editor/view_state.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

namespace {

constexpr uint32_t FrameRed = 0x0000FF;
constexpr int MajorTick = 10;
constexpr int MinorTick = 6;
constexpr int LabelTop = 12;
constexpr int FontHeight = 12;

} // namespace

MarkBar::MarkBar(EditorSession& session, ViewState& view, QWidget* parent) : CanvasPane(session, view, parent)
{
    setFixedHeight(DefaultHeight);
    connect(&view, &ViewState::stepLineMoved, this, [this](int oldX, int newX) {
        UpdateColumn(oldX);
        UpdateColumn(newX);
    });
}

bool MarkBar::Dragging() const
{
    return edit_.DraggingOn(DragPane::MarkBar) && (edit_.Drag() == DragKind::Time || edit_.Drag() == DragKind::Stretch);
}

void MarkBar::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    const int from = view_.ScrollPosition() + area.left();
    const int to = view_.ScrollPosition() + area.right() + 1;
    if (!Painting() || to <= from) {
        painter.fillRect(area, palette().color(QPalette::Window));
        return;
    }
    PixelCanvas canvas = Raster(from, to);
    PaintRuler(canvas, from, to);
    PaintMarkers(canvas, from, to);
    PutRaster(painter, from, to);
    PaintStepLine(painter, from, to);
    if (Dragging()) {
        const TStepList& live = Line(CurrentLine());
        for (size_t i = FirstStepFromX(live, from - BoxHalf, view_.Axis()); i < live.size(); ++i) {
            const int x = view_.XOfTime(live[i].Time);
            if (x > to + BoxHalf)
                break;
            if (live[i].Selected)
                PaintInvertedFrame(painter, MarkerBox(x));
        }
    }
}

// The background, the ticks and their labels, into the raster for columns from..to-1.
void MarkBar::PaintRuler(PixelCanvas& canvas, int from, int to)
{
    const EnvData& env = session_.Env();
    const uint32_t fg = PixelOf(env.TLinFg);
    canvas.Fill({from, 0, to, height()}, PixelOf(env.TLinBg));

    const double scale = view_.Scale();
    const double lead = view_.Axis().PrePlayTime * view_.PixelsPerMs();
    const int b = scale >= 0.1 ? 100 : scale >= 0.01 ? 1000 : 6000; // tick spacing, 1/100 s
    const int m = b == 100 ? 1000 : b == 1000 ? 6000 : 60000;      // label period
    const double spacing = b * scale;
    if (!(spacing > 0))
        return;
    const int p = view_.ScrollPosition();
    double x0 = p - std::fmod(double(p), spacing);
    if (lead < spacing)
        x0 -= spacing - lead;
    double t0 = (x0 - lead) / scale;
    // Labels reach right of their tick: start early enough to draw those cut at from.
    const int labelReach = 64;
    while (x0 + spacing < from - labelReach) {
        x0 += spacing;
        t0 += b;
    }

    QPainter text(&RasterImage());
    QFont font = this->font();
    font.setPixelSize(FontHeight);
    text.setFont(font);
    text.setPen(QColor(int(env.TLinFg & 0xFF), int((env.TLinFg >> 8) & 0xFF), int((env.TLinFg >> 16) & 0xFF)));
    text.setClipRect(0, 0, to - from, height());
    // A label starts 4 pixels left of its tick.
    for (; TruncToInt(x0) < std::min(to + 4, p + width()); x0 += spacing, t0 += b) {
        const int xi = TruncToInt(x0);
        if (xi < 0)
            continue;
        const bool major = t0 >= 0 && TruncToInt(t0) % m == 0;
        canvas.Column(xi, 0, major ? MajorTick : MinorTick, fg);
        if (major || scale >= 1.0)
            text.drawText(QRect(xi - 4 - from, LabelTop, 200, FontHeight + 4), Qt::AlignLeft | Qt::AlignTop,
                          QString::fromStdString(RulerText(TruncToInt(t0 * 0.01))));
    }
}

void MarkBar::PaintMarkers(PixelCanvas& canvas, int from, int to) const
{
    const TStepList& line = PaintedLine(CurrentLine());
    const int current = edit_.PaintedCurrentStep();
    const uint32_t fg = PixelOf(session_.Env().TLinFg);
    for (size_t i = FirstStepFromX(line, from - BoxHalf, view_.Axis()); i < line.size(); ++i) {
        const TStepRec& s = line[i];
        const int x = view_.XOfTime(s.Time);
        if (x > to + BoxHalf)
            break;
        const PixelRect box = MarkerBox(x);
        canvas.Fill(box, PixelOf(s.Color));
        canvas.Edge(box, int(i) == current ? EdgeKind::Sunken : EdgeKind::Raised);
        if (s.Selected || int(i) == current)
            canvas.Frame(box.Inflated(1), PixelOf(FrameRed));
        canvas.Column(x, MarkerTop - 3, MarkerTop + 1, fg);
    }
}

int MarkBar::PointerAt(const QPointF& local) const { return PointerX(local.toPoint().x() + offset_); }

void MarkBar::mousePressEvent(QMouseEvent* event)
{
    Press(event->button(), event->modifiers(), event->position(), event->globalPosition().toPoint());
}

void MarkBar::Press(Qt::MouseButton button, Qt::KeyboardModifiers keys, const QPointF& local, const QPoint& global)
{
    const bool guarded = session_.TakeStepPressGuard();
    if (!session_.SoundLoaded())
        return;
    offset_ = 0;
    const ProjectData& doc = session_.Document();
    if (button == Qt::RightButton) {
        emit contextMenuRequested(global + QPoint(2, 0));
        return;
    }
    if (button != Qt::LeftButton)
        return;
    const int x = PointerAt(local);
    const int y = local.toPoint().y();
    session_.FocusStep(FindStepNear(Line(CurrentLine()), x, 0, view_.Axis()));
    const int p = edit_.CurrentStep();
    if (p < 0) {
        session_.SetSelection(false, true);
        emit seekRequested(x, view_.TimeOfX(x));
        lastX_ = x;
        session_.ShowStatus(StatusPanel::Selection, SelectionText(doc, true));
        return;
    }
    const bool shift = keys & Qt::ShiftModifier;
    const bool ctrl = keys & Qt::ControlModifier;
    session_.SelectPressed(p, shift, ctrl);
    const TStepRec step = Line(CurrentLine())[size_t(p)];
    session_.ShowStatus(StatusPanel::StepTime, StatusTime(step.Time));
    if (!guarded) {
        session_.PrepareDrag(p);
        const int px = view_.XOfTime(step.Time);
        // A step outside the selection would not move with it: pressing one (Ctrl and
        // Shift leave it unselected) starts no drag.
        if (MarkerBox(px).Contains(x, y) && step.Selected) {
            const DragSteps& d = edit_.Dragged();
            const TStepList& line = Line(CurrentLine());
            const bool stretch = ctrl && shift && (p == d.First || p == d.Last) && line.size() > 2 && d.First >= 0 &&
                                 d.Last >= 0 && line[size_t(d.First)].DragOrigin < line[size_t(d.Last)].DragOrigin;
            session_.BeginDrag(stretch ? DragKind::Stretch : DragKind::Time, DragPane::MarkBar);
            setCursor(Qt::SizeHorCursor);
            // The press's offset to the marker is kept, so the marker does not jump.
            offset_ = px - x;
            lastX_ = px;
            view_.SetStepLineX(px);
        }
    }
    session_.ShowStatus(StatusPanel::Selection, SelectionText(doc, true));
}

void MarkBar::mouseMoveEvent(QMouseEvent* event)
{
    const int x = PointerAt(event->position());
    if (Dragging()) {
        if (x == lastX_)
            return;
        const ProjectData& doc = session_.Document();
        const int32_t t = view_.TimeOfX(x);
        if (edit_.Drag() == DragKind::Time) {
            if (const TStepRec* s = doc.StepAt(edit_.Dragged().Dragged)) {
                const int32_t d = t - s->Time;
                if (d != 0)
                    session_.MoveDragged(d, event->modifiers() & Qt::AltModifier);
            }
        } else {
            session_.StretchDragged(t);
        }
        if (const TStepRec* s = doc.StepAt(edit_.Dragged().Dragged)) {
            session_.ShowStatus(StatusPanel::StepTime, StatusTime(s->Time));
            view_.SetStepLineX(view_.XOfTime(s->Time));
        }
        update();
    } else if (event->buttons() & Qt::LeftButton && session_.SoundLoaded()) {
        emit scrubRequested(x, view_.TimeOfX(x));
    }
    lastX_ = x;
}

void MarkBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (Dragging()) {
        std::optional<int32_t> drop;
        if (edit_.Drag() == DragKind::Time && edit_.DragMoved() && !(event->modifiers() & Qt::AltModifier))
            drop = view_.TimeOfX(PointerAt(event->position()));
        session_.EndTimeDrag(drop);
        view_.SetStepLineX(ViewState::NoStepLine);
    }
    offset_ = 0;
    unsetCursor();
}

void MarkBar::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && session_.SoundLoaded()) {
        // The step colour command, or Add step where no step is current or selected.
        emit stepColourRequested();
        session_.IgnoreNextStepPress();
    }
    // The second press of the double-click; it clears the guard.
    Press(event->button(), event->modifiers(), event->position(), event->globalPosition().toPoint());
}

void MarkBar::wheelEvent(QWheelEvent* event)
{
    // Only the vertical wheel: a sideways swipe neither scrolls nor zooms.
    const int vertical = event->angleDelta().y();
    if (!session_.Env().UseWheel || vertical == 0) {
        event->ignore();
        return;
    }
    const int notches = WheelNotches(vertical);
    if (event->modifiers() & Qt::ControlModifier) {
        for (int i = 0; i < std::abs(notches); ++i)
            emit commandRequested(notches < 0 ? Command::ZoomOut : Command::ZoomIn);
    } else if (notches != 0) {
        // Toward the user (negative) to later times.
        const int pixels = WheelScrollPixels(view_.Scale(), event->modifiers() & Qt::ShiftModifier);
        view_.SetScrollPosition(int(std::clamp<int64_t>(int64_t{view_.ScrollPosition()} - int64_t{notches} * pixels,
                                                        0, INT32_MAX)));
    }
    event->accept();
}
