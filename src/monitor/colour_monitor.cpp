#include "monitor/colour_monitor.h"

#include "common/messages.h"
#include "gui_common/screen_placement.h"
#include "monitor/colour_tile.h"
#include "settings/env_data.h"
#include "settings/ini_file.h"
#include "settings/window_defaults.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include <filesystem>
#include <utility>

static_assert(ColMonTileCount == LineCount, "one tile per line");

namespace {

// The lights change every 20 ms; the tiles follow at this pace, apart from the display's.
constexpr int RefreshInterval = 50;

// The desktop's dialogs match patterns case-sensitively.
const char* const ArrangementFilter = QT_TRANSLATE_NOOP("ColourMonitor", "カラーモニタ配置ファイル (*.arg *.ARG)");

QRect ToQRect(const WindowRect& r) { return {r.Left, r.Top, r.Width, r.Height}; }
WindowRect ToWindowRect(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

} // namespace

ColourMonitor::ColourMonitor(IniFile& settings, EnvData& env, QWidget* owner, ColourMonitorPrompts* prompts)
    : QWidget(owner, Qt::Tool), settings_(settings), env_(env), prompts_(prompts ? *prompts : *this),
      refreshTimer_(new QTimer(this))
{
    setObjectName(ColMonFormName);
    setWindowTitle("Color Monitor");
    setMinimumSize(100, 100);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    const WindowRect defaults = ColMonFormDefaults(0, 0);
    resize(defaults.Width, defaults.Height);

    for (int i = 0; i < LineCount; ++i) {
        auto* tile = new ColourTile(i, this);
        tiles_[size_t(i)] = tile;
        connect(tile, &ColourTile::leftPressed, this, &ColourMonitor::TilePressed);
        connect(tile, &ColourTile::menuRequested, this, &ColourMonitor::PopupAt);
    }
    InitialArrangement();
    CreatePopupMenu();
    refreshTimer_->setInterval(RefreshInterval);
    connect(refreshTimer_, &QTimer::timeout, this, &ColourMonitor::Refresh);
}

// The items toggle what they show; their ticks are set whenever the menu opens.
void ColourMonitor::CreatePopupMenu()
{
    popupMenu_ = new QMenu(this);
    popupMenu_->setObjectName("PopupMenu1");
    for (int i = 0; i < LineCount; ++i) {
        QAction* item = popupMenu_->addAction(QString("Line &%1").arg(i + 1));
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, i] {
            ColourTile* tile = tiles_[size_t(i)];
            tile->setVisible(tile->isHidden());
        });
        lineItems_[size_t(i)] = item;
    }
    popupMenu_->addSeparator();
    vewLabelItem_ = popupMenu_->addAction(tr("ラベル表示(&L)"));
    vewLabelItem_->setObjectName("VewLabelItem");
    vewLabelItem_->setCheckable(true);
    connect(vewLabelItem_, &QAction::triggered, this, [this] { SetLabelsVisible(!labelsVisible_); });
    popupMenu_->addSeparator();
    iniPosItem_ = popupMenu_->addAction(tr("初期配置(&I)"));
    iniPosItem_->setObjectName("IniPosItem");
    connect(iniPosItem_, &QAction::triggered, this, &ColourMonitor::InitialArrangement);
    popupMenu_->addSeparator();
    saveArrangeItem_ = popupMenu_->addAction(tr("配置をファイルに保存(&S)"));
    saveArrangeItem_->setObjectName("SaveArrangeItem");
    connect(saveArrangeItem_, &QAction::triggered, this, &ColourMonitor::SaveArrangementCommand);
    loadArrangeItem_ = popupMenu_->addAction(tr("ファイルから配置を読み込む(&O)"));
    loadArrangeItem_->setObjectName("LoadArrangeItem");
    connect(loadArrangeItem_, &QAction::triggered, this, &ColourMonitor::LoadArrangementCommand);
    popupMenu_->addSeparator();
    scaledItem_ = popupMenu_->addAction(tr("サイズ連動(&R)"));
    scaledItem_->setObjectName("ScaledItem");
    scaledItem_->setCheckable(true);
    connect(scaledItem_, &QAction::triggered, this, [this] { SetScaled(!env_.MonScaled); });
    connect(popupMenu_, &QMenu::aboutToShow, this, &ColourMonitor::UpdateMenuChecks);
}

void ColourMonitor::UpdateMenuChecks()
{
    for (int i = 0; i < LineCount; ++i)
        lineItems_[size_t(i)]->setChecked(!tiles_[size_t(i)]->isHidden());
    vewLabelItem_->setChecked(labelsVisible_);
    scaledItem_->setChecked(env_.MonScaled);
}

void ColourMonitor::PopupAt(const QPoint& globalPos)
{
    popupMenu_->popup(globalPos + QPoint(2, 0));
}

void ColourMonitor::SetOutputSource(MonitorOutputSource source) { source_ = std::move(source); }

void ColourMonitor::Refresh()
{
    if (!source_)
        return;
    const MonitorOutputs outputs = source_();
    ShowOutputs(outputs.Colors, outputs.CurrentLine, outputs.Stopped);
}

void ColourMonitor::ShowOutputs(const std::array<uint32_t, LineCount>& colors, int currentLine, bool stopped)
{
    if (!isVisible())
        return;
    for (int i = 0; i < LineCount; ++i) {
        ColourTile* tile = tiles_[size_t(i)];
        tile->SetHighlighted(stopped && i == currentLine);
        tile->SetColor(colors[size_t(i)]);
    }
}

void ColourMonitor::SetLabelsVisible(bool visible)
{
    labelsVisible_ = visible;
    for (ColourTile* tile : tiles_)
        tile->NameLabel()->setVisible(visible);
}

void ColourMonitor::InitialArrangement()
{
    for (int i = 0; i < LineCount; ++i)
        tiles_[size_t(i)]->Place(ToQRect(ColMonTileDefaults(i + 1)));
}

void ColourMonitor::SetScaled(bool scaled)
{
    env_.MonScaled = scaled;
    for (ColourTile* tile : tiles_)
        tile->RecordBounds();
}

void ColourMonitor::TilePressed(int line)
{
    if (env_.MonClickTab)
        emit lineSelected(line);
}

ColMonArrangement ColourMonitor::Arrangement() const
{
    ColMonArrangement a;
    // A maximised monitor stores its normal bounds and opens maximised again.
    const bool maximized = isMaximized();
    a.State = maximized ? WindowState::Maximized : WindowState::Normal;
    a.Bounds = ToWindowRect(maximized ? normalGeometry() : geometry());
    // Tiles that follow the window's size are stored as they stand at the stored size, the
    // size the next run places them against before the window is maximised again.
    const QSize stored(a.Bounds.Width, a.Bounds.Height);
    for (int i = 0; i < LineCount; ++i) {
        const ColourTile* tile = tiles_[size_t(i)];
        const QRect bounds = env_.MonScaled ? tile->ScaledBounds(stored) : tile->geometry();
        a.Tiles[size_t(i)] = {ToWindowRect(bounds), !tile->isHidden()};
    }
    return a;
}

void ColourMonitor::ApplyArrangement(const ColMonArrangement& a)
{
    // A tool window has no task bar entry to come back from when minimised: a stored
    // minimised state opens the monitor normal.
    setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized));
    // A screen that is gone must not take the monitor with it.
    const QRect bounds = OnAScreen(ToQRect(a.Bounds));
    setGeometry(bounds);
    // The stored tiles belong to the stored size, whenever the window system gets to it.
    for (int i = 0; i < LineCount; ++i) {
        ColourTile* tile = tiles_[size_t(i)];
        const ColMonTilePlacement& p = a.Tiles[size_t(i)];
        tile->setVisible(p.Visible);
        tile->Place(ToQRect(p.Bounds), bounds.size());
    }
    if (a.State == WindowState::Maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
    if (env_.MonScaled)
        ScaleTiles();
}

bool ColourMonitor::SaveArrangement(const std::string& path)
{
    IniFile file(path);
    WriteColMonArrangement(file, Arrangement());
    const WriteResult written = file.UpdateFile();
    if (!written) {
        ShowError(path + "\n" + written.error);
        return false;
    }
    return true;
}

void ColourMonitor::LoadArrangement(const std::string& path)
{
    const IniFile file(path);
    const QPoint owner = OwnerTopLeft();
    ApplyArrangement(ReadColMonArrangement(file, owner.x(), owner.y()));
}

void ColourMonitor::SaveArrangementCommand()
{
    const std::string path = prompts_.SaveArrangementPath(ProjectFolder());
    if (!path.empty())
        SaveArrangement(path);
}

void ColourMonitor::LoadArrangementCommand()
{
    const std::string path = prompts_.OpenArrangementPath(ProjectFolder());
    if (!path.empty())
        LoadArrangement(path);
}

std::string ColourMonitor::SaveArrangementPath(const std::string& folder)
{
    QFileDialog dialog(this, QString(), QString::fromStdString(folder), tr(ArrangementFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("ARG"); // the dialog asks before overwriting
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front().toStdString();
}

std::string ColourMonitor::OpenArrangementPath(const std::string& folder)
{
    QFileDialog dialog(this, QString(), QString::fromStdString(folder), tr(ArrangementFilter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix("ARG");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front().toStdString();
}

void ColourMonitor::ReadSettings()
{
    const QPoint owner = OwnerTopLeft();
    ApplyArrangement(ReadColMonArrangement(settings_, owner.x(), owner.y()));
    SetLabelsVisible(ReadViewMonLabel(settings_));
    settingsRead_ = true;
}

void ColourMonitor::WriteSettings()
{
    WriteColMonArrangement(settings_, Arrangement());
    WriteViewMonLabel(settings_, labelsVisible_);
}

QPoint ColourMonitor::OwnerTopLeft() const
{
    const QWidget* owner = parentWidget();
    return owner ? owner->geometry().topLeft() : QPoint();
}

std::string ColourMonitor::ProjectFolder() const
{
    if (env_.PrjFile.empty())
        return {};
    return std::filesystem::path(env_.PrjFile).parent_path().string();
}

void ColourMonitor::setVisible(bool visible)
{
    if (visible && !settingsRead_)
        ReadSettings();
    QWidget::setVisible(visible);
}

void ColourMonitor::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refreshTimer_->start();
}

void ColourMonitor::hideEvent(QHideEvent* event)
{
    refreshTimer_->stop();
    QWidget::hideEvent(event);
}

void ColourMonitor::closeEvent(QCloseEvent* event)
{
    // A monitor never shown in this run has nothing of its own to write: the stored
    // arrangement stays as it was.
    if (settingsRead_)
        WriteSettings();
    event->accept();
}

void ColourMonitor::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (env_.MonScaled)
        ScaleTiles();
}

void ColourMonitor::ScaleTiles()
{
    for (ColourTile* tile : tiles_)
        tile->ScaleTo(size());
}

void ColourMonitor::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton)
        PopupAt(event->globalPosition().toPoint());
}
