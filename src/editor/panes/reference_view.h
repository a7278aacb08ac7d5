#pragma once
// ReferenceView, under the output strip: one other line for reference,
// or all eight lines in rows. In the all-lines mode a press on a row makes its line current
// and selects steps, and a rubber band selects steps across lines.

#include "editor/panes/canvas_pane.h"

class ReferenceView : public CanvasPane {
    Q_OBJECT
public:
    static constexpr int AllLines = -2;

    ReferenceView(EditorSession& session, ViewState& view, QWidget* parent = nullptr);

    // -2: all lines; 0..7: that line alone.
    int Mode() const { return mode_; }
    void SetMode(int mode);
    // Hidden, the view paints nothing.
    void SetShown(bool shown);

protected:
    // The lines it shows, their selection and, with all lines, which line is current.
    bool Shows(const EditorChange& change) const override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void PaintOneLine(PixelCanvas& canvas, int line, int from, int end) const;
    void PaintAllLines(PixelCanvas& canvas, int from, int end) const;
    void PressAllLines(Qt::KeyboardModifiers keys, const QPoint& local);

    int mode_ = 0;
    bool shown_ = false;
    bool bandActive_ = false;
    QPoint bandAnchor_;
    PixelRect bandRect_;
};
