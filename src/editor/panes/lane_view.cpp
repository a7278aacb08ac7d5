#include "editor/panes/lane_view.h"

#include "document/line_cursor.h"
#include "editor/edit_state.h"
#include "editor/editor_session.h"
#include "editor/status_texts.h"
#include "editor/view_state.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <vector>

namespace {

constexpr uint32_t CentreLine = 0xC0C0C0;
constexpr uint32_t FrameRed = 0x0000FF;

} // namespace

LaneView::LaneView(EditorSession& session, ViewState& view, QWidget* parent) : CanvasPane(session, view, parent)
{
    const auto moveLine = [this](int oldX, int newX) {
        UpdateColumn(oldX);
        UpdateColumn(newX);
    };
    connect(&view, &ViewState::playCursorMoved, this, moveLine);
    connect(&view, &ViewState::stepLineMoved, this, moveLine);
}

PixelRect LaneView::StepBoxOf(int index) const
{
    const TStepList& line = Line(CurrentLine());
    if (index < 0 || size_t(index) >= line.size())
        return {};
    const TStepRec& s = line[size_t(index)];
    return StepBox(view_.XOfTime(s.Time), s.Brightness, height());
}

void LaneView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    const int scroll = view_.ScrollPosition();
    const int from = scroll + area.left();
    const int to = scroll + area.right() + 1;
    if (!Painting()) {
        painter.fillRect(area, palette().color(QPalette::Window));
        return;
    }
    const int end = std::clamp(TimelineEnd(), from, to);
    if (end > from) {
        PixelCanvas canvas = Raster(from, end);
        const int h = height();
        const int half = h / 2;
        canvas.Fill({from, 0, end, h}, PixelOf(session_.Env().CLinBg));
        canvas.Fill({from, half, end, half + 1}, PixelOf(CentreLine));
        const TStepList& line = PaintedLine(CurrentLine());
        // One pass over the columns: the band at the height of the brightness there.
        LineCursor cursor(line);
        for (int x = from; x < end; ++x) {
            const ColorPair c = cursor.At(view_.TimeOfX(x));
            if (c.Color == NoColor)
                continue;
            const int e = BandOffset(c.Brightness, half);
            canvas.Column(x, half - e - BoxHalf, half - e + BoxHalf, PixelOf(ApplyBrightness(c.Color, c.Brightness)));
        }
        PaintSteps(canvas, line, from, end);
        PutRaster(painter, from, end);
    }
    PaintBeyondTimeline(painter, from, to);
    PaintPlayCursor(painter, from, to);
    PaintStepLine(painter, from, to);

    if (edit_.DraggingOn(DragPane::Lane)) {
        // The outlines follow the steps as they are now, also over the boxes as they were.
        const TStepList& live = Line(CurrentLine());
        for (size_t i = FirstStepFromX(live, from - BoxHalf, view_.Axis()); i < live.size(); ++i) {
            const TStepRec& s = live[i];
            const int x = view_.XOfTime(s.Time);
            if (x > to + BoxHalf)
                break;
            if (s.Selected)
                PaintInvertedFrame(painter, StepBox(x, s.Brightness, height()));
        }
    }
    if (bandActive_)
        PaintInvertedFrame(painter, bandRect_);
}

// Boxes in list order, so later steps cover earlier ones; each box whose columns reach into
// from..to-1.
void LaneView::PaintSteps(PixelCanvas& canvas, const TStepList& line, int from, int to) const
{
    const int h = height();
    const int current = edit_.PaintedCurrentStep();
    for (size_t i = FirstStepFromX(line, from - BoxHalf, view_.Axis()); i < line.size(); ++i) {
        const TStepRec& s = line[i];
        const int x = view_.XOfTime(s.Time);
        if (x > to + BoxHalf)
            break;
        const PixelRect box = BoxAround(x, RowOfBrightness(s.Brightness, h));
        canvas.Fill(box, PixelOf(ApplyBrightness(s.Color, s.Brightness)));
        // The edge covers the ring that a frame in the step's own colour would take.
        canvas.Edge(box, int(i) == current ? EdgeKind::Sunken : EdgeKind::Raised);
        if (s.Selected || int(i) == current)
            canvas.Frame(box.Inflated(1), PixelOf(FrameRed));
    }
}

QPoint LaneView::PointerAt(const QPointF& local) const
{
    const QPoint p = local.toPoint() + offset_;
    return {PointerX(p.x()), p.y()};
}

void LaneView::mousePressEvent(QMouseEvent* event)
{
    Press(event->button(), event->modifiers(), event->position(), event->globalPosition().toPoint());
}

void LaneView::Press(Qt::MouseButton button, Qt::KeyboardModifiers keys, const QPointF& local, const QPoint& global)
{
    if (!session_.SoundLoaded())
        return;
    offset_ = {};
    const QPoint p = PointerAt(local);
    const TStepList& line = Line(CurrentLine());

    // Among overlapping nearby steps the first in list order whose box holds the point wins.
    int hit = -1;
    for (int n = 0;; ++n) {
        const int i = FindStepNear(line, p.x(), n, view_.Axis());
        if (i < 0)
            break;
        if (StepBoxOf(i).Contains(p.x(), p.y())) {
            hit = i;
            break;
        }
    }
    session_.FocusStep(hit);

    if (hit >= 0) {
        PressOnStep(button, keys, p, global);
    } else if (button == Qt::LeftButton) {
        if (!session_.TakeEmptyPressGuard()) {
            if (!(keys & Qt::ControlModifier))
                session_.SetSelection(false, true);
            bandActive_ = true;
            bandAnchor_ = p;
            bandRect_ = {p.x(), p.y(), p.x(), p.y()};
        }
    } else if (button == Qt::RightButton) {
        emit laneMenuRequested(global + QPoint(2, 0));
    }
    last_ = p + offset_;
    session_.ShowStatus(StatusPanel::Selection, SelectionText(session_.Document(), false));
}

void LaneView::PressOnStep(Qt::MouseButton button, Qt::KeyboardModifiers keys, QPoint p, const QPoint& global)
{
    const int current = edit_.CurrentStep();
    const TStepRec step = Line(CurrentLine())[size_t(current)];
    session_.ShowStatus(StatusPanel::StepTime, StatusTime(step.Time));
    if (button == Qt::RightButton) {
        emit stepMenuRequested(global + QPoint(2, 0));
        return;
    }
    if (button != Qt::LeftButton)
        return;

    const bool shift = keys & Qt::ShiftModifier;
    if (shift)
        session_.SelectRange(edit_.PreviousStep(), current);
    else if (keys & Qt::ControlModifier)
        session_.SelectStep(current, false); // Ctrl adds, never removes
    else
        session_.SelectStep(current, true); // a selected step keeps its group for the drag
    if (session_.TakeStepPressGuard())
        return;

    // Every drag starts with an undo snapshot, even one released without a move.
    session_.PrepareDrag(current);
    const PixelRect box = StepBoxOf(current);
    const QPoint centre((box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2);
    // The drag works as if the pointer sat on the step's centre: the press's offset to it
    // is kept, so the step does not jump whether or not the platform moved the pointer.
    offset_ = centre - p;
    session_.BeginDrag(shift ? DragKind::Time : DragKind::Brightness, DragPane::Lane);
    if (shift) {
        view_.SetStepLineX(view_.XOfTime(step.Time));
        setCursor(Qt::SizeHorCursor);
        session_.ShowStatus(StatusPanel::StepTime, StatusTime(view_.TimeOfX(centre.x())));
    } else {
        setCursor(Qt::SizeVerCursor);
        session_.ShowStatus(StatusPanel::Value, BrightnessText(step.Brightness));
    }
}

void LaneView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = PointerAt(event->position());
    const Qt::KeyboardModifiers keys = event->modifiers();
    const bool dragging = edit_.DraggingOn(DragPane::Lane);
    if (dragging && ((edit_.Drag() == DragKind::Time && p.x() == last_.x()) ||
                     (edit_.Drag() == DragKind::Brightness && p.y() == last_.y())))
        return;

    if (dragging) {
        const auto dragged = [this]() { return session_.Document().StepAt(edit_.Dragged().Dragged); };
        if (keys & Qt::ShiftModifier) {
            if (edit_.Drag() == DragKind::Time) {
                if (const TStepRec* s = dragged()) {
                    const int32_t t = view_.TimeOfX(p.x());
                    if (t != s->Time)
                        session_.MoveDragged(t - s->Time, keys & Qt::AltModifier);
                }
                if (const TStepRec* s = dragged())
                    session_.ShowStatus(StatusPanel::StepTime, StatusTime(s->Time));
            } else {
                session_.SwitchDrag(DragKind::Time);
                setCursor(Qt::SizeHorCursor);
            }
        } else {
            if (edit_.Drag() == DragKind::Brightness) {
                session_.DragBrightness(BrightnessOfRow(p.y(), height()));
                if (const TStepRec* s = dragged())
                    session_.ShowStatus(StatusPanel::Value, BrightnessText(s->Brightness));
            } else {
                session_.SwitchDrag(DragKind::Brightness);
                setCursor(Qt::SizeVerCursor);
            }
        }
        if (edit_.Drag() == DragKind::Time) {
            if (const TStepRec* s = dragged())
                view_.SetStepLineX(view_.XOfTime(s->Time));
        }
        // The outlines follow the live steps, also while the lines are painted as they were.
        update();
    } else if (bandActive_) {
        bandRect_ = SpanOf(bandAnchor_.x(), bandAnchor_.y(), p.x(), p.y());
        update();
    }
    last_ = p;
}

void LaneView::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = PointerAt(event->position());
    const ProjectData& doc = session_.Document();
    if (edit_.DraggingOn(DragPane::Lane)) {
        if (edit_.Drag() == DragKind::Time) {
            std::optional<int32_t> drop;
            // The dragged step lands exactly at the pointer, even on or past a neighbour.
            if (edit_.DragMoved() && !(event->modifiers() & Qt::AltModifier))
                drop = view_.TimeOfX(p.x());
            session_.EndTimeDrag(drop);
        } else {
            session_.EndBrightnessDrag(BrightnessOfRow(p.y(), height()));
        }
        view_.SetStepLineX(ViewState::NoStepLine);
        if (const TStepRec* s = doc.StepAt(edit_.Dragged().Dragged))
            session_.ShowStatus(StatusPanel::StepTime, StatusTime(s->Time));
    } else if (bandActive_) {
        // Only steps whose whole box lies inside the band.
        const TStepList& line = Line(CurrentLine());
        std::vector<StepPos> inside;
        for (size_t i = FirstStepFromX(line, bandRect_.Left - BoxHalf, view_.Axis()); i < line.size(); ++i) {
            const TStepRec& s = line[i];
            const int x = view_.XOfTime(s.Time);
            if (x > bandRect_.Right + BoxHalf)
                break;
            const PixelRect box = StepBox(x, s.Brightness, height());
            if (!s.Selected && bandRect_.Contains(box.Left, box.Top) && bandRect_.Contains(box.Right, box.Bottom))
                inside.push_back({CurrentLine(), int(i)});
        }
        bandActive_ = false;
        session_.SelectBand(inside);
        update();
    }
    offset_ = {};
    unsetCursor();
    session_.ShowStatus(StatusPanel::Selection, SelectionText(doc, false));
}

void LaneView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && session_.SoundLoaded())
        DoubleClick(event->position());
    // The second press of a double-click arrives as this event alone: it is the press the
    // guards were set for, and they end with it, so that no later press is swallowed.
    Press(event->button(), event->modifiers(), event->position(), event->globalPosition().toPoint());
    session_.TakeStepPressGuard();
    session_.TakeEmptyPressGuard();
}

void LaneView::DoubleClick(const QPointF& local)
{
    session_.IgnoreNextStepPress();
    const QPoint p(PointerX(local.toPoint().x()), local.toPoint().y());
    session_.FocusStep(FindStepNear(Line(CurrentLine()), p.x(), 0, view_.Axis()));
    const TStepRec* s = session_.CurrentStepRec();
    if (!s)
        return;
    session_.ShowStatus(StatusPanel::StepTime, StatusTime(s->Time));
    if (BoxAround(view_.XOfTime(s->Time), RowOfBrightness(s->Brightness, height())).Contains(p.x(), p.y()))
        emit commandRequested(Command::StepColour);
    session_.IgnoreNextEmptyPress();
}

void LaneView::wheelEvent(QWheelEvent* event)
{
    // Only the vertical wheel: a sideways swipe or a tilted wheel leaves the brightness alone.
    const int vertical = event->angleDelta().y();
    if (!session_.Env().UseWheel || vertical == 0) {
        event->ignore();
        return;
    }
    const int notches = WheelNotches(vertical);
    const int32_t step = (event->modifiers() & Qt::ShiftModifier) ? 16 : 4;
    // Turned toward the user (negative) darkens.
    for (int i = 0; i < std::abs(notches); ++i)
        session_.WheelBrightness(notches < 0 ? -step : step);
    if (notches != 0)
        if (const TStepRec* s = session_.CurrentStepRec())
            session_.ShowStatus(StatusPanel::Value, BrightnessText(s->Brightness));
    event->accept();
}
