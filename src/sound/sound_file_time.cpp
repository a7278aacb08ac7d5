#include "sound/sound_file_time.h"

#include <sys/stat.h>

namespace {

constexpr double SecondsPerDay = 86400.0;
// 1970-01-01 counted in days from 1899-12-30.
constexpr double UnixEpochDay = 25569.0;

} // namespace

double SoundFileTime(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return 0;
    const double seconds = double(st.st_mtim.tv_sec) + double(st.st_mtim.tv_nsec) * 1e-9;
    return UnixEpochDay + seconds / SecondsPerDay;
}
