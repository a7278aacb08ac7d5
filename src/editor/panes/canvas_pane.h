#pragma once
// What the step panes of the canvas (lane, output strip, mark bar, reference view) have in
// common. Each is as wide as the viewport and paints canvas x = scroll position + local x;
// it draws its columns and boxes into an image of its own with PixelCanvas, puts the image
// on screen and draws the inverting overlays on top. Edits go through the session.

#include "editor/commands.h"
#include "editor/editor_change.h"
#include "editor/pixel_canvas.h"

#include <QImage>
#include <QPoint>
#include <QWidget>

#include <cstdint>

class EditState;
class EditorSession;
class QPainter;
class ViewState;

class CanvasPane : public QWidget {
    Q_OBJECT
public:
    // session and view must outlive the pane.
    CanvasPane(EditorSession& session, ViewState& view, QWidget* parent = nullptr);

signals:
    // A context menu at this screen position.
    void contextMenuRequested(const QPoint& globalPos);
    // Runs a command of the window.
    void commandRequested(Command command);

protected:
    // Whether the pane shows what the change report names; it then repaints. The step
    // panes show the current line and the current step.
    virtual bool Shows(const EditorChange& change) const;
    // Nothing is painted while the window closes or the show has no sound.
    bool Painting() const;
    // The current line's index.
    int CurrentLine() const;
    // A line as the panes paint it: as it was when a drag without live display began.
    const TStepList& PaintedLine(int line) const;
    // The live line the pointer works on.
    const TStepList& Line(int line) const;
    // The canvas x under local x, limited to the canvas.
    int PointerX(int localX) const;
    // min(end of the timeline, scroll position + width): where the timeline's columns end.
    int TimelineEnd() const;
    // The image for canvas columns from..to-1 over the whole height, and a canvas on it.
    PixelCanvas Raster(int from, int to);
    // The image Raster drew into; its column 0 is the canvas x Raster was given.
    QImage& RasterImage() { return raster_; }
    // Puts the image made by Raster for columns from..to-1 on screen.
    void PutRaster(QPainter& painter, int from, int to);
    // The play cursor and the dotted current-step line over columns from..to-1.
    void PaintPlayCursor(QPainter& painter, int from, int to) const;
    void PaintStepLine(QPainter& painter, int from, int to) const;
    // An inverted one-pixel outline of r (canvas coordinates).
    void PaintInvertedFrame(QPainter& painter, const PixelRect& r) const;
    // Where the pane's fill ends: the window colour beyond the timeline.
    void PaintBeyondTimeline(QPainter& painter, int from, int to) const;
    // Repaints the one column at canvas x.
    void UpdateColumn(int canvasX);

    // One notch per 120 units of wheel angle, from small steps too: the whole notches
    // gathered so far (signed), the rest kept.
    int WheelNotches(int angleDelta);

    EditorSession& session_;
    ViewState& view_;
    const EditState& edit_;

private:
    QImage raster_;
    int wheelRest_ = 0;
};
