#include "editor/session_dialog_host.h"

#include "editor/editor_session.h"

int32_t SessionProjectHost::PatchEntry(int entry) const { return session_.State().Play.DmxPatch[size_t(entry)]; }

void SessionProjectHost::SetPatchEntries(int first, std::span<const int32_t> sources)
{
    session_.Document().SetPatchEntries(first, sources);
}

void SessionProjectHost::MarkModified() { session_.Document().MarkModified(); }

void SessionProjectHost::SetCheckGroup(int32_t group) { session_.Env().CheckGroup = group; }

void SessionProjectHost::CloseSound() { session_.Runtime().CloseAudio(); }

void SessionProjectHost::ReopenSound() { session_.ReopenSound(); }
