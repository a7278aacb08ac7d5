#pragma once
// ColourMonitor: the colour monitor, a tool window owned by the main window that shows the
// output colour of each line as a tile. While visible it reads the outputs every 50 ms
// from a source its owner gives, whatever the main window's display interval; the tiles
// never see the engine. The arrangement is read from the settings file when the monitor
// is first shown and written back when it closes; arrangement files (*.ARG) hold the same
// sections.

#include "document/step_rec.h"
#include "monitor/colour_monitor_prompts.h"
#include "settings/color_monitor_settings.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <string>

class EnvData;
class IniFile;
class QAction;
class QMenu;
class QTimer;
class ColourTile;

// What the monitor shows, as the engine has it now.
struct MonitorOutputs {
    std::array<uint32_t, LineCount> Colors{}; // each line's output colour, 0x00BBGGRR
    int CurrentLine = 0;                      // the main window's current line
    bool Stopped = true;                      // no play command active since the last stop
};
using MonitorOutputSource = std::function<MonitorOutputs()>;

class ColourMonitor : public QWidget, private ColourMonitorPrompts {
    Q_OBJECT
public:
    // settings and env must outlive the monitor. owner: the main window (the monitor
    // stays above it and opens relative to it). prompts: null for the desktop's dialogs.
    ColourMonitor(IniFile& settings, EnvData& env, QWidget* owner, ColourMonitorPrompts* prompts = nullptr);

    ColourTile* Tile(int line) const { return tiles_[size_t(line)]; }
    QMenu* TileMenu() const { return popupMenu_; }
    QAction* LineItem(int line) const { return lineItems_[size_t(line)]; }
    QAction* LabelsItem() const { return vewLabelItem_; }
    QAction* InitialPlacementItem() const { return iniPosItem_; }
    QAction* SaveArrangeItem() const { return saveArrangeItem_; }
    QAction* LoadArrangeItem() const { return loadArrangeItem_; }
    QAction* ScaledItem() const { return scaledItem_; }

    // Where the refresh timer reads the outputs; without a source the tiles stay as they are.
    void SetOutputSource(MonitorOutputSource source);
    // Runs every 50 ms while the monitor is visible.
    QTimer* RefreshTimer() const { return refreshTimer_; }
    // Tile i takes colors[i] (0x00BBGGRR); the tile of currentLine has the sunken frame
    // while stopped is true. Nothing while the monitor is hidden.
    void ShowOutputs(const std::array<uint32_t, LineCount>& colors, int currentLine, bool stopped);

    bool LabelsVisible() const { return labelsVisible_; }
    void SetLabelsVisible(bool visible);
    // Every tile to its place in two rows of four.
    void InitialArrangement();
    // MonScaled: the tiles follow the monitor's size from their bounds recorded now.
    void SetScaled(bool scaled);

    // The monitor's and the tiles' placement as they are now.
    ColMonArrangement Arrangement() const;
    void ApplyArrangement(const ColMonArrangement& arrangement);
    // Writes an arrangement file; a failure is reported and gives false.
    bool SaveArrangement(const std::string& path);
    // Reads an arrangement file; what it lacks takes the defaults. The labels stay.
    void LoadArrangement(const std::string& path);

    // The first show places the monitor and its tiles from the settings file.
    void setVisible(bool visible) override;

signals:
    // A left click on the tile of line (0 to 7) while clicking a tile selects its line.
    void lineSelected(int line);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::string SaveArrangementPath(const std::string& folder) override;
    std::string OpenArrangementPath(const std::string& folder) override;

    void CreatePopupMenu();
    void Refresh();
    void PopupAt(const QPoint& globalPos);
    void UpdateMenuChecks();
    void TilePressed(int line);
    void SaveArrangementCommand();
    void LoadArrangementCommand();
    // The tiles to the monitor's size now, from their recorded bounds.
    void ScaleTiles();
    void ReadSettings();
    void WriteSettings();
    QPoint OwnerTopLeft() const;
    std::string ProjectFolder() const;

    IniFile& settings_;
    EnvData& env_;
    ColourMonitorPrompts& prompts_;
    std::array<ColourTile*, LineCount> tiles_{};
    QTimer* refreshTimer_;
    MonitorOutputSource source_;
    QMenu* popupMenu_ = nullptr;
    std::array<QAction*, LineCount> lineItems_{};
    QAction* vewLabelItem_ = nullptr;
    QAction* iniPosItem_ = nullptr;
    QAction* saveArrangeItem_ = nullptr;
    QAction* loadArrangeItem_ = nullptr;
    QAction* scaledItem_ = nullptr;
    bool labelsVisible_ = true;
    bool settingsRead_ = false; // what close writes was read first
};
