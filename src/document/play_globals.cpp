#include "document/play_globals.h"

#include <algorithm>
#include <limits>

PlayGlobals::PlayGlobals() { Reset(); }

void PlayGlobals::Reset()
{
    for (auto& p : DmxPatch)
        p.store(-1);
    PrePlayTime = 10000;
    PostPlayTime = 10000;
    PlayPosition = 0;
    SoundDuration = 0;
    Repeat = false;
    CheckGroup = CheckGroupOff;
    LightLatency = 0;
}

int32_t ClampLightLatency(int64_t ms) { return int32_t(std::clamp<int64_t>(ms, LightLatencyMin, LightLatencyMax)); }

int32_t PlayGlobals::ClampTime(int64_t t) const
{
    const int64_t lower = -int64_t(PrePlayTime.load());
    const int64_t upper = int64_t(SoundDuration.load()) + PostPlayTime.load();
    if (t < lower)
        t = lower;
    else if (t > upper)
        t = upper;
    return int32_t(std::clamp<int64_t>(t, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

PlayGlobals& Globals()
{
    static PlayGlobals instance;
    return instance;
}
