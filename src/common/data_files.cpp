#include "common/data_files.h"

#include "common/paths.h"

#include <filesystem>
#include <system_error>

std::string FirstExistingFile(const std::string& exeDir, const std::string& installed, const std::string& buildTree)
{
    for (const std::string& candidate : {exeDir + installed, buildTree}) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(candidate, ec))
            return std::filesystem::weakly_canonical(candidate, ec).string();
    }
    return {};
}

std::string ManualPath(const std::string& language)
{
    const std::string page = language + "/index.html";
    return FirstExistingFile(ExeDir(), "../share/doc/lumenrill/manual/" + page,
                             LUMENRILL_SOURCE_DIR "/docs/manual/" + page);
}

std::string TranslationPath(const std::string& language)
{
    const std::string file = "lumenrill_" + language + ".qm";
    return FirstExistingFile(ExeDir(), "../share/lumenrill/translations/" + file,
                             LUMENRILL_BINARY_DIR "/translations/" + file);
}

std::string DemoShowPath()
{
    return FirstExistingFile(ExeDir(), "../share/lumenrill/demo/Demo.PRJ", LUMENRILL_BINARY_DIR "/data/demo/Demo.PRJ");
}

std::string IconPath()
{
    return FirstExistingFile(ExeDir(), "../share/icons/hicolor/256x256/apps/lumenrill.png",
                             LUMENRILL_BINARY_DIR "/data/icons/256x256/lumenrill.png");
}
