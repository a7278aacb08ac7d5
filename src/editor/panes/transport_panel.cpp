#include "editor/panes/transport_panel.h"

#include "editor/display_snapshot.h"
#include "gui_common/colors.h"

#include <QAction>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QSlider>
#include <QToolButton>

namespace {

QString Channel(char name, unsigned value) { return QString::asprintf("%c%3u", name, value); }

} // namespace

TransportPanel::TransportPanel(QAction* const (&actions)[6], QWidget* parent) : QWidget(parent)
{
    setFixedSize(305, 56);

    timeLabel_ = new QLabel("00:00:00.00", this);
    timeLabel_->setObjectName("TimeLabel");
    timeLabel_->setGeometry(3, 2, 157, 25);
    timeLabel_->setAlignment(Qt::AlignCenter);
    QFont bold = timeLabel_->font();
    bold.setBold(true);
    bold.setPixelSize(21);
    timeLabel_->setFont(bold);
    SetTime("00:00:00.00", SoundTimeColor);

    static constexpr int Xs[6] = {5, 30, 55, 80, 108, 133};
    for (int i = 0; i < 6; ++i) {
        auto* button = new QToolButton(this);
        button->setDefaultAction(actions[i]);
        button->setGeometry(Xs[i], 32, 25, 22);
        button->setAutoRaise(true);
        button->setIconSize(QSize(16, 16));
    }

    volume_ = new QSlider(Qt::Vertical, this);
    volume_->setGeometry(174, 0, 28, 56);
    volume_->setRange(0, 255);
    volume_->setPageStep(16);
    volume_->setTickInterval(64);
    volume_->setTickPosition(QSlider::TicksRight);
    volume_->setToolTip(tr("音量の変更"));
    volume_->setStatusTip(tr("音量の変更"));
    connect(volume_, &QSlider::valueChanged, this, &TransportPanel::volumeChanged);

    outColour_ = new QFrame(this);
    outColour_->setGeometry(213, 4, 50, 50);
    outColour_->setFrameShape(QFrame::Panel);
    outColour_->setFrameShadow(QFrame::Sunken);
    outColour_->setToolTip(tr("出力色"));
    outColour_->setStatusTip(tr("出力色"));

    QFont small = font();
    small.setPixelSize(11);
    auto label = [&](int y) {
        auto* l = new QLabel(this);
        l->setGeometry(266, y, 38, 13);
        l->setFont(small);
        return l;
    };
    trkLabel_ = label(2);
    rLabel_ = label(15);
    gLabel_ = label(28);
    bLabel_ = label(41);
    SetOutput(0, 0);
}

uint32_t TransportPanel::TimeColor() const { return timeColor_; }
uint32_t TransportPanel::OutputColor() const { return outputColor_; }

void TransportPanel::SetTime(const QString& text, uint32_t color)
{
    if (timeLabel_->text() != text)
        timeLabel_->setText(text);
    // Style sheets, because a toolbar's style may paint over palette colours.
    if (color != timeColor_) {
        timeColor_ = color;
        timeLabel_->setStyleSheet(
            QString("QLabel { background-color: #000080; color: %1; }").arg(ToQColor(color).name()));
    }
}

void TransportPanel::SetOutput(int line, uint32_t color)
{
    trkLabel_->setText(QString("Line%1").arg(line + 1));
    if (color != outputColor_) {
        outputColor_ = color;
        outColour_->setStyleSheet(QString("QFrame { background-color: %1; }").arg(ToQColor(color).name()));
    }
    rLabel_->setText(Channel('R', color & 0xFF));
    gLabel_->setText(Channel('G', (color >> 8) & 0xFF));
    bLabel_->setText(Channel('B', (color >> 16) & 0xFF));
}

void TransportPanel::SetVolume(int value)
{
    const QSignalBlocker quiet(volume_);
    volume_->setValue(value);
}

int TransportPanel::Volume() const { return volume_->value(); }
