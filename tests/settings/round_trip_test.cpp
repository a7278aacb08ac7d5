// The whole close sequence of the program writes every key into a fresh settings file;
// the next start reads back what was written.

#include "common/output_volume.h"
#include "settings/color_monitor_settings.h"
#include "settings/env_data.h"
#include "settings/main_window_settings.h"
#include "settings/toolbar_placement.h"
#include "settings/window_defaults.h"
#include "settings_fixture.h"

#include <gtest/gtest.h>

class RoundTripTest : public SettingsTest {
protected:
    void TearDown() override { WriteWaveOutVolume(65535); }
};

TEST_F(RoundTripTest, EveryKeyReadsBackWhatWasWritten)
{
    const ScreenInfo screen{2, 1920, 1080};
    const std::string project = Touch("お祭り show.PRJ");
    const std::string older = Touch("older.PRJ");

    OptionSettings options{25, 150, 0x3A};
    MainViewSettings view{true, 300, true, -2, 120, true};
    const WindowRect mainBounds{-40, 20, 1200, 800};
    ColMonArrangement monitor;
    monitor.State = WindowState::Maximized;
    monitor.Bounds = {300, 200, 640, 480};
    for (int i = 0; i < ColMonTileCount; ++i)
        monitor.Tiles[size_t(i)] = {{i * 3, i * 5, 90 + i, 80 + i}, i != 4};
    ToolBarPlacement bars[ToolBarCount];
    bars[0].DockTop = 2;
    bars[0].DockLeft = 11;
    bars[1].Visible = false;
    bars[1].DockLeft = 200;
    bars[2].Floating = true;
    bars[2].FloatWindow = {300, 40, 220, 56};
    bars[3].DockTop = 30;

    WriteWaveOutVolume(65535);
    {
        IniFile ini(IniPath());
        EnvData env(ini, play_, ExeDirPath());
        env.PrjFile = project;
        env.LwavFg = 0x010203;
        env.LwavBg = 0x040506;
        env.RwavFg = 0x070809;
        env.RwavBg = 0x0A0B0C;
        env.BlankBg = 0x0D0E0F;
        env.TLinFg = 0x101112;
        env.TLinBg = 0x131415;
        env.CLinBg = 0xFFFFFF;
        env.FlatToolBar = true;
        env.DispTracking = true;
        env.MonClickTab = false;
        env.UseWheel = false;
        env.CurActivate = false;
        env.MonScaled = true;
        env.Repeat = true;
        env.AutoSave = true;
        env.SaveInterval = 45;
        env.ImgFile = "pal=ette.png";
        env.DispSize = 240;
        env.History.Add(older);
        env.History.Add(project);
        WriteWaveOutVolume(12345);

        // The close sequence: [OSC], [Option], [General], the colour monitor, the
        // toolbars, [StatusBar], [ShortCut], then EnvData with the flush.
        WriteOscPort(ini, 9000);
        WriteOptionSettings(ini, options, 5000, 7000);
        StorePlacementA(ini, LurillFormName, LurillFormStyle, mainBounds);
        WriteMainViewSettings(ini, view);
        WriteColMonArrangement(ini, monitor);
        WriteViewMonLabel(ini, false);
        for (int n = 1; n <= ToolBarCount; ++n)
            StoreToolBar(ini, ToolBarSection(n), bars[n - 1]);
        WriteStatusBarVisible(ini, false);
        WriteShortCut(ini, "UndoAction", "Ctrl+Z");
        WriteShortCut(ini, "CutStepAction", "");
        StorePlacementA(ini, SelExFormName, SelExFormStyle, {11, 12, 413, 414});
        StorePlacementA(ini, StpPropDlgName, StpPropDlgStyle, {15, 16, 0, 0});
        ASSERT_TRUE(env.Save());
    }

    IniFile ini(IniPath());
    {
        EnvData env(ini, play_, ExeDirPath());
        EXPECT_EQ(env.PrjFile, project);
        EXPECT_EQ(env.LwavFg, 0x010203u);
        EXPECT_EQ(env.LwavBg, 0x040506u);
        EXPECT_EQ(env.RwavFg, 0x070809u);
        EXPECT_EQ(env.RwavBg, 0x0A0B0Cu);
        EXPECT_EQ(env.BlankBg, 0x0D0E0Fu);
        EXPECT_EQ(env.TLinFg, 0x101112u);
        EXPECT_EQ(env.TLinBg, 0x131415u);
        EXPECT_EQ(env.CLinBg, 0xFFFFFFu);
        EXPECT_TRUE(env.FlatToolBar);
        EXPECT_TRUE(env.DispTracking);
        EXPECT_FALSE(env.MonClickTab);
        EXPECT_FALSE(env.UseWheel);
        EXPECT_FALSE(env.CurActivate);
        EXPECT_TRUE(env.MonScaled);
        EXPECT_TRUE(env.Repeat);
        EXPECT_TRUE(env.AutoSave);
        EXPECT_EQ(env.SaveInterval, 45);
        EXPECT_EQ(env.ImgFile, "pal=ette.png");
        EXPECT_EQ(env.DispSize, 240u);
        EXPECT_EQ(env.Volume, 12345u);
        EXPECT_EQ(env.CheckGroup, -1);
        ASSERT_EQ(env.History.Count(), 2);
        EXPECT_EQ(env.History.Get(0), project);
        EXPECT_EQ(env.History.Get(1), older);
    }

    EXPECT_EQ(ReadOscPort(ini), 9000);
    OptionSettings o = ReadOptionSettings(ini);
    EXPECT_EQ(o.DmxInterval, 25);
    EXPECT_EQ(o.DispInterval, 150);
    EXPECT_EQ(o.TxUniverse, 0x3A);
    EXPECT_EQ(LoadPlacementA(ini, LurillFormName, LurillFormStyle, LurillFormDefaults(screen), {}, screen), mainBounds);
    MainViewSettings v = ReadMainViewSettings(ini);
    EXPECT_TRUE(v.DispMonoWav);
    EXPECT_EQ(v.WavLRHeight, 300);
    EXPECT_TRUE(v.ViewRefTrack);
    EXPECT_EQ(v.RefTrack, -2);
    EXPECT_EQ(v.RefTrackHi, 120);
    EXPECT_TRUE(v.ViewColMon);

    ColMonArrangement m = ReadColMonArrangement(ini, 0, 0);
    EXPECT_EQ(m.State, WindowState::Maximized);
    EXPECT_EQ(m.Bounds, monitor.Bounds);
    for (int i = 0; i < ColMonTileCount; ++i) {
        EXPECT_EQ(m.Tiles[size_t(i)].Bounds, monitor.Tiles[size_t(i)].Bounds) << i;
        EXPECT_EQ(m.Tiles[size_t(i)].Visible, monitor.Tiles[size_t(i)].Visible) << i;
    }
    EXPECT_FALSE(ReadViewMonLabel(ini));

    for (int n = 1; n <= ToolBarCount; ++n) {
        ToolBarPlacement b = LoadToolBar(ini, ToolBarSection(n), -1, -1);
        const ToolBarPlacement& w = bars[n - 1];
        EXPECT_EQ(b.Visible, w.Visible) << n;
        EXPECT_EQ(b.Floating, w.Floating) << n;
        if (w.Floating) {
            EXPECT_EQ(b.FloatWindow, w.FloatWindow) << n;
        } else {
            EXPECT_EQ(b.DockTop, w.DockTop) << n;
            EXPECT_EQ(b.DockLeft, w.DockLeft) << n;
        }
    }
    EXPECT_FALSE(ReadStatusBarVisible(ini));
    EXPECT_EQ(ReadShortCut(ini, "UndoAction"), "Ctrl+Z");
    EXPECT_EQ(ReadShortCut(ini, "CutStepAction"), "");
    EXPECT_EQ(LoadPlacementA(ini, SelExFormName, SelExFormStyle, SelExFormDefaults(0, 0), {}, screen),
              (WindowRect{11, 12, 413, 414}));
    EXPECT_EQ(LoadPlacementA(ini, StpPropDlgName, StpPropDlgStyle, StpPropDlgDefaults, {50, 60}, screen),
              (WindowRect{15, 16, 50, 60}));

    // Sections in the order the close sequence writes them.
    std::string text = IniText();
    size_t at = 0;
    for (const char* section : {"[OSC]", "[Option]", "[General]", "[ColMonForm]", "[ColMon1]", "[ColMon8]", "[Tool1]",
                                "[Tool4]", "[StatusBar]", "[ShortCut]", "[Project]", "[Color]", "[Palette]", "[Play]",
                                "[PrjHistory]"}) {
        size_t found = text.find(section, at);
        ASSERT_NE(found, std::string::npos) << section;
        at = found;
    }
}
