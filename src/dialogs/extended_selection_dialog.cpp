#include "dialogs/extended_selection_dialog.h"

#include "dialogs/dialog_placement.h"
#include "document/color.h"
#include "gui_common/colors.h"
#include "settings/window_defaults.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The plot: it paints and hands its pointer to the window.
class PlotBox final : public QWidget {
public:
    PlotBox(ExtendedSelectionDialog& form, QWidget* parent) : QWidget(parent), form_(form)
    {
        setObjectName("SelPaintBox");
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMinimumSize(100, 100);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        form_.PaintPlot(painter);
    }
    void mousePressEvent(QMouseEvent* e) override { form_.PlotPressed(e->position().toPoint(), e->button()); }
    void mouseMoveEvent(QMouseEvent* e) override { form_.PlotMoved(e->position().toPoint()); }
    void mouseReleaseEvent(QMouseEvent*) override { form_.PlotReleased(); }
    void resizeEvent(QResizeEvent*) override { form_.PlotResized(); }

private:
    ExtendedSelectionDialog& form_;
};

} // namespace

ExtendedSelectionDialog::ExtendedSelectionDialog(ProjectData& document, IniFile& settings, QWidget* parent)
    : QDialog(parent, Qt::Tool), document_(document), settings_(settings)
{
    setObjectName("SelExForm");
    setWindowTitle(tr("拡張選択"));
    setMinimumWidth(380);
    setSizeGripEnabled(true);

    modeTabs_ = new QTabBar(this);
    modeTabs_->setObjectName("ModeTabControl");
    modeTabs_->addTab(tr("色相/彩度"));
    modeTabs_->addTab(tr("色相/明暗"));
    modeTabs_->setStyleSheet("QTabBar::tab { width: 120px; }");
    modeTabs_->setDrawBase(false);
    modeTabs_->setExpanding(false);
    connect(modeTabs_, &QTabBar::currentChanged, this, [this] { Replot(); });
    plot_ = new PlotBox(*this, this);

    auto* modes = new QGroupBox(this);
    modes->setObjectName("ModeRadioGroup");
    modeGroup_ = new QButtonGroup(this);
    auto* modeRow = new QHBoxLayout(modes);
    modeRow->setContentsMargins(6, 2, 6, 2);
    for (const QString& caption : {tr("選択"), tr("除外")}) {
        auto* button = new QRadioButton(caption, modes);
        modeGroup_->addButton(button, int(modeGroup_->buttons().size()));
        modeRow->addWidget(button);
    }
    modeGroup_->button(0)->setChecked(true);
    auto* reset = new QPushButton(tr("抽出解除"), this);
    reset->setObjectName("ResetBtn");
    reset->setAutoDefault(false);
    connect(reset, &QPushButton::clicked, this, &ExtendedSelectionDialog::BuildCandidates);
    auto* ok = new QPushButton(tr("確定"), this);
    ok->setObjectName("OkButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* cancel = new QPushButton(tr("キャンセル"), this);
    cancel->setObjectName("Button1");
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* status = new QStatusBar(this);
    status->setObjectName("StatusBar1");
    status->setSizeGripEnabled(false);
    counter_ = new QLabel(status);
    counter_->setObjectName("StatusPanel0");
    counter_->setFixedWidth(150);
    auto* spare = new QLabel(status);
    spare->setFixedWidth(50);
    for (QLabel* panel : {counter_, spare}) {
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        status->addWidget(panel);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(modes);
    buttons->addStretch();
    for (QPushButton* b : {reset, ok, cancel})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->setSpacing(0);
    layout->addWidget(modeTabs_);
    layout->addWidget(plot_, 1);
    layout->addSpacing(4);
    layout->addLayout(buttons);
    layout->addWidget(status);
    // At least as wide as the row of buttons needs: the longer English captions must not be cut.
    setMinimumWidth(std::max(minimumWidth(), layout->minimumSize().width()));
    resize(std::max(400, minimumWidth()), 400);
}

int ExtendedSelectionDialog::Mode() const { return modeGroup_->checkedId(); }

PlotMode ExtendedSelectionDialog::CurrentMode() const { return PlotMode(std::clamp(modeTabs_->currentIndex(), 0, 1)); }

void ExtendedSelectionDialog::showEvent(QShowEvent* event)
{
    const QWidget* main = parentWidget();
    RestorePlacement(*this, settings_, SelExFormName, SelExFormStyle,
                     SelExFormDefaults(main ? main->x() : 0, main ? main->y() : 0));
    banding_ = false;
    BuildCandidates();
    QDialog::showEvent(event);
}

void ExtendedSelectionDialog::done(int result)
{
    if (result == QDialog::Accepted)
        document_.SelectOnly(candidates_);
    // The show may change before the next opening: no stale step may be plotted then.
    candidates_.clear();
    total_ = 0;
    StorePlacement(*this, settings_, SelExFormName, SelExFormStyle);
    QDialog::done(result);
}

void ExtendedSelectionDialog::BuildCandidates()
{
    candidates_.clear();
    const bool all = document_.CountSelectedAll() == 0;
    for (int l = 0; l < LineCount; ++l) {
        const TStepList& line = document_.Lines[size_t(l)];
        for (int i = 0; i < int(line.size()); ++i)
            if (all || line[size_t(i)].Selected)
                candidates_.push_back({l, i});
    }
    total_ = int(candidates_.size());
    Replot();
    ShowCount(false);
}

void ExtendedSelectionDialog::Replot()
{
    const PlotMode mode = CurrentMode();
    std::vector<PlotPoint> points;
    points.reserve(candidates_.size());
    for (const StepPos& at : candidates_) {
        const TStepRec& s = document_.Lines[size_t(at.Line)][size_t(at.Index)];
        const PlotSpot spot = PlotSpotOf(s.Color, s.Brightness, mode, plot_->width(), plot_->height());
        points.push_back({at, spot.X, spot.Y});
    }
    document_.SetPlotPoints(points);
    plot_->update();
}

void ExtendedSelectionDialog::PlotResized() { Replot(); }

void ExtendedSelectionDialog::ShowCount(bool filtered)
{
    const QString count = QString::number(candidates_.size());
    counter_->setText(filtered ? QString("%1/%2 points").arg(count).arg(total_) : count + " points");
}

void ExtendedSelectionDialog::PaintPlot(QPainter& painter)
{
    const int w = plot_->width();
    const int h = plot_->height();
    const int a = PlotHalfEdge(w, h);
    painter.fillRect(plot_->rect(), Qt::black);
    const PlotMode mode = CurrentMode();
    if (mode == PlotMode::HueBrightness) {
        painter.setPen(Qt::white);
        painter.drawLine(0, h / 2, w, h / 2);
    }
    for (const StepPos& at : candidates_) {
        const TStepRec& s = document_.Lines[size_t(at.Line)][size_t(at.Index)];
        const uint32_t color = mode == PlotMode::HueSaturation ? s.Color : ApplyBrightness(s.Color, s.Brightness);
        const QRect square(s.PlotX - a, s.PlotY - a, 2 * a, 2 * a);
        painter.fillRect(square, ToQColor(color));
        // A raised edge: light above and left, dark below and right.
        painter.setPen(QColor(255, 255, 255, 200));
        painter.drawLine(square.topLeft(), square.topRight());
        painter.drawLine(square.topLeft(), square.bottomLeft());
        painter.setPen(QColor(0, 0, 0, 200));
        painter.drawLine(square.bottomLeft(), square.bottomRight());
        painter.drawLine(square.topRight(), square.bottomRight());
    }
    if (banding_) {
        // The band inverts what lies under it, as a rubber band does.
        painter.setCompositionMode(QPainter::CompositionMode_Difference);
        painter.setPen(Qt::white);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(band_.adjusted(0, 0, -1, -1));
    }
}

void ExtendedSelectionDialog::PlotPressed(QPoint at, Qt::MouseButton button)
{
    if (button != Qt::LeftButton)
        return;
    anchor_ = at;
    band_ = QRect(at, QSize(0, 0));
    banding_ = true;
    plot_->update();
}

void ExtendedSelectionDialog::PlotMoved(QPoint at)
{
    if (!banding_)
        return;
    band_ = QRect(QPoint(std::min(anchor_.x(), at.x()), std::min(anchor_.y(), at.y())),
                  QPoint(std::max(anchor_.x(), at.x()) - 1, std::max(anchor_.y(), at.y()) - 1));
    plot_->update();
}

void ExtendedSelectionDialog::PlotReleased()
{
    if (!banding_)
        return;
    banding_ = false;
    // Left and top inside, right and bottom outside.
    const int left = band_.left(), top = band_.top(), right = band_.left() + band_.width(),
              bottom = band_.top() + band_.height();
    const bool keepInside = Mode() == 0;
    std::erase_if(candidates_, [&](const StepPos& at) {
        const TStepRec& s = document_.Lines[size_t(at.Line)][size_t(at.Index)];
        const bool inside = s.PlotX >= left && s.PlotX < right && s.PlotY >= top && s.PlotY < bottom;
        return inside != keepInside;
    });
    plot_->update();
    ShowCount(true);
}
