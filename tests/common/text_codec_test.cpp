#include "common/text_codec.h"

#include <gtest/gtest.h>

TEST(TextCodec, Cp932KeepsBackslashAndReplacesInvalidBytes)
{
    // "C:\音楽\a.wav" in code page 932; 0x5C must stay a backslash.
    const std::string path = "C:\\\x89\xb9\x8a\x79\\a.wav";
    EXPECT_EQ(Utf16ToUtf8(Cp932ToUtf16(path)), "C:\\音楽\\a.wav");
    // 0x80 is not a valid byte; a lone lead byte at the end is cut short.
    EXPECT_EQ(Cp932ToUtf16("a\x80" "b\x89"), u"a\uFFFDb\uFFFD");
}

TEST(TextCodec, Utf16AndUtf8ReplaceWhatCannotBeConverted)
{
    EXPECT_EQ(Utf16ToUtf8(u"無題"), "無題");
    EXPECT_EQ(Utf16ToUtf8(std::u16string(u"a") + char16_t(0xD800) + u"b"), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(Utf16ToUtf8(u"\U0001F3B5"), "\xF0\x9F\x8E\xB5");
    EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x8E\xB5"), u"\U0001F3B5");
    EXPECT_EQ(Utf8ToUtf16("a\xC0\xAF" "b"), u"a\uFFFD\uFFFDb"); // overlong form
    EXPECT_EQ(Utf8ToUtf16("\xE3\x81"), u"\uFFFD\uFFFD");        // cut short
}

TEST(TextCodec, BytesAreCheckedAndReadAsUtf8)
{
    struct Case {
        std::string bytes;
        bool valid;
        std::string read; // ValidUtf8
    } cases[] = {
        {"", true, ""},
        {"/music/曲.wav", true, "/music/曲.wav"},
        {"\xF0\x9F\x8E\xB5", true, "\xF0\x9F\x8E\xB5"},
        {"a\xFF" "b", false, "a\uFFFD" "b"},               // not a UTF-8 byte
        {"\x83\x5E", false, "\uFFFD^"},                    // Shift-JIS, a stray continuation byte
        {"a\xC0\xAF", false, "a\uFFFD\uFFFD"},             // overlong
        {"\xED\xA0\x80", false, "\uFFFD\uFFFD\uFFFD"},     // a surrogate
        {"\xF4\x90\x80\x80", false, "\uFFFD\uFFFD\uFFFD\uFFFD"}, // past U+10FFFF
        {"\xE6\x9B", false, "\uFFFD\uFFFD"},               // cut short
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes;
        EXPECT_EQ(ValidUtf8(c.bytes), c.read) << c.bytes;
    }
}
