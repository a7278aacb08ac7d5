#include "sound/private_temp_folder.h"

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

PrivateTempFolder::PrivateTempFolder()
{
    std::error_code ec;
    const fs::path base = fs::temp_directory_path(ec);
    if (ec)
        return;
    std::string pattern = (base / "lumenrill-XXXXXX").string();
    if (::mkdtemp(pattern.data()))
        path_ = pattern;
}

PrivateTempFolder::~PrivateTempFolder()
{
    if (path_.empty())
        return;
    std::error_code ec;
    fs::remove_all(path_, ec);
}
