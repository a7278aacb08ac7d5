#include "editor/session_dialog_host.h"

#include "editor/editor_session.h"
#include "editor/show_files.h"
#include "runtime/show_runtime.h"
#include "settings/env_data.h"

#include <QAction>
#include <QTimer>

int32_t SessionProjectHost::PatchEntry(int entry) const { return runtime_.State().Play.DmxPatch[size_t(entry)]; }

void SessionProjectHost::SetPatchEntries(int first, std::span<const int32_t> sources)
{
    runtime_.Document().SetPatchEntries(first, sources);
}

void SessionProjectHost::MarkModified() { runtime_.Document().MarkModified(); }

void SessionProjectHost::SetCheckGroup(int32_t group) { env_.CheckGroup = group; }

void SessionProjectHost::CloseSound() { runtime_.CloseAudio(); }

void SessionProjectHost::ReopenSound() { files_.ReopenSound(); }

std::vector<std::pair<QString, QKeySequence>> SessionOptionHost::Commands() const
{
    std::vector<std::pair<QString, QKeySequence>> commands;
    for (const QAction* action : commands_)
        commands.emplace_back(action->text(), action->shortcut());
    return commands;
}

void SessionOptionHost::SetShortcut(int command, const QKeySequence& key)
{
    if (command >= 0 && size_t(command) < commands_.size())
        commands_[size_t(command)]->setShortcut(key);
}

int32_t SessionOptionHost::OutputUniverse() const
{
    const OutputWorker* artnet = runtime_.Worker();
    return artnet ? artnet->OutputUniverse.load() : session_.Options().TxUniverse;
}

void SessionOptionHost::SetOutputUniverse(int32_t universe)
{
    if (OutputWorker* artnet = runtime_.Worker())
        artnet->OutputUniverse = universe;
}

std::string SessionOptionHost::LocalAddressText() const
{
    const OutputWorker* artnet = runtime_.Worker();
    return artnet ? artnet->LocalAddressText() : std::string();
}

int32_t SessionOptionHost::DisplayInterval() const { return display_.interval(); }

void SessionOptionHost::SetDisplayInterval(int32_t ms)
{
    display_.setInterval(ms);
    session_.SetDisplayInterval(ms);
}

int32_t SessionOptionHost::OscPort() const { return session_.Osc().Port(); }

void SessionOptionHost::SetOscPort(int32_t port) { session_.Osc().SetPort(port); }

bool SessionOptionHost::NodeListChanged() const
{
    const OutputWorker* artnet = runtime_.Worker();
    return artnet && artnet->NodeListChanged();
}

void SessionOptionHost::SetNodeListChanged()
{
    if (OutputWorker* artnet = runtime_.Worker())
        artnet->SetNodeListChanged();
}

int SessionOptionHost::FillNodeList(std::vector<std::string>& lines)
{
    OutputWorker* artnet = runtime_.Worker();
    return artnet ? artnet->FillNodeList(lines) : 0;
}

int SessionOptionHost::NodeCount() const
{
    const OutputWorker* artnet = runtime_.Worker();
    return artnet ? artnet->NodeCount() : 0;
}

std::optional<NodeEntry> SessionOptionHost::Node(int index) const
{
    const OutputWorker* artnet = runtime_.Worker();
    return artnet ? artnet->Node(index) : std::nullopt;
}

void SessionOptionHost::Scan()
{
    if (OutputWorker* artnet = runtime_.Worker())
        artnet->Scan();
}

OutputConfig SessionOptionHost::Output() const { return runtime_.Output(); }

OutputCheck SessionOptionHost::SetOutput(const OutputConfig& output) { return runtime_.SetOutput(output); }
