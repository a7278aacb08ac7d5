#include "document/sound_file_name.h"

#include "common/paths.h"
#include "common/text_codec.h"
#include "document/project_data.h"

std::u16string StoredSoundFile(const std::string& path)
{
    const std::string& dir = ExeDir();
    return Utf8ToUtf16(path.starts_with(dir) ? path.substr(dir.size()) : path);
}

std::string SoundFileRefusal(const std::string& path)
{
    if (!IsValidUtf8(path))
        return "ファイル名に使えない文字が含まれています: " + ValidUtf8(path);
    constexpr size_t Longest = SoundFileUnits - 1;
    if (StoredSoundFile(path).size() > Longest)
        return "ファイル名が長すぎます(" + std::to_string(Longest) + "文字まで): " + path;
    return {};
}
