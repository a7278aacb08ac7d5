#include "settings/color_monitor_settings.h"
#include "settings/toolbar_placement.h"
#include "settings/window_defaults.h"
#include "settings/window_placement.h"
#include "settings_fixture.h"

#include <gtest/gtest.h>

namespace {
constexpr ScreenInfo OneMonitor{1, 1920, 1080};
constexpr ScreenInfo TwoMonitors{2, 1920, 1080};
} // namespace

class PlacementTest : public SettingsTest {};

TEST_F(PlacementTest, SchemeAKeepsAWindowOnASingleMonitor)
{
    struct Case {
        const char* what;
        std::string keys;
        ScreenInfo screen;
        WindowRect expected;
    } cases[] = {
        {"no keys: the whole screen", "", OneMonitor, {0, 0, 1920, 1080}},
        {"-50 left on one monitor", "LurillFormLeft=-50\nLurillFormWidth=800\nLurillFormHeight=600\n", OneMonitor,
         {0, 0, 800, 600}},
        {"-50 left on two monitors", "LurillFormLeft=-50\nLurillFormWidth=800\nLurillFormHeight=600\n", TwoMonitors,
         {-50, 0, 800, 600}},
        {"beyond the right and bottom", "LurillFormLeft=1500\nLurillFormTop=900\nLurillFormWidth=800\nLurillFormHeight=600\n",
         OneMonitor, {1120, 480, 800, 600}},
        {"beyond on two monitors", "LurillFormLeft=2500\nLurillFormTop=900\nLurillFormWidth=800\nLurillFormHeight=600\n",
         TwoMonitors, {2500, 900, 800, 600}},
        {"larger than the screen keeps its corner on it", "LurillFormLeft=-8\nLurillFormTop=-8\nLurillFormWidth=1936\nLurillFormHeight=1096\n",
         OneMonitor, {0, 0, 1936, 1096}},
        {"sizes below 1 give the default", "LurillFormLeft=10\nLurillFormWidth=0\nLurillFormHeight=-3\n", OneMonitor,
         {0, 0, 1920, 1080}},
        {"far out does not overflow", "LurillFormLeft=2147483647\nLurillFormTop=-2147483648\nLurillFormWidth=2147483647\n",
         OneMonitor, {0, 0, INT32_MAX, 1080}},
    };
    for (const Case& c : cases) {
        IniFile ini = WriteIni("[General]\n" + c.keys);
        WindowRect r = LoadPlacementA(ini, LurillFormName, LurillFormStyle, LurillFormDefaults(c.screen), {640, 480},
                                      c.screen);
        EXPECT_EQ(r, c.expected) << c.what;
    }
}

TEST_F(PlacementTest, SchemeADialogsLoadTheirSizeOnlyWhenTheyMay)
{
    IniFile ini = WriteIni("[General]\nSelExFormWidth=0\nSelExFormHeight=350\n"
                           "SetPrjDlgLeft=30\nSetPrjDlgTop=40\nSetPrjDlgWidth=999\nSetPrjDlgHeight=999\n"
                           "StpTimeDlgWidth=700\nStpTimeDlgHeight=500\n");
    const WindowSize current{300, 200};
    EXPECT_EQ(LoadPlacementA(ini, SelExFormName, SelExFormStyle, SelExFormDefaults(20, 30), current, OneMonitor),
              (WindowRect{170, 180, 400, 350}))
        << "a stored width of 0 gives 400";
    EXPECT_EQ(LoadPlacementA(ini, SetPrjDlgName, SetPrjDlgStyle, SetPrjDlgDefaults, current, OneMonitor),
              (WindowRect{30, 40, 300, 200}))
        << "a dialog-style window keeps its size";
    EXPECT_EQ(LoadPlacementA(ini, StpTimeDlgName, StpTimeDlgStyle, StpTimeDlgDefaults, current, OneMonitor),
              (WindowRect{150, 150, 300, 200}))
        << "default size 0: the stored size is not loaded";
    // A dialog that does not fit at its place is moved by its current size.
    EXPECT_EQ(LoadPlacementA(ini, StpPropDlgName, StpPropDlgStyle, {1800, 100, 0, 0}, current, OneMonitor).Left, 1620);

    IniFile out(dir_ / "out.INI");
    StorePlacementA(out, SetPrjDlgName, SetPrjDlgStyle, {1, 2, 3, 4});
    StorePlacementA(out, StpTimeDlgName, StpTimeDlgStyle, {5, 6, 7, 8});
    EXPECT_EQ(out.Text(), "[General]\nSetPrjDlgLeft=1\nSetPrjDlgTop=2\n"
                          "StpTimeDlgLeft=5\nStpTimeDlgTop=6\nStpTimeDlgWidth=7\nStpTimeDlgHeight=8\n");
}

TEST_F(PlacementTest, SchemeBStoresAMaximisedWindowWithItsNormalBounds)
{
    IniFile ini(IniPath());
    const WindowRect normal{120, 130, 500, 340};
    StorePlacementB(ini, ColMonFormName, ColMonFormStyle, WindowState::Maximized, normal);
    EXPECT_EQ(ini.Text(), "[ColMonForm]\nWinState=2\nWinLeft=120\nWinTop=130\nWinWidth=500\nWinHeight=340\n");

    PlacementB p = LoadPlacementB(ini, ColMonFormName, ColMonFormStyle, ColMonFormDefaults(0, 0), {});
    EXPECT_EQ(p.Bounds, normal);
    EXPECT_EQ(p.State, WindowState::Maximized);

    StorePlacementB(ini, ColMonFormName, ColMonFormStyle, WindowState::Minimized, normal);
    EXPECT_EQ(ini.ReadInteger(ColMonFormName, "WinState", -1), 0) << "minimised is stored as normal";

    // A tile is not sizeable in this sense: size yes, state no.
    StorePlacementB(ini, ColMonTileName(3), ColMonTileStyle, WindowState::Maximized, {1, 2, 3, 4});
    EXPECT_EQ(ini.ReadInteger("ColMon3", "WinState", -1), -1);
    EXPECT_FALSE(LoadPlacementB(ini, "ColMon3", ColMonTileStyle, ColMonTileDefaults(3), {}).State.has_value());
}

TEST_F(PlacementTest, SchemeBReadsStatesAndSizesWithoutScreenCorrection)
{
    IniFile ini = WriteIni("[A]\nWinState=1\nWinLeft=-500\nWinTop=5000\nWinWidth=0\nWinHeight=-1\n"
                           "[B]\nWinState=7\n");
    PlacementB a = LoadPlacementB(ini, "A", ColMonFormStyle, {1, 2, 480, 320}, {});
    EXPECT_EQ(a.Bounds, (WindowRect{-500, 5000, 480, 320}));
    EXPECT_EQ(a.State, WindowState::Minimized);
    EXPECT_EQ(LoadPlacementB(ini, "B", ColMonFormStyle, {1, 2, 480, 320}, {}).State, WindowState::Normal)
        << "a value that is no state";
    EXPECT_EQ(LoadPlacementB(ini, "A", {true, false}, {1, 2, 480, 320}, {60, 70}).Bounds.Width, 60)
        << "dialog-style keeps its size";
}

TEST_F(PlacementTest, ColourMonitorDefaultsAndArrangementRoundTrip)
{
    IniFile empty(IniPath());
    ColMonArrangement a = ReadColMonArrangement(empty, 40, 50);
    EXPECT_EQ(a.Bounds, (WindowRect{240, 250, 480, 320}));
    EXPECT_EQ(a.State, WindowState::Normal);
    EXPECT_EQ(a.Tiles[0].Bounds, (WindowRect{10, 10, 100, 100}));
    EXPECT_EQ(a.Tiles[3].Bounds, (WindowRect{340, 10, 100, 100}));
    EXPECT_EQ(a.Tiles[4].Bounds, (WindowRect{10, 120, 100, 100}));
    EXPECT_EQ(a.Tiles[7].Bounds, (WindowRect{340, 120, 100, 100}));
    for (const auto& t : a.Tiles)
        EXPECT_TRUE(t.Visible);
    EXPECT_TRUE(ReadViewMonLabel(empty));

    a.State = WindowState::Maximized;
    a.Bounds = {7, 8, 900, 600};
    for (int i = 0; i < ColMonTileCount; ++i)
        a.Tiles[size_t(i)] = {{i, i * 2, 50 + i, 60 + i}, i % 2 == 0};
    const std::string arg = dir_ / "layout.ARG";
    IniFile file(arg);
    WriteColMonArrangement(file, a);
    ASSERT_TRUE(file.UpdateFile());
    Bytes raw = ReadBytes(arg);
    std::string text(raw.begin(), raw.end());
    EXPECT_EQ(text.rfind("[ColMonForm]\nWinState=2\nWinLeft=7\nWinTop=8\nWinWidth=900\nWinHeight=600\n\n[ColMon1]\n"
                         "WinLeft=0\nWinTop=0\nWinWidth=50\nWinHeight=60\nVisible=1\n\n[ColMon2]\n",
                         0),
              0u);
    EXPECT_EQ(text.find("ViewMonLabel"), std::string::npos) << "arrangement files hold no label flag";

    ColMonArrangement back = ReadColMonArrangement(IniFile(arg), 0, 0);
    EXPECT_EQ(back.Bounds, a.Bounds);
    EXPECT_EQ(back.State, WindowState::Maximized);
    for (int i = 0; i < ColMonTileCount; ++i) {
        EXPECT_EQ(back.Tiles[size_t(i)].Bounds, a.Tiles[size_t(i)].Bounds) << i;
        EXPECT_EQ(back.Tiles[size_t(i)].Visible, a.Tiles[size_t(i)].Visible) << i;
    }

    // A file without the section of tile 3 puts tile 3 at its initial place, visible.
    IniFile partial = WriteIni("[ColMon2]\nWinLeft=1\nVisible=0\n");
    ColMonArrangement p = ReadColMonArrangement(partial, 0, 0);
    EXPECT_EQ(p.Tiles[2].Bounds, ColMonTileDefaults(3));
    EXPECT_TRUE(p.Tiles[2].Visible);
    EXPECT_FALSE(p.Tiles[1].Visible);
}

TEST_F(PlacementTest, AnArrangementAtTheIntsLimitsIsBroughtWithinReach)
{
    // A window system adds size to position for the far edge: these would overflow it.
    IniFile far = WriteIni("[ColMonForm]\nWinLeft=2147483647\nWinTop=-2147483648\nWinWidth=2147483647\n"
                           "WinHeight=16777216\n[ColMon1]\nWinLeft=2147483000\nWinTop=16777215\nWinWidth=2000\n"
                           "[ColMon2]\nWinLeft=-16777216\nWinTop=-16777215\n");
    const ColMonArrangement a = ReadColMonArrangement(far, 0, 0);
    EXPECT_EQ(a.Bounds, (WindowRect{16777215, -16777215, 16777215, 16777215}));
    EXPECT_EQ(a.Tiles[0].Bounds, (WindowRect{16777215, 16777215, 2000, 100}));
    EXPECT_EQ(a.Tiles[1].Bounds, (WindowRect{-16777215, -16777215, 100, 100}));
}

TEST_F(PlacementTest, AFloatingToolbarIsRestoredWhereItWas)
{
    IniFile ini(IniPath());
    ToolBarPlacement floating;
    floating.Floating = true;
    floating.FloatWindow = {300, 40, 220, 56};
    floating.Visible = false;
    StoreToolBar(ini, ToolBarSection(3), floating);
    EXPECT_EQ(ini.Text(), "[Tool3]\nVisible=0\nFloating=1\nFltLeft=300\nFltTop=40\nFltRight=520\nFltBottom=96\n");

    ToolBarPlacement back = LoadToolBar(ini, "Tool3", 0, 0);
    EXPECT_TRUE(back.Floating);
    EXPECT_FALSE(back.Visible);
    EXPECT_EQ(back.FloatWindow, (WindowRect{300, 40, 220, 56}));

    ToolBarPlacement docked;
    docked.DockTop = 32;
    docked.DockLeft = 250;
    StoreToolBar(ini, "Tool3", docked);
    back = LoadToolBar(ini, "Tool3", 0, 0);
    EXPECT_FALSE(back.Floating);
    EXPECT_TRUE(back.Visible);
    EXPECT_EQ(back.DockTop, 32);
    EXPECT_EQ(back.DockLeft, 250);
}

TEST_F(PlacementTest, ToolbarDefaults)
{
    IniFile ini = WriteIni("[Tool2]\nFloating=1\n[Tool4]\nFloating=1\nFltLeft=10\nFltRight=-2147483648\n");
    ToolBarPlacement none = LoadToolBar(ini, "Tool1", 26, 180);
    EXPECT_TRUE(none.Visible);
    EXPECT_FALSE(none.Floating);
    EXPECT_EQ(none.DockTop, 26) << "a docked toolbar stays where it is";
    EXPECT_EQ(none.DockLeft, 180);

    EXPECT_EQ(LoadToolBar(ini, "Tool2", 0, 0).FloatWindow, (WindowRect{100, 100, 100, 100}));
    EXPECT_EQ(LoadToolBar(ini, "Tool4", 0, 0).FloatWindow.Width, INT32_MIN) << "saturates, no overflow";
}

TEST(KeepOnAScreenTest, AWindowOpensWhereItsTitleBarCanBeReached)
{
    const WindowRect main{0, 0, 1920, 1080};
    const WindowRect right{1920, 0, 1280, 1024};
    const WindowRect left{-1280, 0, 1280, 1024};
    const WindowRect both[] = {main, right};
    const WindowRect mainOnly[] = {main};
    const WindowRect primarySecond[] = {left, main};
    const WindowRect offsetOnly[] = {right};
    struct Case {
        const char* what;
        WindowRect window;
        std::span<const WindowRect> screens;
        size_t primary;
        WindowRect expected;
    } cases[] = {
        {"on the second screen while it is there", {2000, 100, 480, 320}, both, 0, {2000, 100, 480, 320}},
        {"the second screen gone: the primary's near edge", {2000, 100, 480, 320}, mainOnly, 0, {1440, 100, 480, 320}},
        {"partly on a screen: kept", {-100, 50, 480, 320}, mainOnly, 0, {-100, 50, 480, 320}},
        {"one column on the screen is not enough: moved wholly onto it", {1919, 0, 480, 320}, mainOnly, 0,
         {1440, 0, 480, 320}},
        {"a grip's width of title bar is enough", {1920 - TitleBarGrip, 0, 480, 320}, mainOnly, 0,
         {1920 - TitleBarGrip, 0, 480, 320}},
        {"the title bar above the screen's top", {100, -200, 480, 320}, mainOnly, 0, {100, 0, 480, 320}},
        {"only the bottom edge shows", {100, 1080 - TitleBarHeight + 1, 480, 320}, mainOnly, 0, {100, 760, 480, 320}},
        {"mostly on the second screen: moved onto that one", {3150, -100, 480, 320}, both, 0, {2720, 0, 480, 320}},
        {"across two screens, its title bar on one: kept", {1800, 10, 480, 320}, both, 0, {1800, 10, 480, 320}},
        {"touching its edge is not on it", {1920, 0, 480, 320}, mainOnly, 0, {1440, 0, 480, 320}},
        {"left of every screen", {-1500, 200, 480, 320}, mainOnly, 0, {0, 200, 480, 320}},
        {"below every screen", {100, 5000, 480, 320}, mainOnly, 0, {100, 760, 480, 320}},
        {"the primary need not come first", {5000, 5000, 480, 320}, primarySecond, 1, {1440, 760, 480, 320}},
        {"a primary that does not start at 0", {0, 0, 480, 320}, offsetOnly, 0, {1920, 0, 480, 320}},
        {"larger than the primary: its corner on it", {5000, 0, 2500, 1200}, mainOnly, 0, {0, 0, 2500, 1200}},
        {"far out does not overflow", {INT32_MAX, INT32_MIN, INT32_MAX, 320}, mainOnly, 0, {0, 0, INT32_MAX, 320}},
        {"no screens known: kept", {5000, 5000, 480, 320}, {}, 0, {5000, 5000, 480, 320}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeepOnAScreen(c.window, c.screens, c.primary), c.expected) << c.what;
}
