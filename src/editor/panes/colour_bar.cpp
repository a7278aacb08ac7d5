#include "editor/panes/colour_bar.h"

#include "dialogs/palette_box.h"
#include "gui_common/colors.h"
#include "editor/edit_state.h"
#include "editor/editor_session.h"
#include "editor/status_texts.h"

#include <QAction>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>

namespace {

constexpr int PaletteEdge = 48;

QString Channel(char name, unsigned value) { return QString::asprintf("%c%3u", name, value); }

} // namespace

ColourBar::ColourBar(EditorSession& session, QAction* zeroAction, QWidget* parent)
    : QWidget(parent), session_(session)
{
    setObjectName("PalPanel");
    setFixedSize(186, 56);

    auto panel = [this](const char* name, int y, const QString& hint) {
        auto* f = new QFrame(this);
        f->setObjectName(name);
        f->setGeometry(3, y, 25, 25);
        f->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        f->setToolTip(hint);
        f->setStatusTip(hint);
        return f;
    };
    baseColour_ = panel("CurColPanel", 3, tr("基本色"));
    outputColour_ = panel("CurBrtPanel", 29, tr("出力色"));
    baseColour_->installEventFilter(this);

    QFont small = font();
    small.setPixelSize(11);
    auto label = [&](const char* name, int y) {
        auto* l = new QLabel(this);
        l->setObjectName(name);
        l->setGeometry(32, y, 38, 13);
        l->setFont(small);
        return l;
    };
    lineLabel_ = label("TrkLabel2", 2);
    lineLabel_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(lineLabel_, &QLabel::customContextMenuRequested, this,
            [this](const QPoint& at) { emit lineMenuRequested(lineLabel_->mapToGlobal(at)); });
    values_[0] = label("RValLabel2", 15);
    values_[1] = label("GValLabel2", 28);
    values_[2] = label("BValLabel2", 41);

    auto* palettePanel = new QFrame(this);
    palettePanel->setObjectName("CurPalPanel");
    palettePanel->setGeometry(72, 2, PaletteEdge + 4, PaletteEdge + 4);
    palettePanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    palettePanel->setLineWidth(2);
    palette_ = new PaletteBox(palettePanel);
    palette_->setObjectName("CurPalPaintBox");
    palette_->setGeometry(2, 2, PaletteEdge, PaletteEdge);
    palette_->setToolTip(tr("色指定"));
    palette_->setStatusTip(tr("色指定"));
    connect(palette_, &PaletteBox::pressed, this,
            [this](Qt::MouseButton button, uint32_t color, const QPoint&) { PalettePressed(button, color); });
    connect(palette_, &PaletteBox::dragged, this, [this](uint32_t color) {
        if (painting_ && session_.CurrentStepRec())
            session_.PaintColor(color, false);
    });
    connect(palette_, &PaletteBox::released, this, [this] {
        painting_ = false;
    });
    connect(palette_, &PaletteBox::doubleClicked, this, [this] {
        painting_ = false;
        session_.IgnoreNextStepPress();
        doublePress_ = true;
        if (session_.CurrentStepRec())
            emit commandRequested(Command::StepColour);
    });

    brightness_ = new QSlider(Qt::Vertical, this);
    brightness_->setObjectName("CurBrtTrackBar");
    brightness_->setGeometry(128, 0, 28, 56);
    brightness_->setRange(-255, 255);
    brightness_->setPageStep(16);
    brightness_->setTickInterval(64);
    brightness_->setTickPosition(QSlider::TicksRight);
    brightness_->setToolTip(tr("明暗の変更"));
    brightness_->setStatusTip(tr("明暗の変更"));
    brightness_->installEventFilter(this);
    connect(brightness_, &QSlider::valueChanged, this, &ColourBar::BrightnessMoved);
    connect(&session, &EditorSession::changed, this, [this](const EditorChange& change) {
        if (change.TouchesCurrentLine(session_.CurrentLine()))
            UpdateColourLabels();
    });

    auto* zero = new QToolButton(this);
    zero->setObjectName("Brt0SpeedBtn");
    zero->setDefaultAction(zeroAction);
    zero->setGeometry(160, 17, 22, 22);

    UpdateColourLabels();
}

void ColourBar::UpdateColourLabels()
{
    lineLabel_->setText(QString("Line%1").arg(session_.CurrentLine() + 1));
    const TStepRec* s = session_.CurrentStepRec();
    if (s) {
        ShowPanel(baseColour_, s->Color, shownBase_);
        ShowPanel(outputColour_, ApplyBrightness(s->Color, s->Brightness), shownOutput_);
        values_[0]->setText(Channel('R', RedOf(s->Color)));
        values_[1]->setText(Channel('G', GreenOf(s->Color)));
        values_[2]->setText(Channel('B', BlueOf(s->Color)));
        // Shown, not edited: the slider's own change signal is for the person's moves. While
        // a drag shows the lines as they were, so does the slider.
        const QSignalBlocker quiet(brightness_);
        brightness_->setValue(PaintedBrightness(*s));
    } else {
        ShowPanel(baseColour_, NoColor, shownBase_);
        ShowPanel(outputColour_, NoColor, shownOutput_);
        for (QLabel* l : values_)
            l->setText("---");
    }
    brightness_->setEnabled(s != nullptr);
}

int32_t ColourBar::PaintedBrightness(const TStepRec& live) const
{
    const EditState& edit = session_.Edit();
    const EditState::LineSet* frozen = edit.Frozen();
    if (!frozen)
        return live.Brightness;
    const TStepList& line = (*frozen)[size_t(session_.CurrentLine())];
    const int i = edit.PaintedCurrentStep();
    return i >= 0 && size_t(i) < line.size() ? line[size_t(i)].Brightness : live.Brightness;
}

// NoColor shows the panel's own neutral background.
void ColourBar::ShowPanel(QFrame* panel, uint32_t color, uint32_t& shown)
{
    if (color == shown)
        return;
    shown = color;
    panel->setStyleSheet(color == NoColor ? QString()
                                          : QString("QFrame#%1 { background-color: %2; }")
                                                .arg(panel->objectName(), ToQColor(color).name()));
}

void ColourBar::PalettePressed(Qt::MouseButton button, uint32_t color)
{
    if (doublePress_) {
        // The second press of a double-click: the guard was for it alone.
        doublePress_ = false;
        session_.TakeStepPressGuard();
        return;
    }
    if (button != Qt::LeftButton || !session_.CurrentStepRec())
        return;
    if (session_.TakeStepPressGuard())
        return;
    session_.PaintColor(color, true);
    painting_ = true;
}

void ColourBar::BrightnessMoved(int value) { session_.SetCurrentBrightness(value); }

bool ColourBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == brightness_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // The 0 of the main keyboard; the keypad's keeps its slider meaning.
        if (key->key() == Qt::Key_0 && !(key->modifiers() & Qt::KeypadModifier)) {
            emit commandRequested(Command::ZeroBrightness);
            return true;
        }
    } else if (watched == baseColour_ && event->type() == QEvent::MouseButtonDblClick) {
        if (session_.CurrentStepRec())
            emit commandRequested(Command::StepColour);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
