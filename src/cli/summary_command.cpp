// summary SOUND [OUT.wfm]: builds the waveform summary of a WAV or MP3 file as the
// program does when a sound is chosen; prints the number of frames and, when asked,
// writes the waveform file.
#include "cli/commands.h"
#include "common/paths.h"
#include "sound/wav_sound.h"

#include <iostream>
#include <unistd.h>

namespace {

// Progress on a terminal, overwritten in place and wiped at the end.
void ShowProgress(const std::string& text)
{
    std::cerr << '\r' << text << "\033[K" << std::flush;
}

} // namespace

int SummaryCommand(const Args& args)
{
    if (args.empty() || args.size() > 2)
        return ExitUsage;
    WavSound sound;
    if (::isatty(STDERR_FILENO))
        sound.SetProgress(ShowProgress);
    const int frames = sound.BuildSummary(AbsoluteFromCwd(args[0]));
    if (frames < 0)
        return ExitFailed;
    std::cout << frames << " frames" << std::endl;
    if (args.size() == 2) {
        if (frames == 0)
            return Fail(ExitFailed, "the summary is empty; " + args[1] + " is not written");
        if (const WriteResult saved = sound.SaveSummary(AbsoluteFromCwd(args[1])); !saved)
            return Fail(ExitFailed, args[1] + ": " + saved.error);
    }
    return std::cout ? ExitOk : ExitFailed;
}
