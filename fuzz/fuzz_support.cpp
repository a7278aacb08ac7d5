#include "fuzz_support.h"

#include "common/messages.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <unistd.h>

namespace {

std::string PrivatePath(const std::string& suffix)
{
    const char* tmp = std::getenv("TMPDIR");
    return std::string(tmp && *tmp ? tmp : "/tmp") + "/lumenrill-fuzz-" + std::to_string(getpid()) + suffix;
}

// Every private path handed out, removed when the process ends.
std::map<std::string, std::string>& Paths()
{
    static std::map<std::string, std::string> paths;
    static const bool cleanup = [] {
        return std::atexit([] {
            for (const auto& [suffix, path] : Paths())
                std::remove(path.c_str());
        }) == 0;
    }();
    (void)cleanup;
    return paths;
}

const std::string& PathFor(const std::string& suffix)
{
    auto [it, added] = Paths().try_emplace(suffix);
    if (added)
        it->second = PrivatePath(suffix);
    return it->second;
}

class Quiet : public MessageHandler {
public:
    void ShowError(const std::string&, const std::string&) override {}
    bool ConfirmYesNo(const std::string&, const std::string&) override { return true; }
    Answer AskYesNoCancel(const std::string&, const std::string&) override { return Answer::Yes; }
};

} // namespace

const std::string& OutputFile(const std::string& suffix) { return PathFor(suffix); }

const std::string& InputFile(const uint8_t* data, size_t size, const std::string& suffix)
{
    const std::string& path = PathFor(suffix);
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    return path;
}

void QuietMessages()
{
    static Quiet quiet;
    InstallMessageHandler(&quiet);
}
