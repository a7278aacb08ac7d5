#pragma once
// What the project settings dialog changes at once, on the running show: the live patch
// through the document (so the change reports and marks the show modified), the check
// group the playback tick reads, and the player.

#include "dialogs/option_host.h"
#include "dialogs/project_settings_host.h"

#include <functional>
#include <vector>

class QAction;
class QTimer;

class EditorSession;
class EnvData;
class ShowFiles;
class ShowRuntime;

class SessionProjectHost final : public ProjectSettingsHost {
public:
    SessionProjectHost(ShowRuntime& runtime, EnvData& env, ShowFiles& files)
        : runtime_(runtime), env_(env), files_(files)
    {
    }

    int32_t PatchEntry(int entry) const override;
    void SetPatchEntries(int first, std::span<const int32_t> sources) override;
    void MarkModified() override;
    void SetCheckGroup(int32_t group) override;
    void CloseSound() override;
    void ReopenSound() override;

private:
    ShowRuntime& runtime_;
    EnvData& env_;
    ShowFiles& files_;
};

// What the option dialog changes at once, on the running program: the commands'
// shortcuts, the output worker's universe and node table, the display timer and the OSC
// server.
class SessionOptionHost final : public OptionHost {
public:
    // commands: the main window's commands in list order; display: its display timer.
    SessionOptionHost(EditorSession& session, ShowRuntime& runtime, std::vector<QAction*> commands, QTimer& display)
        : session_(session), runtime_(runtime), commands_(std::move(commands)), display_(display)
    {
    }

    std::vector<std::pair<QString, QKeySequence>> Commands() const override;
    void SetShortcut(int command, const QKeySequence& key) override;
    int32_t OutputUniverse() const override;
    void SetOutputUniverse(int32_t universe) override;
    std::string LocalAddressText() const override;
    int32_t DisplayInterval() const override;
    void SetDisplayInterval(int32_t ms) override;
    int32_t OscPort() const override;
    void SetOscPort(int32_t port) override;
    bool NodeListChanged() const override;
    void SetNodeListChanged() override;
    int FillNodeList(std::vector<std::string>& lines) override;
    int NodeCount() const override;
    std::optional<NodeEntry> Node(int index) const override;
    void Scan() override;
    OutputConfig Output() const override;
    OutputCheck SetOutput(const OutputConfig& output) override;

private:
    EditorSession& session_;
    ShowRuntime& runtime_;
    std::vector<QAction*> commands_;
    QTimer& display_;
};
