#pragma once
// The canvas rows below the waveform, each beside its part of the 50-pixel header column:
// the mark bar, the lane and the output strip beside the line tabs, and under the splitter
// ReferenceSplitter the reference view beside its header. Every pane is as wide as the waveform
// panes, so all share one viewport and one scroll bar. Lays out the reference view.

#include <QWidget>

class EditorSession;
class LaneView;
class MarkBar;
class OutputStrip;
class QSplitter;
class QTabBar;
class ReferenceHeader;
class ReferenceView;
class ViewState;

class CanvasRows : public QWidget {
    Q_OBJECT
public:
    static constexpr int HeaderWidth = 50;
    static constexpr int MinRefHeight = 30;

    CanvasRows(EditorSession& session, ViewState& view, QWidget* parent = nullptr);

    QTabBar* LineTabs() const { return tabs_; }
    MarkBar* MarkBarPane() const { return markBar_; }
    LaneView* Lane() const { return lane_; }
    OutputStrip* OutputStripPane() const { return strip_; }
    ReferenceView* ReferencePane() const { return refView_; }
    ReferenceHeader* ReferenceHeaderPane() const { return refHeader_; }
    QSplitter* ReferenceSplitter() const { return splitter_; }

    // The tabs show line without reporting a change.
    void ShowLine(int line);

    // The reference view: shown or not, its mode (-2 all lines, 0..7 one line) and its
    // height while shown. Hiding keeps the mode.
    bool RefVisible() const { return refVisible_; }
    int RefMode() const { return refMode_; }
    int RefHeight() const { return refHeight_; }
    void SetReference(bool visible, int mode, int height);
    // The menu's items: -1 hides the view, any other tag shows it in that mode.
    void ChooseReference(int tag);
    void LayoutReferenceView();

signals:
    // The reference view's menu, at this screen position.
    void refMenuRequested(const QPoint& globalPos);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ReferenceHeaderPressed(Qt::MouseButton button, const QPoint& globalPos);

    EditorSession& session_;
    QTabBar* tabs_;
    MarkBar* markBar_;
    LaneView* lane_;
    OutputStrip* strip_;
    QWidget* refPanel_;
    QSplitter* splitter_;
    ReferenceHeader* refHeader_;
    ReferenceView* refView_;
    QWidget* refRow_;
    bool refVisible_ = false;
    int refMode_ = 0;
    int refHeight_ = 80;
    bool laying_ = false;
};
