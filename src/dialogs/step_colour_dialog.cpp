#include "dialogs/step_colour_dialog.h"

#include "dialogs/caption_tab_bar.h"
#include "dialogs/dialog_placement.h"
#include "dialogs/image_file.h"
#include "dialogs/palette_box.h"
#include "settings/env_data.h"
#include "settings/window_defaults.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int PanelBorder = 3; // the palette's bevel and border around the picking area
// A stored size is used as it is, within what a screen can show.
constexpr int MaxDispSize = 4096;

} // namespace

StepColourDialog::StepColourDialog(EnvData& env, IniFile& settings, QWidget* parent)
    : QDialog(parent), env_(env), settings_(settings)
{
    setObjectName("StpPropDlg");

    auto* left = new QWidget(this);
    left->setObjectName("TabControl1");
    auto* leftColumn = new QVBoxLayout(left);
    leftColumn->setContentsMargins(0, 0, 0, 0);
    leftColumn->setSpacing(0);
    paletteFrame_ = new QFrame(left);
    paletteFrame_->setObjectName("ColPalPanel");
    paletteFrame_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    paletteFrame_->setLineWidth(PanelBorder);
    palette_ = new PaletteBox(paletteFrame_);
    palette_->setObjectName("ColPalPaintBox");
    palette_->move(PanelBorder, PanelBorder);
    leftColumn->addWidget(paletteFrame_);
    tabs_ = new CaptionTabBar(left);
    tabs_->setShape(QTabBar::RoundedSouth);
    tabs_->addTab(tr("標準"));
    tabs_->addTab(tr("ユーザパレット"));
    tabs_->setStyleSheet("QTabBar::tab { width: 100px; }");
    tabs_->setDrawBase(false);
    leftColumn->addWidget(tabs_);

    auto* ope = new QWidget(this);
    ope->setObjectName("OpePanel");
    auto* opeColumn = new QVBoxLayout(ope);
    swatchPanel_ = new QFrame(ope);
    swatchPanel_->setObjectName("ColDspPanel");
    swatchPanel_->setFixedSize(89, 89);
    swatchPanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    opeColumn->addWidget(swatchPanel_, 0, Qt::AlignHCenter);
    auto* values = new QGridLayout;
    static const char* const Names[3] = {"R", "G", "B"};
    static const char* const EditNames[3] = {"RValEdit", "GValEdit", "BValEdit"};
    for (int i = 0; i < 3; ++i) {
        values->addWidget(new QLabel(Names[i], ope), i, 0);
        edits_[i] = new QLineEdit(ope);
        edits_[i]->setObjectName(EditNames[i]);
        edits_[i]->setFixedWidth(50);
        values->addWidget(edits_[i], i, 1);
        connect(edits_[i], &QLineEdit::textChanged, this, &StepColourDialog::ValuesEdited);
    }
    opeColumn->addLayout(values);
    opeColumn->addStretch(1);
    auto* ok = new QPushButton("OK", ope);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("キャンセル"), ope);
    cancel->setObjectName("CancelBtn");
    opeColumn->addWidget(ok);
    opeColumn->addWidget(cancel);
    connect(ok, &QPushButton::clicked, this, [this] {
        Color = swatch_;
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 4, 4, 4);
    row->addWidget(left, 0, Qt::AlignTop);
    row->addWidget(ope);
    row->setSizeConstraint(QLayout::SetFixedSize);

    menu_ = new QMenu(this);
    pictureItem_ = menu_->addAction(tr("パレット画像の選択(&P)"), this, &StepColourDialog::ChoosePaletteImage);
    pictureItem_->setObjectName("PalImgItem");
    menu_->addSeparator();
    for (int size : {240, 320, 400}) {
        QAction* item = menu_->addAction(tr("表示サイズ : %1").arg(size), this, [this, size] { SetSwatchSize(size); });
        item->setData(size);
    }
    connect(menu_, &QMenu::aboutToShow, this, [this] { pictureItem_->setVisible(tabs_->currentIndex() == 1); });

    connect(tabs_, &QTabBar::currentChanged, this, &StepColourDialog::TabChanged);
    connect(palette_, &PaletteBox::pressed, this, [this](Qt::MouseButton button, uint32_t color, const QPoint& at) {
        if (button == Qt::LeftButton)
            SetColor(color);
        else if (button == Qt::RightButton)
            menu_->popup(at + QPoint(2, 0));
    });
    connect(palette_, &PaletteBox::dragged, this, &StepColourDialog::SetColor);

    ChoosePictureFile = [this] {
        const QString filter = "Bitmaps (*.bmp *.BMP);;JPEG File (*.JPG) (*.jpg *.jpe *.jpeg *.JPG *.JPE *.JPEG);;"
                               "PNG File(*.PNG) (*.png *.PNG);;GIF File(*.GIF) (*.gif *.GIF)";
        return QFileDialog::getOpenFileName(this, tr("パレット画像の選択"), QString(), filter).toStdString();
    };
    SizePalette();
    SetColor(Color);
}

void StepColourDialog::SetColor(uint32_t color)
{
    edits_[0]->setText(QString::number(color & 0xFF));
    edits_[1]->setText(QString::number((color >> 8) & 0xFF));
    edits_[2]->setText(QString::number((color >> 16) & 0xFF));
    ShowSwatch(color);
}

// Each edit is read as an integer (0 when it is none) of which only the low 8 bits count.
void StepColourDialog::ValuesEdited()
{
    uint32_t channels[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        const int v = edits_[i]->text().toInt(&ok);
        channels[i] = ok ? uint32_t(v) & 0xFF : 0;
    }
    ShowSwatch(channels[0] | channels[1] << 8 | channels[2] << 16);
}

void StepColourDialog::ShowSwatch(uint32_t color)
{
    swatch_ = color;
    const QColor c(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
    swatchPanel_->setStyleSheet(QString("QFrame#ColDspPanel { background-color: %1; }").arg(c.name()));
}

void StepColourDialog::TabChanged()
{
    if (tabs_->currentIndex() == 0)
        palette_->ShowStandard();
    else
        palette_->ShowPicture(ToImage(env_.PaletteImage));
}

void StepColourDialog::ChoosePaletteImage()
{
    const std::string path = ChoosePictureFile ? ChoosePictureFile() : std::string();
    if (path.empty())
        return;
    env_.ImgFile = env_.ImgFileSetting(path);
    env_.LoadPalette(env_.ImgFile);
    TabChanged();
}

void StepColourDialog::SetSwatchSize(int size)
{
    env_.DispSize = uint32_t(size);
    SizePalette();
}

void StepColourDialog::SizePalette()
{
    const int size = std::clamp(int(std::min<uint32_t>(env_.DispSize, MaxDispSize)), 1, MaxDispSize);
    palette_->resize(size, size);
    paletteFrame_->setFixedSize(size + 2 * PanelBorder, size + 2 * PanelBorder);
    tabs_->setFixedWidth(size + 2 * PanelBorder);
}

void StepColourDialog::showEvent(QShowEvent* event)
{
    RestorePlacement(*this, settings_, StpPropDlgName, StpPropDlgStyle, StpPropDlgDefaults);
    SizePalette();
    SetColor(Color);
    TabChanged();
    QDialog::showEvent(event);
}

void StepColourDialog::done(int result)
{
    StorePlacement(*this, settings_, StpPropDlgName, StpPropDlgStyle);
    QDialog::done(result);
}
