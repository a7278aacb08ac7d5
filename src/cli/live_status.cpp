#include "cli/live_status.h"

#include "common/time_text.h"

namespace {

// Carriage return and "erase to the end of the line".
constexpr const char* Rewind = "\r\x1b[K";

} // namespace

std::string PlayStatusText(int32_t positionMs, AudioStateKind audio, bool clockRunning, const std::string& show)
{
    const char* state = clockRunning || audio == AudioStateKind::Playing ? "playing" : AudioStateText(audio);
    if (*state == '\0')
        state = "stopped";
    return TimeText(positionMs) + "  " + state + "  " + show;
}

void LiveStatusLine::Show(const std::string& text)
{
    if (!terminal_ || text == shown_)
        return;
    shown_ = text;
    out_ << Rewind << shown_ << std::flush;
}

void LiveStatusLine::Print(const std::string& line)
{
    if (!terminal_) {
        out_ << line << std::endl;
        return;
    }
    out_ << Rewind << line << '\n' << shown_ << std::flush;
}

void LiveStatusLine::End()
{
    if (terminal_ && !shown_.empty())
        out_ << '\n' << std::flush;
    shown_.clear();
}
