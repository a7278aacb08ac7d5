#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

std::string PrivatePath(const char* suffix)
{
    const char* tmp = std::getenv("TMPDIR");
    return std::string(tmp && *tmp ? tmp : "/tmp") + "/lumenrill-fuzz-" + std::to_string(getpid()) + suffix;
}

} // namespace

const std::string& OutputFile()
{
    static const std::string path = PrivatePath(".out");
    static const bool cleanup = [] { return std::atexit([] { std::remove(path.c_str()); }) == 0; }();
    (void)cleanup;
    return path;
}

const std::string& InputFile(const uint8_t* data, size_t size)
{
    static const std::string path = PrivatePath(".in");
    static const bool cleanup = [] { return std::atexit([] { std::remove(path.c_str()); }) == 0; }();
    (void)cleanup;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    return path;
}
