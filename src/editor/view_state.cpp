#include "editor/view_state.h"

#include "editor/zoom_ladder.h"

#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>

ViewState::ViewState(QObject* parent) : QObject(parent) {}

int ViewState::MaxScrollPosition() const { return std::max(0, scrollRange_ - viewportWidth_); }

void ViewState::SetScale(double scale, int32_t playPosition)
{
    axis_.Scale = scale;
    ApplyScale(playPosition);
}

void ViewState::ApplyScale(int32_t playPosition)
{
    ApplyScaleInput in;
    in.Scale = axis_.Scale;
    in.PlayCursorX = playCursorX_;
    in.ScrollPosition = scrollPosition_;
    in.PlayPosition = playPosition;
    in.PrePlayTime = timeline_.PrePlayTime;
    in.PostPlayTime = timeline_.PostPlayTime;
    in.FrameCount = timeline_.FrameCount;
    in.ClientWidth = viewportWidth_;
    const ApplyScaleResult r = ::ApplyScale(in);

    axis_.PrePlayTime = timeline_.PrePlayTime;
    fitScale_ = r.FitScale;
    playCursorX_ = r.PlayCursorX;
    scrollRange_ = r.ScrollRange;
    const int oldPosition = scrollPosition_;
    scrollPosition_ = std::clamp(r.ScrollPosition, 0, MaxScrollPosition());
    // The range first, so that a bound scroll bar never limits the new position to the old range.
    emit scrollRangeChanged();
    if (scrollPosition_ != oldPosition)
        emit scrollChanged(scrollPosition_);
    emit scaleChanged();
}

bool ViewState::ZoomInEnabled() const { return ::ZoomInEnabled(axis_.Scale, timeline_.FrameCount > 0); }

bool ViewState::ZoomOutEnabled() const
{
    return ::ZoomOutEnabled(axis_.Scale, fitScale_, timeline_.FrameCount > 0);
}

bool ViewState::ZoomFitEnabled() const { return ::ZoomFitEnabled(timeline_.FrameCount > 0); }

bool ViewState::ZoomIn(int32_t playPosition)
{
    if (!ZoomInEnabled())
        return false;
    SetScale(ZoomInScale(axis_.Scale), playPosition);
    return true;
}

bool ViewState::ZoomOut(int32_t playPosition)
{
    if (!ZoomOutEnabled())
        return false;
    SetScale(ZoomOutScale(axis_.Scale, fitScale_), playPosition);
    return true;
}

bool ViewState::ZoomFit(int32_t playPosition)
{
    if (!ZoomFitEnabled())
        return false;
    SetScale(fitScale_, playPosition);
    return true;
}

void ViewState::SetScrollPosition(int x)
{
    x = std::clamp(x, 0, MaxScrollPosition());
    if (x == scrollPosition_)
        return;
    scrollPosition_ = x;
    emit scrollChanged(x);
}

void ViewState::SetViewportWidth(int width)
{
    width = std::max(0, width);
    if (width == viewportWidth_)
        return;
    viewportWidth_ = width;
    fitScale_ = FitScaleFor(width, TimelineHundredths(timeline_.PrePlayTime, timeline_.PostPlayTime,
                                                      timeline_.FrameCount));
    const int oldPosition = scrollPosition_;
    scrollPosition_ = std::min(scrollPosition_, MaxScrollPosition());
    emit scrollRangeChanged();
    if (scrollPosition_ != oldPosition)
        emit scrollChanged(scrollPosition_);
}

bool ViewState::MovePlayCursor(int32_t playPosition, bool playing)
{
    const PlayCursorMove m =
        ::MovePlayCursor(playCursorX_, XOfTime(playPosition), scrollPosition_, viewportWidth_, playing);
    ApplyCursorMove(m);
    return m.Moved && m.Pages;
}

void ViewState::ApplyCursorMove(const PlayCursorMove& move)
{
    if (!move.Moved)
        return;
    SetPlayCursorX(move.PlayCursorX);
    if (move.Pages)
        SetScrollPosition(move.ScrollPosition);
}

void ViewState::SetPlayCursorX(int x)
{
    if (x == playCursorX_)
        return;
    const int old = playCursorX_;
    playCursorX_ = x;
    emit playCursorMoved(old, x);
}

void ViewState::SetStepLineX(int x)
{
    if (x == stepLineX_)
        return;
    const int old = stepLineX_;
    stepLineX_ = x;
    emit stepLineMoved(old, x);
}

void ViewState::SetMonoDisplay(bool mono)
{
    if (mono == monoDisplay_)
        return;
    monoDisplay_ = mono;
    emit displayChanged();
}

void ViewState::SetClosing()
{
    if (closing_)
        return;
    closing_ = true;
    emit displayChanged();
}

void BindScrollBar(QScrollBar& bar, ViewState& view)
{
    const auto followRange = [&bar, &view] {
        // Quiet while the range changes: a shrinking range would otherwise report the old
        // position limited to it as a move of the user's.
        const QSignalBlocker quiet(bar);
        bar.setRange(0, view.MaxScrollPosition());
        bar.setPageStep(std::max(1, view.ViewportWidth()));
        bar.setValue(view.ScrollPosition());
    };
    followRange();
    bar.setSingleStep(8);
    QObject::connect(&view, &ViewState::scrollRangeChanged, &bar, followRange);
    QObject::connect(&view, &ViewState::scrollChanged, &bar, &QScrollBar::setValue);
    QObject::connect(&bar, &QScrollBar::valueChanged, &view, &ViewState::SetScrollPosition);
}
