#pragma once
// LaneView, the line lane: the current line's colour band at the height of its
// brightness and a box per step at its time and brightness. Here steps are selected (click,
// Ctrl, Shift, rubber band), dragged in brightness or, with Shift, in time, changed with the
// wheel, and opened with a double-click.

#include "editor/panes/canvas_pane.h"

class LaneView : public CanvasPane {
    Q_OBJECT
public:
    LaneView(EditorSession& session, ViewState& view, QWidget* parent = nullptr);

    // The hit-test box of step index of the current line; empty for no step.
    PixelRect StepBoxOf(int index) const;

signals:
    // Right button: the full step menu over a step, the short one elsewhere.
    void stepMenuRequested(const QPoint& globalPos);
    void laneMenuRequested(const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // The pointer in canvas coordinates, moved by the offset that puts a dragged step's
    // centre under it.
    QPoint PointerAt(const QPointF& local) const;
    void Press(Qt::MouseButton button, Qt::KeyboardModifiers keys, const QPointF& local, const QPoint& global);
    void PressOnStep(Qt::MouseButton button, Qt::KeyboardModifiers keys, QPoint p, const QPoint& global);
    void DoubleClick(const QPointF& local);
    void PaintSteps(PixelCanvas& canvas, const TStepList& line, int from, int to) const;

    bool bandActive_ = false;
    QPoint bandAnchor_;
    PixelRect bandRect_;
    QPoint last_;   // LastLanePoint
    QPoint offset_; // from the press to the dragged step's centre
};
