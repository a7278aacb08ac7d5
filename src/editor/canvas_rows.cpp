#include "editor/canvas_rows.h"

#include "editor/editor_session.h"
#include "editor/panes/lane_view.h"
#include "editor/panes/mark_bar.h"
#include "editor/panes/output_strip.h"
#include "editor/panes/reference_header.h"
#include "editor/panes/reference_view.h"

#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int Panel1Height = 8;
constexpr int StripHeight = 30;
constexpr int HiddenViewHeight = 2;

} // namespace

CanvasRows::CanvasRows(EditorSession& session, ViewState& view, QWidget* parent)
    : QWidget(parent), session_(session)
{
    setObjectName("CanvasRows");
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    splitter_ = new QSplitter(Qt::Vertical, this);
    splitter_->setObjectName("ORSplitter");
    splitter_->setHandleWidth(4);
    splitter_->setChildrenCollapsible(false);
    outer->addWidget(splitter_);

    // Mark bar, lane and strip beside the line tabs.
    auto* upper = new QWidget(splitter_);
    auto* row = new QHBoxLayout(upper);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    auto* header = new QWidget(upper);
    header->setObjectName("LeftHdrPanel");
    header->setFixedWidth(HeaderWidth);
    auto* headerColumn = new QVBoxLayout(header);
    headerColumn->setContentsMargins(0, MarkBar::DefaultHeight, 0, 0);
    tabs_ = new QTabBar(header);
    tabs_->setObjectName("TrackTabControl");
    tabs_->setShape(QTabBar::RoundedWest);
    tabs_->setExpanding(false);
    tabs_->setUsesScrollButtons(true);
    // The tabs take the lane's height and scroll when it is short; they never hold the
    // rows open.
    tabs_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
    for (int i = 1; i <= LineCount; ++i)
        tabs_->addTab(QString("Line %1").arg(i));
    headerColumn->addWidget(tabs_, 1, Qt::AlignRight);
    row->addWidget(header);

    auto* panes = new QWidget(upper);
    auto* column = new QVBoxLayout(panes);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    markBar_ = new MarkBar(session, view, panes);
    markBar_->setObjectName("MarkBarPaintBox");
    column->addWidget(markBar_);
    lane_ = new LaneView(session, view, panes);
    lane_->setObjectName("ColCtlPaintBox");
    lane_->setMinimumHeight(40);
    column->addWidget(lane_, 1);
    column->addSpacing(Panel1Height);
    strip_ = new OutputStrip(session, view, panes);
    strip_->setObjectName("ColOutPaintBox");
    strip_->setFixedHeight(StripHeight);
    column->addWidget(strip_);
    refPanel_ = new QWidget(panes);
    refPanel_->setObjectName("RefPanel");
    column->addWidget(refPanel_);
    row->addWidget(panes, 1);

    // The reference view beside its header.
    refRow_ = new QWidget(splitter_);
    auto* refLayout = new QHBoxLayout(refRow_);
    refLayout->setContentsMargins(0, 0, 0, 0);
    refLayout->setSpacing(0);
    refHeader_ = new ReferenceHeader(refRow_);
    refHeader_->setFixedWidth(HeaderWidth);
    refLayout->addWidget(refHeader_);
    refView_ = new ReferenceView(session, view, refRow_);
    refView_->setObjectName("RefTrkPaintBox");
    refLayout->addWidget(refView_, 1);
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 0);

    connect(tabs_, &QTabBar::currentChanged, this, [this](int line) { session_.SetCurrentLine(line, true); });
    connect(&session, &EditorSession::changed, this, [this](const EditorChange& change) {
        if (change.CurrentLine || change.Everything)
            ShowLine(session_.CurrentLine());
    });
    connect(refHeader_, &ReferenceHeader::pressed, this, &CanvasRows::ReferenceHeaderPressed);
    connect(refView_, &CanvasPane::contextMenuRequested, this, &CanvasRows::refMenuRequested);
    connect(splitter_, &QSplitter::splitterMoved, this, [this] {
        if (!refVisible_ || laying_)
            return;
        refHeight_ = std::max(MinRefHeight, refView_->height());
        LayoutReferenceView();
    });
    LayoutReferenceView();
}

void CanvasRows::ShowLine(int line)
{
    const QSignalBlocker quiet(tabs_);
    tabs_->setCurrentIndex(line);
}

void CanvasRows::SetReference(bool visible, int mode, int height)
{
    refVisible_ = visible;
    refMode_ = mode == ReferenceView::AllLines || (mode >= 0 && mode < LineCount) ? mode : 0;
    refHeight_ = std::max(MinRefHeight, height);
    LayoutReferenceView();
}

void CanvasRows::ChooseReference(int tag)
{
    if (tag == -1) {
        refVisible_ = false;
    } else {
        refVisible_ = true;
        refMode_ = tag;
    }
    LayoutReferenceView();
}

void CanvasRows::LayoutReferenceView()
{
    laying_ = true;
    const int viewHeight = refVisible_ ? refHeight_ : HiddenViewHeight;
    refPanel_->setFixedHeight(refVisible_ ? 8 : 4);
    refView_->setMinimumHeight(refVisible_ ? MinRefHeight : HiddenViewHeight);
    refRow_->setMinimumHeight(refView_->minimumHeight());
    refRow_->setMaximumHeight(refVisible_ ? QWIDGETSIZE_MAX : HiddenViewHeight);
    splitter_->handle(1)->setEnabled(refVisible_);
    const int total = splitter_->height() - splitter_->handleWidth();
    splitter_->setSizes({std::max(1, total - viewHeight), viewHeight});
    refView_->SetShown(refVisible_);
    refView_->SetMode(refMode_);
    if (!refVisible_) {
        refHeader_->SetCaption({});
        refHeader_->ShowRowLabels(-1);
    } else if (refMode_ == ReferenceView::AllLines) {
        refHeader_->SetCaption({});
        refHeader_->ShowRowLabels((viewHeight - 4) / 8);
    } else {
        refHeader_->ShowRowLabels(-1);
        refHeader_->SetCaption(QString("Line %1").arg(refMode_ + 1));
    }
    laying_ = false;
}

void CanvasRows::ReferenceHeaderPressed(Qt::MouseButton button, const QPoint& globalPos)
{
    if (!refVisible_)
        return;
    if (button == Qt::RightButton) {
        emit refMenuRequested(globalPos + QPoint(2, 0));
    } else if (refMode_ != ReferenceView::AllLines) {
        refMode_ = (refMode_ + 1) % LineCount;
        refHeader_->SetCaption(QString("Line %1").arg(refMode_ + 1));
        refView_->SetMode(refMode_);
        session_.SetSelection(false, true);
    }
}

void CanvasRows::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayoutReferenceView();
}
