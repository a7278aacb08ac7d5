// Edits of the show's header: title, sound file, and the live patch and play times.
#include "document/project_data.h"

#include "document/sound_file_name.h"

void ProjectData::SetSoundPath(const std::string& path)
{
    ChangeScope scope(*this);
    SoundFile = StoredSoundFile(path).substr(0, SoundFileUnits - 1);
    pending_.Header = true;
    Modified = true;
}

void ProjectData::SetSoundFileTime(double time)
{
    ChangeScope scope(*this);
    SoundFileTime = time;
    pending_.Header = true;
    Modified = true;
}

void ProjectData::SetTitle(const std::u16string& title)
{
    ChangeScope scope(*this);
    Title = title.substr(0, TitleUnits - 1);
    pending_.Header = true;
    Modified = true;
}

void ProjectData::SetPatchEntries(int first, std::span<const int32_t> sources)
{
    ChangeScope scope(*this);
    for (size_t k = 0; k < sources.size(); ++k) {
        const int64_t slot = int64_t(first) + int64_t(k);
        if (slot < 0 || slot >= DmxSlots)
            continue;
        if (globals_.DmxPatch[size_t(slot)].exchange(sources[k]) != sources[k])
            pending_.Header = true;
    }
    Modified = true;
}

void ProjectData::SetNewShowPatch()
{
    ChangeScope scope(*this);
    const auto through = ThroughPatch();
    for (int i = 0; i < DmxSlots; ++i)
        if (globals_.DmxPatch[size_t(i)].exchange(through[size_t(i)]) != through[size_t(i)])
            pending_.Header = true;
}

void ProjectData::SetPlayTimes(int32_t prePlayTime, int32_t postPlayTime)
{
    ChangeScope scope(*this);
    const bool preChanged = globals_.PrePlayTime.exchange(prePlayTime) != prePlayTime;
    const bool postChanged = globals_.PostPlayTime.exchange(postPlayTime) != postPlayTime;
    if (preChanged || postChanged) {
        pending_.Header = true;
        Modified = true;
    }
}

void ProjectData::MarkModified()
{
    ChangeScope scope(*this);
    Modified = true;
}
