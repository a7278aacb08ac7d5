#include "settings/main_window_settings.h"
#include "settings_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

class MainWindowSettingsTest : public SettingsTest {};

TEST_F(MainWindowSettingsTest, DefaultsWithoutAFile)
{
    IniFile ini(IniPath());
    EXPECT_EQ(ReadOscPort(ini), 9901);
    OptionSettings o = ReadOptionSettings(ini);
    EXPECT_EQ(o.DmxInterval, 20);
    EXPECT_EQ(o.DispInterval, 50);
    EXPECT_EQ(o.TxUniverse, 0);
    EXPECT_EQ(o.LightLatency, 0);
    MainViewSettings v = ReadMainViewSettings(ini);
    EXPECT_FALSE(v.DispMonoWav);
    EXPECT_EQ(v.WavLRHeight, 360);
    EXPECT_FALSE(v.ViewRefTrack);
    EXPECT_EQ(v.RefTrack, 0);
    EXPECT_EQ(v.RefTrackHi, 80);
    EXPECT_FALSE(v.ViewColMon);
    EXPECT_TRUE(ReadStatusBarVisible(ini));
    EXPECT_EQ(ReadShortCut(ini, "UndoAction"), "");
}

TEST_F(MainWindowSettingsTest, StoredViewValuesAreHeldToWhatTheViewCanShow)
{
    struct Case {
        const char* keys;
        int32_t refTrack, refTrackHi;
    } cases[] = {
        {"RefTrack=-2\nRefTrackHi=10\n", -2, 30},
        {"RefTrack=7\nRefTrackHi=30\n", 7, 30},
        {"RefTrack=8\nRefTrackHi=29\n", 0, 30},
        {"RefTrack=-1\nRefTrackHi=-400\n", 0, 30},
        {"RefTrack=3\nRefTrackHi=500\n", 3, 500},
    };
    for (const Case& c : cases) {
        MainViewSettings v = ReadMainViewSettings(WriteIni(std::string("[General]\n") + c.keys));
        EXPECT_EQ(v.RefTrack, c.refTrack) << c.keys;
        EXPECT_EQ(v.RefTrackHi, c.refTrackHi) << c.keys;
    }
    // The Art-Net Port-Address is 15 bits; a value beyond names no port and is said at start.
    const std::pair<const char*, int32_t> universes[] = {{"0", 0}, {"32767", 32767}, {"32768", 0}, {"-1", 0}, {"291", 291}};
    for (auto [text, universe] : universes) {
        const OptionSettings o = ReadOptionSettings(WriteIni(std::string("[Option]\nTxUniverse=") + text + "\n"));
        EXPECT_EQ(o.TxUniverse, universe) << text;
        EXPECT_EQ(o.RefusedTxUniverse.has_value(), universe == 0 && text[0] != '0') << text;
    }
    EXPECT_EQ(ReadOptionSettings(WriteIni("[Option]\nDispInterval=0\n")).DispInterval, 50);
    EXPECT_EQ(ReadOptionSettings(WriteIni("[Option]\nDispInterval=150\n")).DispInterval, 150);
    const std::pair<const char*, int32_t> latencies[] = {{"-500", -500}, {"500", 500},     {"-501", -500},
                                                          {"9999", 500}, {"-2147483648", -500}, {"35", 35}};
    for (auto [text, ms] : latencies)
        EXPECT_EQ(ReadOptionSettings(WriteIni(std::string("[Option]\nLightLatency=") + text + "\n")).LightLatency, ms)
            << text;
}

TEST_F(MainWindowSettingsTest, PlayTimesAreWrittenInSecondsAndNeverRead)
{
    IniFile ini = WriteIni("[Option]\nPrePlayTime=99\nPostPlayTime=99\nDmxInterval=35\n");
    OptionSettings o = ReadOptionSettings(ini);
    EXPECT_EQ(o.DmxInterval, 35) << "kept to be written back unchanged";
    WriteOptionSettings(ini, o, 10999, -1500);
    EXPECT_EQ(ini.Text(), "[Option]\nPrePlayTime=10\nPostPlayTime=-1\nDmxInterval=35\n"
                          "DispInterval=50\nTxUniverse=0\nLightLatency=0\nLanguage=auto\n");
}

TEST_F(MainWindowSettingsTest, TheLanguageIsAutoJaOrEnAndAnythingElseReadsAsAuto)
{
    for (const auto& [stored, read] : std::vector<std::pair<std::string, std::string>>{
             {"ja", "ja"}, {"en", "en"}, {"auto", "auto"}, {"fr", "auto"}, {"", "auto"}, {"EN", "auto"}})
        EXPECT_EQ(ReadOptionSettings(WriteIni("[Option]\nLanguage=" + stored + "\n")).Language, read) << stored;
}

TEST_F(MainWindowSettingsTest, ShortCutKeysAreTheActionNamesWithItem)
{
    IniFile ini = WriteIni("[ShortCut]\nUndoActionItem=Ctrl+Z\nCutStepActionItem=\n");
    EXPECT_EQ(ReadShortCut(ini, "UndoAction"), "Ctrl+Z");
    EXPECT_EQ(ReadShortCut(ini, "CutStepAction"), "");
    WriteShortCut(ini, "PlayAction", "Shift+Ctrl+F5");
    EXPECT_EQ(ini.ReadString("ShortCut", "PlayActionItem", ""), "Shift+Ctrl+F5");
}
