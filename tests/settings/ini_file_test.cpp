#include "settings/ini_file.h"
#include "settings_fixture.h"

#include <filesystem>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

TEST(ParseIniInteger, DecimalAndHexadecimalTextOnly)
{
    struct Case {
        const char* text;
        bool ok;
        int32_t value;
    } cases[] = {
        {"0", true, 0},
        {"16", true, 16},
        {"-50", true, -50},
        {"+7", true, 7},
        {" 42 ", true, 42}, // blanks around the number
        {"0x10", true, 16},
        {"0X1f", true, 31},
        {"-0x10", true, -16},
        {"0xFFFFFFFF", true, -1}, // the 32-bit pattern
        {"2147483647", true, INT32_MAX},
        {"-2147483648", true, INT32_MIN},
        {"2147483648", false, 0},
        {"0x100000000", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {"0x", false, 0},
        {"abc", false, 0},
        {"12a", false, 0},
        {"1 2", false, 0},
        {"0x1G", false, 0},
        {"1.5", false, 0},
    };
    for (const Case& c : cases) {
        int32_t v = 12345;
        EXPECT_EQ(ParseIniInteger(c.text, v), c.ok) << '"' << c.text << '"';
        if (c.ok)
            EXPECT_EQ(v, c.value) << '"' << c.text << '"';
        else
            EXPECT_EQ(v, 12345) << "a failed parse leaves the value";
    }
}

class IniFileTest : public SettingsTest {};

TEST_F(IniFileTest, AMissingFileSectionOrKeyGivesTheDefault)
{
    IniFile none(dir_ / "absent.INI");
    EXPECT_EQ(none.ReadInteger("General", "WavLRHeight", 360), 360);
    EXPECT_TRUE(none.ReadBool("General", "UseWheel", true));
    EXPECT_EQ(none.ReadString("Project", "PrjFile", "dflt"), "dflt");

    IniFile ini = WriteIni("[General]\nWavLRHeight=200\n");
    EXPECT_EQ(ini.ReadInteger("General", "RefTrackHi", 80), 80);
    EXPECT_EQ(ini.ReadInteger("Option", "WavLRHeight", 5), 5);
    EXPECT_EQ(ini.ReadInteger("General", "WavLRHeight", 360), 200);

    // A folder in the file's place reads as no file.
    std::filesystem::create_directory(dir_ / "folder.INI");
    EXPECT_EQ(IniFile(dir_ / "folder.INI").ReadInteger("General", "X", 3), 3);
}

TEST_F(IniFileTest, ValuesAreReadByTheFileRules)
{
    IniFile ini = WriteIni("\xEF\xBB\xBF; written by hand\r\n"
                           "[general]\r\n"
                           "Bool2=2\r\n"
                           "BoolNeg=-1\r\n"
                           "BoolZero=0\r\n"
                           "BoolText=yes\r\n"
                           "Letters=abc\r\n"
                           "Hex=0x10\r\n"
                           "  Spaced  = 12\r\n"
                           "Str= two  words =and more \r\n"
                           "Empty=\r\n"
                           "Dup=first\r\n"
                           "Dup=second\r\n"
                           "\r\n"
                           "[Other]\r\n"
                           "Key=other\r\n"
                           "[GENERAL]\r\n"
                           "Late=9\r\n");
    EXPECT_TRUE(ini.ReadBool("General", "Bool2", false));
    EXPECT_TRUE(ini.ReadBool("General", "BoolNeg", false));
    EXPECT_FALSE(ini.ReadBool("General", "BoolZero", true));
    EXPECT_TRUE(ini.ReadBool("General", "BoolText", true)) << "unreadable gives the default";
    EXPECT_FALSE(ini.ReadBool("General", "BoolText", false));
    EXPECT_EQ(ini.ReadInteger("General", "Letters", 77), 77);
    EXPECT_EQ(ini.ReadInteger("General", "Hex", 0), 16);
    EXPECT_EQ(ini.ReadInteger("GENERAL", "spaced", 0), 12) << "names match without letter case";
    EXPECT_EQ(ini.ReadString("General", "Str", ""), " two  words =and more ");
    EXPECT_EQ(ini.ReadString("General", "Empty", "dflt"), "") << "an empty value is a value";
    EXPECT_EQ(ini.ReadString("General", "Dup", ""), "first");
    EXPECT_EQ(ini.ReadString("Other", "Key", ""), "other");
    EXPECT_EQ(ini.ReadInteger("General", "Late", 0), 9) << "a repeated section is read as one";
}

TEST_F(IniFileTest, WritingKeepsOrderCommentsAndReadability)
{
    IniFile ini = WriteIni("; comment kept\n[B]\nx=1\n; inside\n\n\n[A]\ny=2\n");
    ini.WriteInteger("A", "y", -5);
    ini.WriteString("B", "new", "a=b");
    ini.WriteBool("C", "flag", true);
    ini.WriteBool("C", "off", false);
    ini.WriteString("C", "lines", "one\ntwo\r\n");
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(IniText(), "; comment kept\n"
                         "\n[B]\nx=1\n; inside\nnew=a=b\n"
                         "\n[A]\ny=-5\n"
                         "\n[C]\nflag=1\noff=0\nlines=one two  \n");
    IniFile again(IniPath());
    EXPECT_EQ(again.ReadString("B", "new", ""), "a=b");
    EXPECT_EQ(again.ReadInteger("A", "y", 0), -5);
    EXPECT_TRUE(again.ReadBool("C", "flag", false));
    EXPECT_EQ(again.ReadString("C", "lines", ""), "one two  ");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.Path()), {}), 1) << "no temporary left";
}

// A settings file that is there but cannot be read would lose every key this run does not
// write: it is never replaced, and the write reports why.
TEST_F(IniFileTest, AFileThatCannotBeReadIsNeverOverwritten)
{
    const std::string path = IniPath();
    const std::string text = "[General]\nLeft=5\n[Mine]\nkept=1\n";
    WriteBytes(path, Bytes(text.begin(), text.end()));
    chmod(path.c_str(), 0);
    // Writable by anyone, so only the guard keeps the file.
    chmod(dir_.Path().c_str(), 0777);
    const pid_t child = fork();
    if (child == 0) {
        // Root reads any file: read as an ordinary user.
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setresgid(65534, 65534, 65534) != 0 ||
                               setresuid(65534, 65534, 65534) != 0))
            _exit(10);
        IniFile ini(path);
        if (ini.ReadInteger("General", "Left", 7) != 7)
            _exit(11);
        ini.WriteInteger("General", "Left", 6);
        const WriteResult r = ini.UpdateFile();
        _exit(r.ok ? 12 : r.error != "Permission denied" ? 13 : 0);
    }
    int status = -1;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    chmod(path.c_str(), 0600);
    EXPECT_EQ(ReadBytes(path), Bytes(text.begin(), text.end()));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.Path()), {}), 1) << "no temporary left";
}

TEST_F(IniFileTest, AFailedWriteIsReported)
{
    // A folder where the file should be: the rename fails and the folder stays.
    std::filesystem::create_directory(dir_ / "taken.INI");
    WriteBytes(dir_ / "taken.INI/inner", {7});
    IniFile ini(dir_ / "taken.INI");
    ini.WriteInteger("A", "k", 2);
    WriteResult r = ini.UpdateFile();
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.empty());
    EXPECT_EQ(ReadBytes(dir_ / "taken.INI/inner"), Bytes{7});
}

// A settings file cut short or written badly by hand: what is whole is read, the rest gives
// the default, and nothing is invented.
TEST_F(IniFileTest, CutAndMalformedFilesReadWhatIsWhole)
{
    const std::string whole = "[General]\nLeft=123\nName=show\n";
    struct Case {
        std::string text;
        int32_t left;     // ReadInteger("General", "Left", 7)
        std::string name; // ReadString("General", "Name", "dflt")
    } cases[] = {
        {whole.substr(0, 0), 7, "dflt"},
        {whole.substr(0, 4), 7, "dflt"},  // "[Gen": no section
        {whole.substr(0, 9), 7, "dflt"},  // the section alone
        {whole.substr(0, 12), 7, "dflt"}, // "Le": no key
        {whole.substr(0, 14), 7, "dflt"}, // "Left": no "="
        {whole.substr(0, 15), 7, "dflt"}, // "Left=": not an integer
        {whole.substr(0, 16), 1, "dflt"},
        {whole.substr(0, 24), 123, ""},   // "Name=": an empty value is a value
        {whole.substr(0, 26), 123, "sh"},
        {whole, 123, "show"},
        // Malformed by hand.
        {"[General\nLeft=5\n", 7, "dflt"},                      // a section without "]"
        {"Left=5\n[General]\nName=x\n", 7, "x"},                 // a key before every section
        {"[General]\n=5\nLeft\n", 7, "dflt"},                    // no key name, no "="
        {"[General]\nLeft=5\0\nName=a\0b\n", 7, "dflt"},         // cut by the literal below
        {"[General]\nLeft=99999999999\nName=\n", 7, ""},         // beyond 32 bits
        {"[]\nLeft=5\n[General]\nLeft=6", 6, "dflt"},            // an empty section name
        {"[ General ]]\nLeft=8\n", 8, "dflt"},                   // the name ends at the first "]"
    };
    // Text with NUL bytes cannot come from a literal.
    cases[13].text = std::string("[General]\nLeft=5\0\nName=a\0b\n", 27);
    cases[13].name = std::string("a\0b", 3);
    for (const Case& c : cases) {
        IniFile ini = WriteIni(c.text);
        EXPECT_EQ(ini.ReadInteger("General", "Left", 7), c.left) << c.text;
        EXPECT_EQ(ini.ReadString("General", "Name", "dflt"), c.name) << c.text;
    }

    // A value of a megabyte is kept whole.
    const std::string big(1 << 20, 'v');
    IniFile ini = WriteIni("[General]\nName=" + big + "\n");
    EXPECT_EQ(ini.ReadString("General", "Name", ""), big);
}

TEST_F(IniFileTest, ByteOrderMarksReadTheSameWhereverTheLineEndsUp)
{
    // Found by fuzzing: after a blank line, a section line with marks in front was kept as
    // text and became the file's first line when written, where it then read as a section.
    IniFile ini = WriteIni("\n\xEF\xBB\xBF\xEF\xBB\xBF[General]\nLeft=-50\n");
    EXPECT_EQ(ini.ReadInteger("General", "Left", 7), -50);
    ini.WriteInteger("General", "Top", 3);
    ASSERT_TRUE(ini.UpdateFile());
    IniFile again(ini.FileName());
    EXPECT_EQ(again.ReadInteger("General", "Left", 7), -50);
    EXPECT_EQ(again.ReadInteger("General", "Top", 7), 3);
}

// Found by fuzzing: a tab, then a mark, then a key read as a key with the mark in its name,
// which was then written without the tab and read back without the mark.
TEST_F(IniFileTest, BlanksAndMarksBeforeANameAreNotPartOfItInAnyOrder)
{
    for (const std::string text : {"[general]\n\t\xEF\xBB\xBFLeft=5", "[General]\n\xEF\xBB\xBF \xEF\xBB\xBF\t Left =5\n",
                                   " \xEF\xBB\xBF\t[General]\nLeft=5\n",
                                   "[\xEF\xBB\xBF General\t]\nLeft=5\n"}) {
        IniFile ini = WriteIni(text);
        EXPECT_EQ(ini.ReadInteger("General", "Left", 7), 5) << text;
        ini.WriteInteger("General", "Left", 6);
        ASSERT_TRUE(ini.UpdateFile());
        IniFile again(ini.FileName());
        EXPECT_EQ(again.ReadInteger("General", "Left", 7), 6) << text << " written as " << again.Text();
        EXPECT_EQ(again.Text().find("Left"), again.Text().rfind("Left")) << again.Text();
    }
}
