// Which sound file names a show can keep: the project file's field holds 259 UTF-16 units
// of the name as stored (relative inside the executable's folder), and only UTF-8 names.
#include "common/paths.h"
#include "document/project_data.h"
#include "document/sound_file_name.h"

#include <gtest/gtest.h>

namespace {

const std::string Exe = "/opt/lumenrill/";

TEST(SoundFileName, LongAndUndecodableNamesAreRefusedWithAMessage)
{
    SetExeDir(Exe);
    const std::string outside = "/media/show/";
    const std::string note = "\xF0\x9F\x8E\xB5"; // one code point, two UTF-16 units
    auto repeat = [](const std::string& text, size_t times) {
        std::string result;
        for (size_t i = 0; i < times; ++i)
            result += text;
        return result;
    };
    struct Case {
        const char* what;
        std::string path;
        std::string refusal;
    } cases[] = {
        {"no sound", "", ""},
        {"a short name", outside + "a.wav", ""},
        {"259 units fit", outside + std::string(259 - outside.size(), 'x'), ""},
        {"260 units do not", outside + std::string(260 - outside.size(), 'x'),
         "ファイル名が長すぎます(259文字まで): " + outside + std::string(260 - outside.size(), 'x')},
        {"counted in UTF-16 units, not bytes or code points", outside + repeat(note, 124),
         "ファイル名が長すぎます(259文字まで): " + outside + repeat(note, 124)},
        {"Japanese fits by units: three bytes each, one unit", outside + repeat("音", 247), ""},
        {"inside the executable's folder only the relative part is stored", Exe + std::string(259, 'y'), ""},
        {"relative part too long", Exe + std::string(260, 'y'),
         "ファイル名が長すぎます(259文字まで): " + Exe + std::string(260, 'y')},
        {"not UTF-8", outside + "\xFF" "a.wav", "ファイル名に使えない文字が含まれています: " + outside + "\xEF\xBF\xBD" "a.wav"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SoundFileRefusal(c.path), c.refusal) << c.what;
}

TEST(SoundFileName, WhatIsAcceptedIsStoredWhole)
{
    SetExeDir(Exe);
    ProjectData doc;
    const std::string longest = Exe + "music/" + std::string(259 - 6, 'z');
    ASSERT_EQ(SoundFileRefusal(longest), "");
    doc.SetSoundPath(longest);
    EXPECT_EQ(doc.SoundFile, u"music/" + std::u16string(259 - 6, u'z'));
}

} // namespace
