#include "dialogs/options_dialog.h"

#include "common/messages.h"
#include "common/string_table.h"
#include "dialogs/node_details_dialog.h"
#include "dialogs/output_page.h"
#include "document/play_globals.h"
#include "gui_common/colors.h"
#include "gui_common/drawing_helpers.h"
#include "gui_common/osc_list_texts.h"
#include "remote/osc_endpoints.h"
#include "gui_common/shortcut_keys.h"

#include <QAction>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int SwatchWidth = 30;
constexpr int CaptionLeft = 34;

uint32_t ToBgr(const QColor& c) { return uint32_t(c.red()) | uint32_t(c.green()) << 8 | uint32_t(c.blue()) << 16; }

// The colour list's items: a swatch of the working colour, then the caption.
class ColorItemDelegate : public QStyledItemDelegate {
public:
    ColorItemDelegate(const std::array<uint32_t, 8>& colors, QObject* parent)
        : QStyledItemDelegate(parent), colors_(colors)
    {
    }
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QRect r = option.rect;
        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        painter->fillRect(r, option.palette.color(selected ? QPalette::Highlight : QPalette::Base));
        painter->fillRect(QRect(r.left(), r.top(), SwatchWidth, r.height()), ToQColor(colors_[size_t(index.row())]));
        painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const QFontMetrics metrics(option.font);
        // Two pixels down, unless the font's letters fit its height already.
        const int top = r.top() + (FontFits(option.font) ? 0 : 2);
        painter->drawText(QPoint(r.left() + CaptionLeft, top + metrics.ascent()), index.data().toString());
        painter->restore();
    }

private:
    const std::array<uint32_t, 8>& colors_;
};

// The keys a shortcut can be given, in the list's order.
std::vector<std::string> KeyNames()
{
    std::vector<std::string> keys;
    for (char c = 'A'; c <= 'Z'; ++c)
        keys.emplace_back(1, c);
    for (int i = 1; i <= 12; ++i)
        keys.push_back("F" + std::to_string(i));
    for (const char* name : {"Del", "Ins", "BkSp", "PgUp", "PgDn", "Home", "End", "Left", "Up", "Right", "Down",
                             "Tab", "Esc", "Enter", "Space"})
        keys.emplace_back(name);
    return keys;
}

QComboBox* NumberBox(const char* name, std::initializer_list<int> values, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    for (int v : values)
        box->addItem(QString::number(v));
    return box;
}

// The item showing value, or none.
void SelectNumber(QComboBox* box, int value) { box->setCurrentIndex(box->findText(QString::number(value))); }

int NumberOr(const QString& text, int fallback)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : fallback;
}

QCheckBox* Check(const char* name, const QString& caption, QWidget* parent)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QPushButton* Button(const char* name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

const char* const OptionsDialog::ColorNames[8] = {
    QT_TRANSLATE_NOOP("OptionsDialog", "波形表示色(L)"),
    QT_TRANSLATE_NOOP("OptionsDialog", "波形の背景(L)"),
    QT_TRANSLATE_NOOP("OptionsDialog", "波形表示色(R)"),
    QT_TRANSLATE_NOOP("OptionsDialog", "波形の背景(R)"),
    QT_TRANSLATE_NOOP("OptionsDialog", "無音部分の背景"),
    QT_TRANSLATE_NOOP("OptionsDialog", "タイムライン表示"),
    QT_TRANSLATE_NOOP("OptionsDialog", "タイムライン背景"),
    QT_TRANSLATE_NOOP("OptionsDialog", "カラー表示の背景"),
};

OptionsDialog::OptionsDialog(OptionHost& host, NodeDetailsDialog& details, QWidget* parent)
    : QDialog(parent), host_(host), details_(details)
{
    setObjectName("OptionDlg");
    setWindowTitle(tr("オプション設定"));
    pages_ = new QTabWidget(this);
    pages_->setObjectName("PageControl1");
    // Eight pages: every tab stays in view rather than behind scroll arrows.
    pages_->setUsesScrollButtons(false);
    pages_->addTab(CreateDisplayPage(), tr("表示"));
    pages_->addTab(CreateOperationPage(), tr("操作"));
    pages_->addTab(CreateShortcutPage(), tr("ショートカット"));
    pages_->addTab(CreatePalettePage(), tr("パレット"));
    pages_->addTab(CreateAutoSavePage(), tr("自動保存"));
    pages_->addTab(CreateDmxPage(), "DMX");
    outputPage_ = new OutputPage;
    pages_->addTab(outputPage_, tr("出力"));
    pages_->addTab(CreateAdvancedPage(), tr("高度な設定"));
    oscPage_ = CreateOscPage();
    pages_->addTab(oscPage_, tr("OSC"));

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("キャンセル"), this);
    cancel->setObjectName("CancelBtn");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(buttons);
    resize(440, 380);

    nodeListTimer_ = new QTimer(this);
    nodeListTimer_->setInterval(100);
    connect(nodeListTimer_, &QTimer::timeout, this, &OptionsDialog::RefreshNodeList);
    nodeListTimer_->start();
}

QWidget* OptionsDialog::CreateDisplayPage()
{
    auto* page = new QWidget;
    colorBox_ = new QComboBox(page);
    colorBox_->setObjectName("ColorComboBox");
    colorBox_->setItemDelegate(new ColorItemDelegate(colors_, colorBox_));
    auto* choose = Button("RefColBtn", tr("指定..."), page);
    refColBtn_ = choose;
    connect(colorBox_, &QComboBox::activated, this, [this] { refColBtn_->setEnabled(colorBox_->currentIndex() >= 0); });
    connect(choose, &QPushButton::clicked, this, &OptionsDialog::ChooseColour);
    flatBtn_ = Check("FlatBtnCheckBox", tr("ツールボタンをフラットに"), page);
    trkDsp_ = Check("TrkDspCheckBox", tr("基点移動時に表示を更新"), page);

    // The language is chosen before the first window opens, so a change waits for the next start.
    auto* language = new QGroupBox(tr("言語"), page);
    language_ = new QComboBox(language);
    language_->setObjectName("LanguageComboBox");
    language_->addItem(tr("自動 (デスクトップの言語)"), "auto");
    language_->addItem("日本語", "ja");
    language_->addItem("English", "en");
    auto* languageLayout = new QVBoxLayout(language);
    languageLayout->addWidget(language_);
    languageLayout->addWidget(new QLabel(tr("次回の起動から有効になります"), language));

    auto* layout = new QGridLayout(page);
    layout->addWidget(colorBox_, 0, 0);
    layout->addWidget(choose, 0, 1);
    layout->addWidget(flatBtn_, 1, 0, 1, 2);
    layout->addWidget(trkDsp_, 2, 0, 1, 2);
    layout->addWidget(language, 3, 0, 1, 2);
    layout->setRowStretch(4, 1);
    return page;
}

QWidget* OptionsDialog::CreateOperationPage()
{
    auto* page = new QWidget;
    monTab_ = Check("MonTabCheckBox", tr("カラーモニタパネルのクリックでタブを切替"), page);
    useWheel_ = Check("UseWheelCheckBox", tr("マウスホイール機能を使う"), page);
    curAct_ = Check("CurActCheckBox", tr("カーソル通過時に基点をアクティブに"), page);
    auto* layout = new QVBoxLayout(page);
    for (QCheckBox* box : {monTab_, useWheel_, curAct_})
        layout->addWidget(box);
    layout->addStretch();
    return page;
}

QWidget* OptionsDialog::CreateShortcutPage()
{
    auto* page = new QWidget;
    shortCutList_ = new QListWidget(page);
    shortCutList_->setObjectName("ShortCutList");
    keyBox_ = new QComboBox(page);
    keyBox_->setObjectName("KeyComboBox");
    keyBox_->setPlaceholderText(tr("なし"));
    ctrl_ = Check("CtrlCheckBox", "Ctrl", page);
    shift_ = Check("ShiftCheckBox", "Shift", page);
    alt_ = Check("AltCheckBox", "Alt", page);
    auto* change = Button("SKChgBtn", tr("変更(&C)"), page);
    connect(change, &QPushButton::clicked, this, &OptionsDialog::ChangeShortcut);
    auto* clear = Button("ClrBtn", tr("解除(&R)"), page);
    connect(clear, &QPushButton::clicked, this, &OptionsDialog::ClearShortcut);
    auto* row = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{keyBox_, ctrl_, shift_, alt_, change, clear})
        row->addWidget(w);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(shortCutList_);
    layout->addLayout(row);
    return page;
}

QWidget* OptionsDialog::CreatePalettePage()
{
    auto* page = new QWidget;
    auto* group = new QGroupBox(tr("ユーザパレット画像"), page);
    palFilEdit_ = new QLineEdit(group);
    palFilEdit_->setObjectName("PalFilEdit");
    connect(palFilEdit_, &QLineEdit::textEdited, this, [this] { palFileChanged_ = true; });
    auto* browse = Button("RefPalFilBtn", "...", group);
    browse->setFixedWidth(28);
    connect(browse, &QPushButton::clicked, this, &OptionsDialog::ChoosePaletteFile);
    auto* row = new QHBoxLayout(group);
    row->addWidget(palFilEdit_);
    row->addWidget(browse);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(group);
    layout->addStretch();
    return page;
}

QWidget* OptionsDialog::CreateAutoSavePage()
{
    auto* page = new QWidget;
    autoSave_ = Check("AutoSaveCheckBox", tr("自動バックアップを行う"), page);
    saveInterval_ = NumberBox("SaveIntervalComboBox", {5, 10, 15, 20, 30, 45, 60}, page);
    auto* layout = new QGridLayout(page);
    layout->addWidget(autoSave_, 0, 0, 1, 3);
    layout->addWidget(new QLabel(tr("間隔"), page), 1, 0);
    layout->addWidget(saveInterval_, 1, 1);
    layout->addWidget(new QLabel(tr("分"), page), 1, 2);
    layout->setColumnStretch(3, 1);
    layout->setRowStretch(2, 1);
    return page;
}

QWidget* OptionsDialog::CreateDmxPage()
{
    auto* page = new QWidget;
    auto* port = new QGroupBox(tr("出力ポート"), page);
    // Art-Net 4's 15-bit Port-Address: net (0-127), sub-net and universe id (0-15 each).
    onet_ = new QComboBox(port);
    onet_->setObjectName("OnetComboBox");
    for (int n = 0; n < 128; ++n)
        onet_->addItem(QString::number(n));
    osub_ = new QComboBox(port);
    osub_->setObjectName("OsubComboBox");
    oid_ = new QComboBox(port);
    oid_->setObjectName("OidComboBox");
    for (int d = 0; d < 16; ++d) {
        osub_->addItem(QString::number(d, 16).toUpper());
        oid_->addItem(QString::number(d, 16).toUpper());
    }
    connect(onet_, &QComboBox::activated, this, &OptionsDialog::UniverseChanged);
    connect(osub_, &QComboBox::activated, this, &OptionsDialog::UniverseChanged);
    connect(oid_, &QComboBox::activated, this, &OptionsDialog::UniverseChanged);
    auto* portLayout = new QGridLayout(port);
    portLayout->addWidget(new QLabel(tr("NET"), port), 0, 0);
    portLayout->addWidget(new QLabel(tr("SUB-NET"), port), 0, 1);
    portLayout->addWidget(new QLabel(tr("ID"), port), 0, 2);
    portLayout->addWidget(onet_, 1, 0);
    portLayout->addWidget(osub_, 1, 1);
    portLayout->addWidget(oid_, 1, 2);
    ipAdrLabel_ = new QLabel(page);
    ipAdrLabel_->setObjectName("IpAdrLabel");

    nodeList_ = new QListWidget(page);
    nodeList_->setObjectName("NodeListBox");
    nodeList_->setFont(QFont("Monospace"));
    auto* scan = Button("ScanBtn", tr("スキャン"), page);
    connect(scan, &QPushButton::clicked, this, &OptionsDialog::ScanNodes);
    propAction_ = new QAction(tr("詳細"), this);
    propAction_->setObjectName("PropAction");
    connect(propAction_, &QAction::triggered, this, &OptionsDialog::ShowNodeDetails);
    auto* details = new QToolButton(page);
    details->setObjectName("PropBtn");
    details->setDefaultAction(propAction_);
    details->setToolButtonStyle(Qt::ToolButtonTextOnly);
    connect(nodeList_, &QListWidget::itemDoubleClicked, this, [this] {
        UpdateNodeDetailsAction();
        propAction_->trigger();
    });
    connect(nodeList_, &QListWidget::currentRowChanged, this, &OptionsDialog::UpdateNodeDetailsAction);

    auto* side = new QVBoxLayout;
    side->addWidget(port);
    side->addWidget(ipAdrLabel_);
    side->addStretch();
    side->addWidget(scan);
    side->addWidget(details);
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(nodeList_, 1);
    layout->addLayout(side);
    return page;
}

QWidget* OptionsDialog::CreateAdvancedPage()
{
    auto* page = new QWidget;
    auto* period = new QGroupBox(tr("更新周期"), page);
    dspIntvl_ = NumberBox("DspIntvlComboBox", {50, 100, 150, 200}, period);
    dmxIntvl_ = NumberBox("DmxIntvlComboBox", {20, 25, 30, 40, 50}, period);
    connect(dspIntvl_, &QComboBox::activated, this,
            [this] { host_.SetDisplayInterval(NumberOr(dspIntvl_->currentText(), 50)); });
    connect(dmxIntvl_, &QComboBox::activated, this, [this] { dmxInterval_ = NumberOr(dmxIntvl_->currentText(), 20); });
    auto* periodLayout = new QGridLayout(period);
    periodLayout->addWidget(new QLabel(tr("画面"), period), 0, 0);
    periodLayout->addWidget(dspIntvl_, 0, 1);
    periodLayout->addWidget(new QLabel("ms", period), 0, 2);
    periodLayout->addWidget(new QLabel("DMX", period), 1, 0);
    periodLayout->addWidget(dmxIntvl_, 1, 1);
    periodLayout->addWidget(new QLabel("ms", period), 1, 2);

    auto* osc = new QGroupBox(tr("OSC ポート"), page);
    oscPortEdit_ = new QLineEdit(osc);
    oscPortEdit_->setObjectName("OscPortEdit");
    auto* apply = Button("PortAppBtn", tr("適用"), osc);
    connect(apply, &QPushButton::clicked, this, &OptionsDialog::ApplyOscPort);
    advancedPage_ = page;
    auto* oscLayout = new QHBoxLayout(osc);
    oscLayout->addWidget(oscPortEdit_);
    oscLayout->addWidget(apply);

    // What lies beyond the computer (wireless DMX, fixtures that process before they show)
    // delays the light; the lights run this far ahead of the sound.
    auto* latency = new QGroupBox(tr("照明の遅延補正"), page);
    lightLatency_ = new QSpinBox(latency);
    lightLatency_->setObjectName("LightLatencySpinBox");
    lightLatency_->setRange(LightLatencyMin, LightLatencyMax);
    lightLatency_->setSuffix(" ms");
    auto* latencyLayout = new QHBoxLayout(latency);
    latencyLayout->addWidget(lightLatency_);
    latencyLayout->addStretch();

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(period);
    layout->addWidget(osc);
    layout->addWidget(latency);
    layout->addStretch();
    return page;
}

QWidget* OptionsDialog::CreateOscPage()
{
    auto* page = new QWidget;
    auto* feedback = new QGroupBox(tr("フィードバック送信先"), page);
    oscFeedback_ = new QLineEdit(feedback);
    oscFeedback_->setObjectName("OscFeedbackEdit");
    oscFeedback_->setPlaceholderText(tr("例: 192.168.1.20:9000, 192.168.1.21:8000"));
    auto* feedbackNote = new QLabel(tr("IPv4 アドレス:ポートをカンマで区切って指定します。"
                                       "コマンドを送ったクライアントには 10 分間、指定がなくても送信します。"),
                                    feedback);
    feedbackNote->setWordWrap(true);
    auto* feedbackLayout = new QVBoxLayout(feedback);
    feedbackLayout->addWidget(oscFeedback_);
    feedbackLayout->addWidget(feedbackNote);

    auto* allow = new QGroupBox(tr("受信を許可する送信元"), page);
    oscAllow_ = new QLineEdit(allow);
    oscAllow_->setObjectName("OscAllowEdit");
    oscAllow_->setPlaceholderText(tr("例: 192.168.1.0/24, 10.0.0.5"));
    auto* allowNote = new QLabel(tr("IPv4 アドレスまたは範囲をカンマで区切って指定します。"
                                    "空欄のときはすべての送信元を受け付けます。"),
                                 allow);
    allowNote->setWordWrap(true);
    auto* allowLayout = new QVBoxLayout(allow);
    allowLayout->addWidget(oscAllow_);
    allowLayout->addWidget(allowNote);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(feedback);
    layout->addWidget(allow);
    layout->addStretch();
    return page;
}

void OptionsDialog::accept()
{
    // Both lists and the output are taken, or none: a bad item keeps the dialog open on it.
    const ParsedList<OscEndpoint> targets = ParseEndpointList(oscFeedback_->text().toStdString());
    const ParsedList<AddressRange> allow = ParseRangeList(oscAllow_->text().toStdString());
    QLineEdit* bad = targets.bad ? oscFeedback_ : allow.bad ? oscAllow_ : nullptr;
    if (bad) {
        pages_->setCurrentWidget(oscPage_);
        bad->setFocus();
        const QString item = QString::fromStdString(targets.bad ? *targets.bad : *allow.bad);
        ShowError((targets.bad ? BadFeedbackTargetText(item) : BadAllowFromText(item)).toStdString());
        return;
    }
    // A port typed without Apply is taken by OK too; one that cannot be used keeps the
    // dialog open on it.
    if (oscPortEdit_->text().trimmed() != QString::number(host_.OscPort()) && !ApplyOscPort()) {
        pages_->setCurrentWidget(advancedPage_);
        oscPortEdit_->setFocus();
        return;
    }
    // The output page last: it is the one that applies at once.
    OutputConfig output = host_.Output();
    OutputCheck check = outputPage_->Read(output);
    if (check)
        check = host_.SetOutput(output);
    if (!check) {
        pages_->setCurrentWidget(outputPage_);
        ShowError(OutputProblemText(check).toStdString());
        return;
    }
    oscFeedback_->setText(QString::fromStdString(EndpointListText(targets.items)));
    oscAllow_->setText(QString::fromStdString(RangeListText(allow.items)));
    QDialog::accept();
}

std::optional<OptionValues> OptionsDialog::Execute(const OptionValues& start)
{
    start_ = start;
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    OptionValues result = start;
    result.Colors = colors_;
    result.FlatToolBar = flatBtn_->isChecked();
    result.DispTracking = trkDsp_->isChecked();
    result.MonClickTab = monTab_->isChecked();
    result.UseWheel = useWheel_->isChecked();
    result.CurActivate = curAct_->isChecked();
    bool number = false;
    const int interval = saveInterval_->currentText().toInt(&number);
    if (number)
        result.SaveInterval = interval;
    result.AutoSave = autoSave_->isChecked();
    result.LightLatency = lightLatency_->value();
    result.Language = language_->currentData().toString().toStdString();
    result.OscFeedbackTargets = oscFeedback_->text().toStdString();
    result.OscAllowFrom = oscAllow_->text().toStdString();
    result.ImgFileChanged = palFileChanged_;
    if (palFileChanged_)
        result.ImgFile = palFilEdit_->text().toStdString();
    return result;
}

void OptionsDialog::showEvent(QShowEvent* event)
{
    colorBox_->clear();
    for (const char* name : ColorNames)
        colorBox_->addItem(tr(name));
    colors_ = start_.Colors;
    colorBox_->setCurrentIndex(-1);
    refColBtn_->setEnabled(false);
    flatBtn_->setChecked(start_.FlatToolBar);
    trkDsp_->setChecked(start_.DispTracking);
    monTab_->setChecked(start_.MonClickTab);
    useWheel_->setChecked(start_.UseWheel);
    curAct_->setChecked(start_.CurActivate);

    shortCutList_->clear();
    for (const auto& [caption, key] : host_.Commands())
        shortCutList_->addItem(QString(caption).remove('&') + '\t' + QString::fromStdString(ShortCutTextOf(key)));
    shortCutList_->setCurrentRow(0);
    keyBox_->clear();
    for (const std::string& key : KeyNames())
        keyBox_->addItem(QString::fromStdString(key));
    keyBox_->setCurrentIndex(-1); // no key chosen: the change button gives no shortcut

    palFilEdit_->setText(QString::fromStdString(start_.ImgFile));
    palFileChanged_ = false;
    SelectNumber(saveInterval_, start_.SaveInterval);
    autoSave_->setChecked(start_.AutoSave);
    oscPortEdit_->setText(QString::number(host_.OscPort()));
    lightLatency_->setValue(start_.LightLatency);
    language_->setCurrentIndex(std::max(0, language_->findData(QString::fromStdString(start_.Language))));
    oscFeedback_->setText(QString::fromStdString(start_.OscFeedbackTargets));
    oscAllow_->setText(QString::fromStdString(start_.OscAllowFrom));
    SelectNumber(dspIntvl_, host_.DisplayInterval());
    SelectNumber(dmxIntvl_, dmxInterval_);
    ipAdrLabel_->setText(QString::fromStdString("IP: " + host_.LocalAddressText()));
    const int32_t universe = host_.OutputUniverse();
    onet_->setCurrentIndex(universe / 256 % 128);
    osub_->setCurrentIndex(universe / 16 % 16);
    oid_->setCurrentIndex(universe % 16);
    host_.SetNodeListChanged();
    UpdateNodeDetailsAction();
    outputPage_->Show(host_.Output());
    QDialog::showEvent(event);
}

void OptionsDialog::ChooseColour()
{
    const int item = colorBox_->currentIndex();
    if (item < 0)
        return;
    const QColor chosen = QColorDialog::getColor(ToQColor(colors_[size_t(item)]), this);
    if (chosen.isValid())
        colors_[size_t(item)] = ToBgr(chosen);
}

void OptionsDialog::ChangeShortcut()
{
    const int command = shortCutList_->currentRow();
    if (command < 0)
        return;
    QKeySequence key;
    if (keyBox_->currentIndex() >= 0) {
        QString text;
        if (shift_->isChecked())
            text += "Shift+";
        if (ctrl_->isChecked())
            text += "Ctrl+";
        if (alt_->isChecked())
            text += "Alt+";
        key = KeySequenceOf((text + keyBox_->currentText()).toStdString());
    }
    // A key held by two commands works for neither: the person chose this command, so the
    // key moves here from the other one, once they agree.
    std::vector<int> holders;
    const auto commands = host_.Commands();
    for (int other = 0; other < int(commands.size()) && !key.isEmpty(); ++other)
        if (other != command && commands[size_t(other)].second == key)
            holders.push_back(other);
    if (!holders.empty()) {
        const std::string question = tr("%1 は「%2」で使われています。「%3」に移してもよいですか")
                                         .arg(QString::fromStdString(ShortCutTextOf(key)),
                                              QString::fromStdString(CommandCaption(holders.front())),
                                              QString::fromStdString(CommandCaption(command)))
                                         .toStdString();
        if (!ConfirmYesNo(question))
            return;
        for (int other : holders)
            SetCommandShortcut(other, {});
    }
    SetCommandShortcut(command, key);
}

void OptionsDialog::ClearShortcut()
{
    if (shortCutList_->currentRow() >= 0)
        SetCommandShortcut(shortCutList_->currentRow(), {});
}

std::string OptionsDialog::CommandCaption(int command) const
{
    const QString line = shortCutList_->item(command)->text();
    return line.left(line.lastIndexOf('\t')).toStdString();
}

void OptionsDialog::SetCommandShortcut(int command, const QKeySequence& key)
{
    QListWidgetItem* line = shortCutList_->item(command);
    line->setText(line->text().left(line->text().lastIndexOf('\t') + 1) + QString::fromStdString(ShortCutTextOf(key)));
    host_.SetShortcut(command, key);
}

void OptionsDialog::ChoosePaletteFile()
{
    const QString file = QFileDialog::getOpenFileName(
        this, tr("パレット画像の選択"), QString(),
        "Bitmap (*.bmp *.BMP);;JPEG File (*.JPG) (*.jpg *.JPG *.jpe *.JPE *.jpeg *.JPEG);;"
        "PNG File(*.PNG) (*.png *.PNG);;GIF File(*.GIF) (*.gif *.GIF)");
    if (file.isEmpty())
        return;
    palFilEdit_->setText(file);
    palFileChanged_ = true;
}

void OptionsDialog::UniverseChanged()
{
    host_.SetOutputUniverse(onet_->currentIndex() * 256 + osub_->currentIndex() * 16 + oid_->currentIndex());
}

bool OptionsDialog::ApplyOscPort()
{
    const QString text = oscPortEdit_->text().trimmed();
    bool ok = false;
    const int port = text.toInt(&ok);
    // A port outside 1-65535 would wrap into another one: it is refused with the old kept.
    if (!ok || port < 1 || port > 65535) {
        ShowError(Translated("Core", Msg::OscPortRange) + text.toStdString());
        oscPortEdit_->setText(QString::number(host_.OscPort()));
        return false;
    }
    host_.SetOscPort(port);
    oscPortEdit_->setText(QString::number(host_.OscPort()));
    return host_.OscPort() == port;
}

void OptionsDialog::RefreshNodeList()
{
    if (!host_.NodeListChanged())
        return;
    std::vector<std::string> lines;
    host_.FillNodeList(lines);
    const int row = nodeList_->currentRow();
    nodeList_->clear();
    for (const std::string& line : lines)
        nodeList_->addItem(QString::fromStdString(line));
    if (row < nodeList_->count())
        nodeList_->setCurrentRow(row);
    UpdateNodeDetailsAction();
}

void OptionsDialog::ScanNodes()
{
    nodeList_->clear();
    host_.Scan();
    UpdateNodeDetailsAction();
}

void OptionsDialog::UpdateNodeDetailsAction()
{
    const int row = nodeList_->currentRow();
    propAction_->setEnabled(row >= 0 && row < host_.NodeCount());
}

void OptionsDialog::ShowNodeDetails()
{
    const int row = nodeList_->currentRow();
    if (row < 0 || row >= host_.NodeCount())
        return;
    if (const std::optional<NodeEntry> node = host_.Node(row))
        details_.Execute(*node);
}
