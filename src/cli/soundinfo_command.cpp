// soundinfo SOUND: the sound information line of a WAV or MP3 file.
#include "cli/commands.h"
#include "common/paths.h"
#include "sound/sound_info_text.h"

#include <iostream>

int SoundInfoCommand(const Args& args)
{
    if (args.size() != 1)
        return ExitUsage;
    const std::string text = SoundInfoText(AbsoluteFromCwd(args[0]));
    if (text.empty())
        return ExitFailed;
    std::cout << text << std::endl;
    return std::cout ? ExitOk : ExitFailed;
}
