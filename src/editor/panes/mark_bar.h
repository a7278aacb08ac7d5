#pragma once
// MarkBar: a time ruler and one marker per step of the current line in
// the step's colour. A press selects steps, a drag on a marker moves the selected steps in
// time or, started with Ctrl and Shift on the first or last selected step, stretches them
// about the other end; beside the markers a press seeks and a drag scrubs. The wheel zooms
// (Ctrl) or scrolls.

#include "editor/panes/canvas_pane.h"

class MarkBar : public CanvasPane {
    Q_OBJECT
public:
    static constexpr int DefaultHeight = 46;

    MarkBar(EditorSession& session, ViewState& view, QWidget* parent = nullptr);

signals:
    // A press beside the markers, and a drag there with the left button.
    void seekRequested(int canvasX, int32_t time);
    void scrubRequested(int canvasX, int32_t time);
    // A double-click: the step colour command, which adds a step where none is current or
    // selected, so it runs whatever its menu item's state.
    void stepColourRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void Press(Qt::MouseButton button, Qt::KeyboardModifiers keys, const QPointF& local, const QPoint& global);
    void PaintRuler(PixelCanvas& canvas, int from, int to);
    void PaintMarkers(PixelCanvas& canvas, int from, int to) const;
    int PointerAt(const QPointF& local) const;
    bool Dragging() const;

    int lastX_ = 0;  // LastMarkX
    int offset_ = 0; // from the press to the dragged marker
};
