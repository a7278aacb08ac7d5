#pragma once
// OutputStrip, the strip under the lane: the current line's output colour over time,
// brightness applied, over the whole height.

#include "editor/panes/canvas_pane.h"

class OutputStrip : public CanvasPane {
    Q_OBJECT
public:
    OutputStrip(EditorSession& session, ViewState& view, QWidget* parent = nullptr);

protected:
    // The current line's steps only: the selection and the current step do not show here.
    bool Shows(const EditorChange& change) const override
    {
        return change.TouchesLine(CurrentLine()) || change.CurrentLine;
    }
    void paintEvent(QPaintEvent* event) override;
};
