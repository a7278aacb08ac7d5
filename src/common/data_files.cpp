#include "common/data_files.h"

#include "common/paths.h"

#include <filesystem>
#include <system_error>

std::string FirstExistingFile(const std::string& exeDir, const char* installed, const std::string& buildTree)
{
    for (const std::string& candidate : {exeDir + installed, buildTree}) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(candidate, ec))
            return std::filesystem::weakly_canonical(candidate, ec).string();
    }
    return {};
}

std::string ManualPath()
{
    return FirstExistingFile(ExeDir(), "../share/doc/lumenrill/manual/index.html",
                             LUMENRILL_SOURCE_DIR "/docs/manual/index.html");
}

std::string IconPath()
{
    return FirstExistingFile(ExeDir(), "../share/icons/hicolor/256x256/apps/lumenrill.png",
                             LUMENRILL_BINARY_DIR "/data/icons/256x256/lumenrill.png");
}
