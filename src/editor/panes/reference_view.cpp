#include "editor/panes/reference_view.h"

#include "document/line_cursor.h"
#include "editor/edit_state.h"
#include "editor/editor_session.h"
#include "editor/status_texts.h"
#include "editor/view_state.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <vector>

namespace {

constexpr uint32_t CentreLine = 0xC0C0C0;
constexpr uint32_t FrameRed = 0x0000FF;

} // namespace

ReferenceView::ReferenceView(EditorSession& session, ViewState& view, QWidget* parent)
    : CanvasPane(session, view, parent)
{
    const auto moveLine = [this](int oldX, int newX) {
        UpdateColumn(oldX);
        UpdateColumn(newX);
    };
    connect(&view, &ViewState::playCursorMoved, this, moveLine);
    connect(&view, &ViewState::stepLineMoved, this, moveLine);
}

bool ReferenceView::Shows(const EditorChange& change) const
{
    if (!shown_)
        return false;
    if (mode_ == AllLines)
        return change.Everything || change.Lines != 0 || change.Selection || change.CurrentLine || change.Editing;
    return change.TouchesLine(mode_) || change.Selection;
}

void ReferenceView::SetMode(int mode)
{
    mode_ = mode;
    update();
}

void ReferenceView::SetShown(bool shown)
{
    shown_ = shown;
    update();
}

void ReferenceView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    const int from = view_.ScrollPosition() + area.left();
    const int to = view_.ScrollPosition() + area.right() + 1;
    if (!shown_ || !Painting()) {
        painter.fillRect(area, palette().color(QPalette::Window));
        return;
    }
    const int end = std::clamp(TimelineEnd(), from, to);
    if (end > from) {
        PixelCanvas canvas = Raster(from, end);
        canvas.Fill({from, 0, end, height()}, PixelOf(session_.Env().CLinBg));
        if (mode_ >= 0 && mode_ < LineCount)
            PaintOneLine(canvas, mode_, from, end);
        else
            PaintAllLines(canvas, from, end);
        PutRaster(painter, from, end);
    }
    PaintBeyondTimeline(painter, from, to);
    PaintPlayCursor(painter, from, to);
    PaintStepLine(painter, from, to);
    if (bandActive_)
        PaintInvertedFrame(painter, bandRect_);
}

// As the lane shows it, without the selection and the current step.
void ReferenceView::PaintOneLine(PixelCanvas& canvas, int lineIndex, int from, int end) const
{
    const int h = height();
    const int half = h / 2;
    canvas.Fill({from, half, end, half + 1}, PixelOf(CentreLine));
    const TStepList& line = PaintedLine(lineIndex);
    LineCursor cursor(line);
    for (int x = from; x < end; ++x) {
        const ColorPair c = cursor.At(view_.TimeOfX(x));
        if (c.Color == NoColor)
            continue;
        const int e = BandOffset(c.Brightness, half);
        canvas.Column(x, half - e - BoxHalf, half - e + BoxHalf, PixelOf(ApplyBrightness(c.Color, c.Brightness)));
    }
    for (size_t i = FirstStepFromX(line, from - BoxHalf, view_.Axis()); i < line.size(); ++i) {
        const TStepRec& s = line[i];
        const int x = view_.XOfTime(s.Time);
        if (x > end + BoxHalf)
            break;
        const PixelRect box = BoxAround(x, RowOfBrightness(s.Brightness, h));
        canvas.Fill(box, PixelOf(ApplyBrightness(s.Color, s.Brightness)));
        canvas.Edge(box, EdgeKind::Etched);
    }
}

// Every band first, then every box, so that boxes stay on top of neighbouring bands.
void ReferenceView::PaintAllLines(PixelCanvas& canvas, int from, int end) const
{
    const AllLinesRows rows = AllLinesLayout(height());
    for (int l = 0; l < LineCount; ++l) {
        const int yc = rows.Centre(l);
        canvas.Fill({from, yc, end, yc + 1}, PixelOf(CentreLine));
        LineCursor cursor(PaintedLine(l));
        for (int x = from; x < end; ++x) {
            const ColorPair c = cursor.At(view_.TimeOfX(x));
            if (c.Color != NoColor)
                canvas.Column(x, yc - rows.BandHalf, yc + rows.BandHalf, PixelOf(ApplyBrightness(c.Color, c.Brightness)));
        }
    }
    const int t = rows.BoxHalf;
    for (int l = 0; l < LineCount; ++l) {
        const int yc = rows.Centre(l);
        const TStepList& line = PaintedLine(l);
        const EdgeKind edge = l == CurrentLine() ? EdgeKind::Raised : EdgeKind::Etched;
        for (size_t i = FirstStepFromX(line, from - t, view_.Axis()); i < line.size(); ++i) {
            const TStepRec& s = line[i];
            const int x = view_.XOfTime(s.Time);
            if (x > end + t)
                break;
            const PixelRect box{x - t, yc - t, x + t, yc + t};
            canvas.Fill(box, PixelOf(ApplyBrightness(s.Color, s.Brightness)));
            canvas.Edge(box, edge);
            if (s.Selected)
                canvas.Frame(box.Inflated(1), PixelOf(FrameRed));
        }
    }
}

void ReferenceView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton)
        emit contextMenuRequested(event->globalPosition().toPoint() + QPoint(2, 0));
    else if (event->button() == Qt::LeftButton && mode_ == AllLines)
        PressAllLines(event->modifiers(), event->position().toPoint());
}

void ReferenceView::PressAllLines(Qt::KeyboardModifiers keys, const QPoint& local)
{
    const AllLinesRows rows = AllLinesLayout(height());
    const int y = local.y();
    if (rows.RowHeight <= 0 || y < 0)
        return;
    const int row = y / rows.RowHeight;
    if (row >= LineCount)
        return;
    const ProjectData& doc = session_.Document();
    if (row != CurrentLine())
        // Without a selection this is the tabs' way; with one, the selection is kept so that
        // steps of several lines can be gathered.
        session_.SetCurrentLine(row, doc.CountSelectedAll() == 0);

    const int x = PointerX(local.x());
    bool onRow = false;
    for (int l = 0; l < LineCount; ++l)
        if (y >= rows.Centre(l) - rows.BoxHalf && y <= rows.Centre(l) + rows.BoxHalf)
            onRow = true;
    session_.FocusStep(onRow ? FindStepNear(Line(CurrentLine()), x, 0, view_.Axis()) : -1, StepFocus::Quiet);
    const int p = edit_.CurrentStep();
    if (p >= 0) {
        session_.SelectPressed(p, keys & Qt::ShiftModifier, keys & Qt::ControlModifier);
    } else {
        session_.SetSelection(false, true);
        bandActive_ = true;
        bandAnchor_ = {x, y};
        bandRect_ = {x, y, x, y};
    }
}

void ReferenceView::mouseMoveEvent(QMouseEvent* event)
{
    if (!bandActive_)
        return;
    const int x = PointerX(event->position().toPoint().x());
    bandRect_ = SpanOf(bandAnchor_.x(), bandAnchor_.y(), x, event->position().toPoint().y());
    update();
}

void ReferenceView::mouseReleaseEvent(QMouseEvent*)
{
    if (!bandActive_)
        return;
    bandActive_ = false;
    // A step is taken when its centre on its row's centre line lies inside the band.
    const AllLinesRows rows = AllLinesLayout(height());
    std::vector<StepPos> inside;
    int firstLine = -1;
    for (int l = 0; l < LineCount; ++l) {
        const int yc = rows.Centre(l);
        if (yc < bandRect_.Top || yc >= bandRect_.Bottom)
            continue;
        const TStepList& line = Line(l);
        for (size_t i = FirstStepFromX(line, bandRect_.Left, view_.Axis()); i < line.size(); ++i) {
            const TStepRec& s = line[i];
            const int x = view_.XOfTime(s.Time);
            if (x >= bandRect_.Right)
                break;
            if (!s.Selected) {
                inside.push_back({l, int(i)});
                if (firstLine < 0)
                    firstLine = l;
            }
        }
    }
    session_.SelectSteps(inside);
    if (firstLine >= 0 && firstLine != CurrentLine())
        session_.SetCurrentLine(firstLine, false);
    update();
    session_.ShowStatus(StatusPanel::Selection, SelectionAllText(session_.Document()));
}
