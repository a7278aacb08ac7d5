#include "common/text_codec.h"
#include "document_fixture.h"

#include <cmath>
#include <filesystem>

class ProjectFileTest : public DocumentTest {
protected:
    // A show with a known header in memory, to see what a failed load keeps.
    void MakePreviousShow()
    {
        doc.Title = u"前のショー";
        doc.SoundFile = u"a.wav";
        doc.SoundFileTime = 12.5;
        play.DmxPatch[0] = 7;
        play.PrePlayTime = 3000;
        Fill(0, {{5}});
    }
    void ExpectPreviousShowKept()
    {
        EXPECT_EQ(doc.Title, u"前のショー");
        EXPECT_EQ(doc.SoundFile, u"a.wav");
        EXPECT_EQ(doc.SoundFileTime, 12.5);
        EXPECT_EQ(play.DmxPatch[0], 7);
        EXPECT_EQ(play.PrePlayTime, 3000);
        EXPECT_EQ(doc.TotalStepCount(), 0);
        EXPECT_TRUE(doc.UndoList.empty());
        EXPECT_FALSE(doc.Modified);
    }
    RecordingMessages messages;
};

TEST_F(ProjectFileTest, LoadsTheCurrentFormat)
{
    const std::string path = dir / "show.PRJ";
    WriteBytes(path, Concat({CurrentHeader(u"1.3.7.0", u"夜の部", u"music\\a.wav", 2500, 4000),
                             StepBytes(3, 2000, 0, 0x0000FF, 10), StepBytes(3, 1000, 1000, 0xFF0000, -5),
                             StepBytes(8, 1, 0, 0, 0), StepBytes(-1, 1, 0, 0, 0), StepBytes(0, 7, 0, NoColor, 0, 1),
                             Bytes(20, 0xEE)}));
    doc.PushUndo();
    EXPECT_EQ(doc.LoadProject(path), 4) << "three records; lines 8 and -1 dropped";
    EXPECT_TRUE(messages.entries.empty());
    EXPECT_EQ(doc.FileName, path);
    EXPECT_EQ(doc.Version, u"1.3.7.0");
    EXPECT_EQ(doc.Title, u"夜の部");
    EXPECT_EQ(doc.SoundFile, u"music\\a.wav");
    EXPECT_EQ(doc.SoundFileTime, 45000.5);
    EXPECT_EQ(doc.Patch[0], 23);
    EXPECT_EQ(play.DmxPatch[0], 23);
    EXPECT_EQ(play.DmxPatch[23], 0);
    EXPECT_EQ(play.DmxPatch[24], -1);
    EXPECT_EQ(play.PrePlayTime, 2500);
    EXPECT_EQ(play.PostPlayTime, 4000);
    EXPECT_EQ(play.PlayPosition, -2500);
    EXPECT_EQ(doc.Reserved[0], 0xAB);
    EXPECT_EQ(Times(3), (std::vector<int32_t>{1000, 2000})) << "sorted again";
    EXPECT_EQ(doc.Lines[3][0].Duration, 1000);
    EXPECT_EQ(doc.Lines[0][0].Color, NoColor);
    EXPECT_EQ(doc.Lines[0][0].Selected, 1) << "records are taken as stored";
    EXPECT_TRUE(doc.UndoList.empty());
    EXPECT_FALSE(doc.Modified);
}

TEST_F(ProjectFileTest, HeaderOnlyFileLoadsAnEmptyShow)
{
    WriteBytes(dir / "empty.PRJ", CurrentHeader());
    EXPECT_EQ(doc.LoadProject(dir / "empty.PRJ"), 1);
    EXPECT_EQ(doc.TotalStepCount(), 0);
}

TEST_F(ProjectFileTest, MissingFileKeepsItsNameAndThePreviousHeader)
{
    MakePreviousShow();
    for (const std::string& path : {dir / "new.PRJ", std::string()}) {
        EXPECT_EQ(doc.LoadProject(path), 0);
        EXPECT_EQ(doc.FileName, path) << "this is how a new show gets its path";
        ExpectPreviousShowKept();
    }
}

TEST_F(ProjectFileTest, UnreadableFilesFailWithoutTakingTheirName)
{
    struct Case {
        const char* name;
        Bytes bytes;
    };
    Bytes utf16Short = CurrentHeader();
    utf16Short.resize(100);
    Bytes headerShort = CurrentHeader();
    headerShort.resize(5015);
    Bytes oldShort = OldHeader("1.2.0", "", "", 0, 0);
    oldShort.resize(4000);
    const Case cases[] = {
        {"empty", {}},
        {"seven bytes", Bytes(7, 'x')},
        {"utf16 version cut", utf16Short},
        {"header cut", headerShort},
        {"old header cut", oldShort},
    };
    for (const Case& c : cases) {
        MakePreviousShow();
        const std::string path = dir / (std::string(c.name) + ".PRJ");
        WriteBytes(path, c.bytes);
        EXPECT_EQ(doc.LoadProject(path), 0) << c.name;
        EXPECT_EQ(doc.FileName, "") << c.name << ": a save must not overwrite it with an empty show";
        ExpectPreviousShowKept();
        EXPECT_EQ(ReadBytes(path), c.bytes);
    }
    std::filesystem::create_directory(dir / "folder.PRJ");
    EXPECT_EQ(doc.LoadProject(dir / "folder.PRJ"), 0);
    EXPECT_EQ(doc.FileName, "");
}

TEST_F(ProjectFileTest, OldFormatIsConvertedAfterAsking)
{
    // Title "夜" and path "C:\音\a.wav" in code page 932.
    const std::string path = dir / "old.PRJ";
    WriteBytes(path, Concat({OldHeader("1.2.4.9", "\x96\xe9", "C:\\\x89\xb9\\a.wav", 1500, 2500),
                             StepBytes(1, 300, 0, 0x00FF00, 0)}));
    doc.Reserved[5] = 0x42;
    EXPECT_EQ(doc.LoadProject(path), 2);
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text, "旧バージョンのデータです。変換して読み込みますか？");
    EXPECT_EQ(messages.entries[0].caption, "確認");
    EXPECT_EQ(Utf16ToUtf8(doc.Version), "1.4.0.0");
    EXPECT_EQ(Utf16ToUtf8(doc.Title), "夜");
    EXPECT_EQ(Utf16ToUtf8(doc.SoundFile), "C:\\音\\a.wav");
    EXPECT_EQ(doc.SoundFileTime, 40000.25);
    EXPECT_EQ(play.DmxPatch[0], 5);
    EXPECT_EQ(play.PrePlayTime, 1500);
    EXPECT_EQ(play.PostPlayTime, 2500);
    EXPECT_EQ(doc.Reserved[5], 0x42) << "reserved bytes are kept";
    EXPECT_EQ(Times(1), (std::vector<int32_t>{300}));
}

TEST_F(ProjectFileTest, RefusedConversionLeavesAnEmptyShow)
{
    MakePreviousShow();
    messages.answers = {Answer::No};
    const std::string path = dir / "old.PRJ";
    WriteBytes(path, Concat({OldHeader("1.2.4.9", "", "", 0, 0), StepBytes(0, 1, 0, 0, 0)}));
    EXPECT_EQ(doc.LoadProject(path), 0);
    EXPECT_EQ(doc.FileName, "");
    ExpectPreviousShowKept();
}

TEST_F(ProjectFileTest, VersionTextsDecideTheFormat)
{
    // version text -> whether the conversion question comes
    const std::pair<std::u16string, bool> cases[] = {
        {u"1.2.5.0", false}, {u"1.4.0.0", false}, {u"9", true}, {u"1.2.4", true},
        {u"x.y.z", true}, {u"", true},
    };
    for (const auto& [version, asks] : cases) {
        messages.entries.clear();
        WriteBytes(dir / "v.PRJ", CurrentHeader(version.empty() ? u"\u0100" : version));
        doc.LoadProject(dir / "v.PRJ");
        EXPECT_EQ(!messages.entries.empty(), asks) << std::string(version.begin(), version.end());
    }
}

TEST_F(ProjectFileTest, SaveWritesTheHeaderAndEveryLineInOrder)
{
    doc.FileName = dir / "out.PRJ";
    doc.Version = u"1.2.5.0";
    doc.Title = u"題";
    doc.SoundFile = u"s.wav";
    doc.SoundFileTime = std::nan("");
    play.DmxPatch[10] = 3;
    play.PrePlayTime = 1234;
    play.PostPlayTime = 5678;
    Fill(2, {{500, 0x123456, 7}});
    Fill(0, {{900}, {100}});
    Select(2, {0});
    doc.PushUndo();
    doc.Modified = true;

    ASSERT_TRUE(doc.SaveProject(false));
    EXPECT_FALSE(doc.Modified);
    EXPECT_TRUE(doc.UndoList.empty());
    EXPECT_EQ(doc.CountSelectedAll(), 0) << "a save deselects";

    const Bytes b = ReadBytes(dir / "out.PRJ");
    ASSERT_EQ(b.size(), 5016u + 3 * 52);
    EXPECT_EQ(b[0], '1');
    EXPECT_EQ(b[1], 0);
    EXPECT_EQ(b[12], '0');
    EXPECT_EQ(b[14], 0) << "version terminator";
    EXPECT_EQ(GetI32(b, 128) & 0xFFFF, 0x984C);
    EXPECT_EQ(GetI32(b, 912 + 40), 3);
    EXPECT_EQ(GetI32(b, 2960), 1234);
    EXPECT_EQ(GetI32(b, 2964), 5678);
    // line 0 first (100, 900), then line 2
    EXPECT_EQ(GetI32(b, 5016 + 4), 100);
    EXPECT_EQ(GetI32(b, 5016 + 8), 800);
    EXPECT_EQ(GetI32(b, 5016 + 52 + 4), 900);
    EXPECT_EQ(GetI32(b, 5016 + 104 + 0), 2);
    EXPECT_EQ(GetI32(b, 5016 + 104 + 12), 0x123456);
    EXPECT_EQ(b[5016 + 104 + 20], 0) << "stored unselected";

    PlayGlobals otherPlay;
    ProjectData again(otherPlay);
    EXPECT_EQ(again.LoadProject(dir / "out.PRJ"), 4);
    EXPECT_EQ(again.Version, u"1.2.5.0") << "a file keeps its version text";
    EXPECT_EQ(again.Title, u"題");
    EXPECT_TRUE(std::isnan(again.SoundFileTime));
    EXPECT_EQ(again.Lines, doc.Lines);
}

TEST_F(ProjectFileTest, SaveKeepsUndoForTheBackup)
{
    doc.FileName = dir / "b.PRJ";
    doc.AddStep(0, 0, 1, 0, true);
    ASSERT_TRUE(doc.SaveProject(true));
    EXPECT_EQ(doc.UndoList.size(), 1u);
}

TEST_F(ProjectFileTest, FailedSaveKeepsTheOldFileAndTheModifiedMark)
{
    doc.FileName = dir / "missing-folder/x.PRJ";
    doc.Modified = true;
    WriteResult r = doc.SaveProject(false);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "No such file or directory");
    EXPECT_TRUE(doc.Modified);

    doc.FileName.clear();
    EXPECT_FALSE(doc.SaveProject(false).ok);
    EXPECT_TRUE(doc.Modified);
}

TEST_F(ProjectFileTest, FieldsWithoutTerminatorAreCutToFit)
{
    Bytes header = CurrentHeader();
    for (size_t i = 0; i < 128; ++i)
        PutU16(header, 128 + 2 * i, u'あ');
    PutU16(header, 384, 0xDC00); // a lone surrogate
    WriteBytes(dir / "long.PRJ", header);
    EXPECT_EQ(doc.LoadProject(dir / "long.PRJ"), 1);
    EXPECT_EQ(doc.Title.size(), 127u);
    EXPECT_EQ(doc.SoundFile, std::u16string(1, char16_t(0xDC00)));
}

TEST_F(ProjectFileTest, TruncatedAtEveryFieldBoundary)
{
    const Bytes current = Concat({CurrentHeader(), StepBytes(0, 1, 0, 0, 0), StepBytes(1, 2, 0, 0, 0)});
    const Bytes old = Concat({OldHeader("1.2.0.0", "t", "s", 0, 0), StepBytes(0, 1, 0, 0, 0)});
    struct Case {
        const Bytes* file;
        size_t size;
        int result;
    };
    const Case cases[] = {
        {&current, 0, 0},    {&current, 7, 0},    {&current, 8, 0},    {&current, 127, 0},
        {&current, 128, 0},  {&current, 384, 0},  {&current, 904, 0},  {&current, 912, 0},
        {&current, 2960, 0}, {&current, 2964, 0}, {&current, 2968, 0}, {&current, 5015, 0},
        {&current, 5016, 1}, {&current, 5067, 1}, {&current, 5068, 2}, {&current, 5119, 2},
        {&current, 5120, 3}, {&old, 63, 0},       {&old, 64, 0},       {&old, 4567, 0},
        {&old, 4568, 1},     {&old, 4619, 1},     {&old, 4620, 2},
    };
    for (const Case& c : cases) {
        WriteBytes(dir / "cut.PRJ", Bytes(c.file->begin(), c.file->begin() + long(c.size)));
        EXPECT_EQ(doc.LoadProject(dir / "cut.PRJ"), c.result) << (c.file == &old ? "old " : "current ") << c.size;
        EXPECT_EQ(doc.FileName.empty(), c.result == 0);
    }
}
