#pragma once
// What every pane of the canvas reads to map time to x and to paint its overlays: the
// scale, the horizontal scroll position, the viewport width, the timeline it maps, the play
// cursor and the dotted current-step line. Panes are as wide as the viewport and paint
// canvas x = ScrollPosition + local x. The main window writes it; panes only read it and
// repaint on its signals.

#include "editor/time_axis.h"

#include <QObject>

#include <cstddef>
#include <cstdint>

class QScrollBar;

// The timeline the canvas maps, as the engine and the summary give it.
struct Timeline {
    int32_t PrePlayTime = 0;
    int32_t PostPlayTime = 0;
    int32_t TotalLength = 0; // PrePlayTime + SoundDuration + PostPlayTime
    size_t FrameCount = 0;   // waveform summary frames (10 ms each)
    bool SoundLoaded = false;
};

class ViewState : public QObject {
    Q_OBJECT
public:
    static constexpr double InitialScale = 0.25;
    static constexpr int NoStepLine = -99999;

    explicit ViewState(QObject* parent = nullptr);

    double Scale() const { return axis_.Scale; }
    double PixelsPerMs() const { return axis_.PixelsPerMs(); }
    double FitScale() const { return fitScale_; }
    const TimeAxis& Axis() const { return axis_; }
    const Timeline& Mapped() const { return timeline_; }

    int ScrollPosition() const { return scrollPosition_; }
    // The canvas width in pixels.
    int ScrollRange() const { return scrollRange_; }
    int ViewportWidth() const { return viewportWidth_; }
    // The furthest scroll position: the canvas end at the viewport's right edge.
    int MaxScrollPosition() const;

    int PlayCursorX() const { return playCursorX_; }
    int StepLineX() const { return stepLineX_; }
    bool MonoDisplay() const { return monoDisplay_; }
    // Set when the window closes; from then on no pane paints.
    bool Closing() const { return closing_; }

    int XOfTime(int32_t t) const { return axis_.XOfTime(t); }
    int32_t TimeOfX(int x) const { return axis_.TimeOfX(x); }
    // The canvas x under viewport x localX, limited to the canvas.
    int PointerXAt(int localX) const { return PointerX(localX, scrollPosition_, scrollRange_); }

    // Takes effect with the next ApplyScale.
    void SetTimeline(const Timeline& timeline) { timeline_ = timeline; }
    // Changes the scale and runs ApplyScale.
    void SetScale(double scale, int32_t playPosition);
    // Recomputes the mapping, the play cursor, the scroll range and FitScale after the
    // scale, the timeline or the viewport width changed, keeping the play cursor at its
    // place on screen.
    void ApplyScale(int32_t playPosition);

    // The zoom commands; false (nothing changes) while disabled.
    bool ZoomIn(int32_t playPosition);
    bool ZoomOut(int32_t playPosition);
    bool ZoomFit(int32_t playPosition);
    bool ZoomInEnabled() const;
    bool ZoomOutEnabled() const;
    bool ZoomFitEnabled() const;

    // Limited to 0..MaxScrollPosition.
    void SetScrollPosition(int x);
    void SetViewportWidth(int width);

    // Moves the play cursor to playPosition and, while playing, pages the view forward when
    // the cursor has left it to the right. Whether the view paged.
    bool MovePlayCursor(int32_t playPosition, bool playing);
    // A move computed elsewhere (the display snapshot): the cursor, and the page when it pages.
    void ApplyCursorMove(const PlayCursorMove& move);
    void SetPlayCursorX(int x);
    // NoStepLine removes the line.
    void SetStepLineX(int x);
    void SetMonoDisplay(bool mono);
    void SetClosing();

signals:
    // The mapping, the scroll range or FitScale changed: repaint everything.
    void scaleChanged();
    void scrollChanged(int position);
    // The scroll range or the viewport width changed.
    void scrollRangeChanged();
    void playCursorMoved(int oldX, int newX);
    void stepLineMoved(int oldX, int newX);
    // Mono display or closing: repaint everything.
    void displayChanged();

private:
    void SetRange(int range);

    TimeAxis axis_{InitialScale, 0};
    Timeline timeline_;
    double fitScale_ = 1.0;
    int scrollPosition_ = 0;
    int scrollRange_ = 0;
    int viewportWidth_ = 0;
    int playCursorX_ = 0;
    int stepLineX_ = NoStepLine;
    bool monoDisplay_ = false;
    bool closing_ = false;
};

// Keeps bar and view in step both ways: the bar's range and page follow the view's scroll
// range and viewport width, moving the bar scrolls the view, and scrolling the view moves
// the bar.
void BindScrollBar(QScrollBar& bar, ViewState& view);
