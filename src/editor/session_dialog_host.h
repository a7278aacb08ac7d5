#pragma once
// What the project settings dialog changes at once, on the running show: the live patch
// through the document (so the change reports and marks the show modified), the check
// group the playback tick reads, and the player.

#include "dialogs/project_settings_host.h"

class EditorSession;

class SessionProjectHost final : public ProjectSettingsHost {
public:
    explicit SessionProjectHost(EditorSession& session) : session_(session) {}

    int32_t PatchEntry(int entry) const override;
    void SetPatchEntries(int first, std::span<const int32_t> sources) override;
    void MarkModified() override;
    void SetCheckGroup(int32_t group) override;
    void CloseSound() override;
    void ReopenSound() override;

private:
    EditorSession& session_;
};
