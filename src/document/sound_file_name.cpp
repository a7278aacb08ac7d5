#include "document/sound_file_name.h"

#include "common/paths.h"
#include "common/text_codec.h"
#include "common/translation.h"
#include "document/project_data.h"

std::u16string StoredSoundFile(const std::string& path)
{
    const std::string& dir = ExeDir();
    return Utf8ToUtf16(path.starts_with(dir) ? path.substr(dir.size()) : path);
}

std::string SoundFileRefusal(const std::string& path)
{
    if (!IsValidUtf8(path))
        return Translated("Core", "ファイル名に使えない文字が含まれています: ") + ValidUtf8(path);
    constexpr size_t Longest = SoundFileUnits - 1;
    if (StoredSoundFile(path).size() > Longest)
        return WithArgument(Translated("Core", "ファイル名が長すぎます(%1文字まで): "), std::to_string(Longest)) + path;
    return {};
}
