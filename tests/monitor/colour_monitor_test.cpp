// The colour monitor offscreen: its arrangement in the settings file and in arrangement
// files, scaling with the window, the highlight, and tiles pressed and dragged.
#include "monitor/colour_tile.h"
#include "monitor/colour_monitor.h"
#include "settings/env_data.h"
#include "settings/ini_file.h"
#include "support/test_support.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

// Failures show rectangles as people read them.
void PrintTo(const QRect& r, std::ostream* out) { *out << r.x() << "," << r.y() << " " << r.width() << "x" << r.height(); }

namespace {

class ScriptedPrompts final : public ColourMonitorPrompts {
public:
    std::string path; // empty: cancelled
    std::string folderSeen;
    std::string SaveArrangementPath(const std::string& folder) override { return Answer(folder); }
    std::string OpenArrangementPath(const std::string& folder) override { return Answer(folder); }

private:
    std::string Answer(const std::string& folder)
    {
        folderSeen = folder;
        return path;
    }
};

// The settings file in a private folder, the main window at 100, 50, and the monitor.
class ColourMonitorTest : public testing::Test {
protected:
    ColourMonitorTest() { owner.setGeometry(100, 50, 600, 400); }

    void WriteSettings(const std::string& text)
    {
        std::ofstream(iniPath) << text;
        ini = std::make_unique<IniFile>(iniPath);
    }

    // A monitor over the settings file as it is; the main window owns it.
    ColourMonitor* NewMonitor()
    {
        env = std::make_unique<EnvData>(*ini, play, dir.Path());
        return new ColourMonitor(*ini, *env, &owner, &prompts);
    }

    static QRect InitialPlace(int line) { return {line % 4 * 110 + 10, line / 4 * 110 + 10, 100, 100}; }

    // A left-button drag from at to at + by, in the tile's coordinates, as a person does it.
    static void Drag(ColourTile* tile, QPoint at, QPoint by)
    {
        QTest::mousePress(tile, Qt::LeftButton, {}, at);
        QTest::mouseMove(tile, at + by);
        QTest::mouseRelease(tile, Qt::LeftButton, {}, at + by);
    }

    TempDir dir;
    std::string iniPath = dir / "lumenrill.INI";
    std::unique_ptr<IniFile> ini = std::make_unique<IniFile>(iniPath);
    PlayGlobals play;
    std::unique_ptr<EnvData> env;
    ScriptedPrompts prompts;
    QWidget owner;
};

TEST_F(ColourMonitorTest, EmptySettingsGiveTheInitialArrangement)
{
    ColourMonitor* monitor = NewMonitor();
    monitor->show();
    EXPECT_EQ(monitor->geometry(), QRect(300, 250, 480, 320));
    EXPECT_EQ(monitor->windowTitle(), "Color Monitor");
    for (int i = 0; i < 8; ++i) {
        const ColourTile* tile = monitor->Tile(i);
        EXPECT_EQ(tile->geometry(), InitialPlace(i)) << i;
        EXPECT_TRUE(tile->isVisible());
        EXPECT_EQ(tile->objectName(), QString("ColMon%1").arg(i + 1));
        EXPECT_EQ(tile->NameLabel()->text(), QString("Line %1").arg(i + 1));
        EXPECT_TRUE(tile->NameLabel()->isVisible());
    }
    EXPECT_EQ(monitor->Tile(7)->geometry().bottomRight(), QPoint(439, 219)); // 340, 120 plus 100 x 100
}

TEST_F(ColourMonitorTest, ClosingWritesTheArrangementAndTheNextRunReadsIt)
{
    ColourMonitor* monitor = NewMonitor();
    monitor->show();
    monitor->LineItem(2)->trigger();     // hides tile 3
    monitor->LabelsItem()->trigger();  // labels off
    monitor->Tile(0)->Place({30, 40, 120, 90});
    monitor->close();
    EXPECT_FALSE(monitor->isVisible());
    EXPECT_EQ(ini->ReadInteger("ColMonForm", "WinLeft", -1), 300);
    EXPECT_EQ(ini->ReadInteger("ColMonForm", "WinWidth", -1), 480);
    EXPECT_EQ(ini->ReadInteger("ColMonForm", "WinState", -1), 0);
    EXPECT_FALSE(ini->ReadBool("ColMonForm", "ViewMonLabel", true));
    EXPECT_EQ(ini->ReadInteger("ColMon1", "WinLeft", -1), 30);
    EXPECT_EQ(ini->ReadInteger("ColMon1", "WinHeight", -1), 90);
    EXPECT_FALSE(ini->ReadBool("ColMon3", "Visible", true));
    EXPECT_TRUE(ini->ReadBool("ColMon4", "Visible", false));
    delete monitor;

    ColourMonitor* next = NewMonitor();
    next->show();
    EXPECT_EQ(next->Tile(0)->geometry(), QRect(30, 40, 120, 90));
    EXPECT_TRUE(next->Tile(2)->isHidden());
    EXPECT_FALSE(next->LabelsVisible());
    EXPECT_FALSE(next->Tile(5)->NameLabel()->isVisible());
    emit next->TileMenu()->aboutToShow();
    EXPECT_FALSE(next->LabelsItem()->isChecked());
    EXPECT_FALSE(next->LineItem(2)->isChecked());
    EXPECT_TRUE(next->LineItem(3)->isChecked());
}

TEST_F(ColourMonitorTest, AMaximisedMonitorStoresItsNormalBoundsAndOpensMaximised)
{
    WriteSettings("[ColMonForm]\nWinState=2\nWinLeft=40\nWinTop=30\nWinWidth=420\nWinHeight=310\n");
    ColourMonitor* monitor = NewMonitor();
    monitor->show();
    EXPECT_TRUE(monitor->isMaximized());
    monitor->close();
    EXPECT_EQ(ini->ReadInteger("ColMonForm", "WinState", -1), 2);
    EXPECT_EQ(ini->ReadInteger("ColMonForm", "WinLeft", -1), 40);
    EXPECT_EQ(ini->ReadInteger("ColMonForm", "WinWidth", -1), 420);
    EXPECT_EQ(ini->ReadInteger("ColMonForm", "WinHeight", -1), 310);
}

TEST_F(ColourMonitorTest, AMaximisedScaledMonitorReopensWithItsTilesAsTheyWere)
{
    WriteSettings("[General]\nMonScaled=1\n[ColMonForm]\nWinWidth=400\nWinHeight=300\n");
    ColourMonitor* monitor = NewMonitor();
    monitor->show();
    monitor->showMaximized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return monitor->width() > 400; }));
    const QRect maximised = monitor->Tile(1)->geometry();
    ASSERT_NE(maximised, InitialPlace(1)) << "the tiles follow the window";
    monitor->close();
    delete monitor;

    for (int run = 1; run <= 2; ++run) {
        monitor = NewMonitor();
        monitor->show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return monitor->width() > 400; })) << run;
        EXPECT_TRUE(monitor->isMaximized());
        EXPECT_EQ(monitor->Tile(1)->geometry(), maximised) << "run " << run << ": the tiles keep their size";
        if (run == 2) {
            monitor->showNormal();
            ASSERT_TRUE(QTest::qWaitFor([&] { return monitor->width() == 400; }));
            EXPECT_EQ(monitor->Tile(1)->geometry(), InitialPlace(1)) << "normal size, normal places";
        }
        monitor->close();
        delete monitor;
    }
}

TEST_F(ColourMonitorTest, AMonitorStoredOnAScreenThatIsGoneOpensOnThePrimary)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    WriteSettings("[ColMonForm]\nWinLeft=5000\nWinTop=4000\nWinWidth=480\nWinHeight=320\n");
    ColourMonitor* monitor = NewMonitor();
    monitor->show();
    EXPECT_EQ(monitor->geometry(), QRect(screen.right() + 1 - 480, screen.bottom() + 1 - 320, 480, 320))
        << "at the screen's edges nearest to where it was";
    delete monitor;

    // Partly on the screen, it stays where it was stored.
    WriteSettings("[ColMonForm]\nWinLeft=-100\nWinTop=40\nWinWidth=480\nWinHeight=320\n");
    monitor = NewMonitor();
    monitor->show();
    EXPECT_EQ(monitor->geometry(), QRect(-100, 40, 480, 320));
    delete monitor;
}

TEST_F(ColourMonitorTest, AMonitorNeverShownLeavesTheStoredArrangementAlone)
{
    WriteSettings("[ColMon1]\nWinLeft=77\n");
    ColourMonitor* monitor = NewMonitor();
    monitor->close();
    EXPECT_EQ(ini->Text(), IniFile(iniPath).Text());
    EXPECT_EQ(ini->ReadInteger("ColMon1", "WinLeft", -1), 77);
}

TEST_F(ColourMonitorTest, ScalingThereAndBackIsExact)
{
    WriteSettings("[ColMonForm]\nWinWidth=400\nWinHeight=300\n[ColMon2]\nWinLeft=33\nWinTop=17\nWinWidth=71\nWinHeight=59\n");
    ColourMonitor* monitor = NewMonitor();
    monitor->show();
    const QRect tile2(33, 17, 71, 59);
    ASSERT_EQ(monitor->Tile(1)->geometry(), tile2);

    // Off: resizing moves no tile.
    monitor->resize(700, 500);
    EXPECT_EQ(monitor->Tile(1)->geometry(), tile2);
    monitor->resize(400, 300);

    monitor->ScaledItem()->trigger();
    EXPECT_TRUE(env->MonScaled);
    monitor->resize(800, 300); // twice as wide
    EXPECT_EQ(monitor->Tile(1)->geometry(), QRect(66, 17, 142, 59));
    EXPECT_EQ(monitor->Tile(4)->geometry(), QRect(20, 120, 200, 100));
    // Sizes that truncate, several in a row: each scales from the recorded state.
    for (QSize size : {QSize(333, 271), QSize(517, 149), QSize(101, 100), QSize(1234, 987)}) {
        monitor->resize(size);
        const double fx = size.width() / 400.0, fy = size.height() / 300.0;
        EXPECT_EQ(monitor->Tile(1)->geometry(),
                  QRect(int(33 * fx), int(17 * fy), int(fx * 71), int(fy * 59)))
            << size.width() << "x" << size.height();
    }
    monitor->resize(400, 300);
    EXPECT_EQ(monitor->Tile(1)->geometry(), tile2);
    for (int i = 2; i < 8; ++i)
        EXPECT_EQ(monitor->Tile(i)->geometry(), InitialPlace(i)) << i;
}

TEST_F(ColourMonitorTest, ATileTheUserMovedKeepsItsPlaceWhenTheMonitorScales)
{
    WriteSettings("[General]\nMonScaled=1\n[ColMonForm]\nWinWidth=400\nWinHeight=300\n");
    ColourMonitor* monitor = NewMonitor();
    monitor->show();
    ColourTile* tile = monitor->Tile(1);
    Drag(tile, {50, 50}, {30, 20}); // by its body
    EXPECT_EQ(tile->geometry(), QRect(150, 30, 100, 100));
    Drag(tile, {98, 50}, {20, 0}); // by its right edge
    EXPECT_EQ(tile->geometry(), QRect(150, 30, 120, 100));
    Drag(tile, {50, 1}, {0, 200}); // the top edge past the bottom stops at the smallest tile
    EXPECT_EQ(tile->geometry(), QRect(150, 130 - ColourTile::MinimumSide, 120, ColourTile::MinimumSide));
    Drag(tile, {50, 5}, {0, -10}); // the body again
    const QRect moved = tile->geometry();

    monitor->resize(800, 600);
    EXPECT_EQ(tile->geometry(), QRect(moved.x() * 2, moved.y() * 2, moved.width() * 2, moved.height() * 2));
    monitor->resize(400, 300);
    EXPECT_EQ(tile->geometry(), moved);
    EXPECT_EQ(monitor->Tile(0)->geometry(), InitialPlace(0));
}

TEST_F(ColourMonitorTest, APressOnATileSelectsItsLineWhenTheOptionIsOn)
{
    ColourMonitor* monitor = NewMonitor();
    monitor->show();
    QSignalSpy selected(monitor, &ColourMonitor::lineSelected);
    QTest::mouseClick(monitor->Tile(5), Qt::LeftButton, {}, {40, 40});
    ASSERT_EQ(selected.count(), 1);
    EXPECT_EQ(selected.at(0).at(0).toInt(), 5);
    EXPECT_EQ(monitor->Tile(5)->geometry(), InitialPlace(5)); // a click moves nothing

    env->MonClickTab = false;
    QTest::mouseClick(monitor->Tile(2), Qt::LeftButton, {}, {40, 40});
    EXPECT_EQ(selected.count(), 1);

    // The right button opens the menu instead.
    env->MonClickTab = true;
    QTest::mouseClick(monitor->Tile(2), Qt::RightButton, {}, {40, 40});
    EXPECT_EQ(selected.count(), 1);
    EXPECT_TRUE(monitor->TileMenu()->isVisible());
    EXPECT_TRUE(monitor->LineItem(2)->isChecked());
    monitor->TileMenu()->hide();
}

TEST_F(ColourMonitorTest, TheCurrentLineIsSunkenOnlyWhileStopped)
{
    ColourMonitor* monitor = NewMonitor();
    monitor->show();
    std::array<uint32_t, 8> colors{0x0000FF, 0x00FF00, 0xFF0000, 0x000000, 0xFFFFFF, 0x808080, 0x00FFFF, 0x123456};

    monitor->ShowOutputs(colors, 2, false); // playing
    for (int i = 0; i < 8; ++i) {
        EXPECT_FALSE(monitor->Tile(i)->Highlighted()) << i;
        EXPECT_EQ(monitor->Tile(i)->Color(), colors[size_t(i)]);
    }
    monitor->ShowOutputs(colors, 2, true); // stopped
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(monitor->Tile(i)->Highlighted(), i == 2) << i;

    // What a person sees: the red frame 0x0000FF paints red; the sunken frame sits 2
    // pixels inside the colour of line 3, whose middle stays blue.
    const QImage red = monitor->Tile(0)->grab().toImage();
    EXPECT_EQ(red.pixelColor(50, 50), QColor(255, 0, 0));
    EXPECT_EQ(red.pixelColor(ColourTile::FrameWidth + 1, 50), QColor(255, 0, 0));
    const QImage sunken = monitor->Tile(2)->grab().toImage();
    const int edge = ColourTile::FrameWidth + 2;
    EXPECT_NE(sunken.pixelColor(edge, 50), QColor(0, 0, 255));
    EXPECT_EQ(sunken.pixelColor(edge - 1, 50), QColor(0, 0, 255));
    EXPECT_EQ(sunken.pixelColor(50, 50), QColor(0, 0, 255));

    // Playing again takes the frame away; a hidden monitor is left as it is.
    monitor->ShowOutputs(colors, 2, false);
    EXPECT_FALSE(monitor->Tile(2)->Highlighted());
    monitor->hide();
    colors[0] = 0x00FF00;
    monitor->ShowOutputs(colors, 0, true);
    EXPECT_EQ(monitor->Tile(0)->Color(), 0x0000FFu);
    EXPECT_FALSE(monitor->Tile(0)->Highlighted());
}

TEST_F(ColourMonitorTest, WhileVisibleTheMonitorReadsItsSourceEvery50Ms)
{
    ColourMonitor* monitor = NewMonitor();
    MonitorOutputs engine; // what the engine has now
    engine.Colors[0] = 0x0000FF;
    engine.CurrentLine = 3;
    engine.Stopped = true;
    int reads = 0;
    monitor->SetOutputSource([&] {
        ++reads;
        return engine;
    });
    QTest::qWait(120);
    EXPECT_EQ(reads, 0) << "hidden: nothing is read";

    monitor->show();
    EXPECT_TRUE(monitor->RefreshTimer()->isActive());
    EXPECT_EQ(monitor->RefreshTimer()->interval(), 50);
    ASSERT_TRUE(QTest::qWaitFor([&] { return reads > 0; }, 2000));
    EXPECT_EQ(monitor->Tile(0)->Color(), 0x0000FFu);
    EXPECT_TRUE(monitor->Tile(3)->Highlighted());

    engine.Colors[0] = 0x00FF00;
    engine.Stopped = false;
    const int before = reads;
    ASSERT_TRUE(QTest::qWaitFor([&] { return reads > before; }, 2000));
    EXPECT_EQ(monitor->Tile(0)->Color(), 0x00FF00u);
    EXPECT_FALSE(monitor->Tile(3)->Highlighted());

    monitor->close();
    EXPECT_FALSE(monitor->RefreshTimer()->isActive());
    const int closed = reads;
    QTest::qWait(120);
    EXPECT_EQ(reads, closed);
}

TEST_F(ColourMonitorTest, ArrangementFiles)
{
    ColourMonitor* monitor = NewMonitor();
    monitor->show();
    monitor->Tile(2)->Place({200, 150, 60, 40});
    monitor->LineItem(6)->trigger(); // hides tile 7

    // Saved through the save command, in the project's folder.
    env->PrjFile = dir / "show.PRJ";
    prompts.path = dir / "layout.ARG";
    monitor->SaveArrangeItem()->trigger();
    EXPECT_EQ(prompts.folderSeen, dir.Path());
    const IniFile saved(prompts.path);
    EXPECT_EQ(saved.ReadInteger("ColMon3", "WinLeft", -1), 200);
    EXPECT_FALSE(saved.ReadBool("ColMon7", "Visible", true));
    EXPECT_EQ(saved.ReadString("ColMonForm", "ViewMonLabel", "none"), "none");

    // A file without tile 3's section puts tile 3 at its first place, visible; the
    // labels are not the file's business.
    std::ofstream(dir / "partial.arg") << "[ColMonForm]\nWinLeft=50\nWinTop=60\nWinWidth=500\nWinHeight=400\n"
                                          "[ColMon1]\nWinLeft=5\nWinTop=6\nWinWidth=70\nWinHeight=80\nVisible=0\n";
    monitor->SetLabelsVisible(false);
    prompts.path = dir / "partial.arg";
    monitor->LoadArrangeItem()->trigger();
    EXPECT_EQ(monitor->geometry(), QRect(50, 60, 500, 400));
    EXPECT_EQ(monitor->Tile(0)->geometry(), QRect(5, 6, 70, 80));
    EXPECT_TRUE(monitor->Tile(0)->isHidden());
    EXPECT_EQ(monitor->Tile(2)->geometry(), InitialPlace(2));
    EXPECT_FALSE(monitor->Tile(2)->isHidden());
    EXPECT_FALSE(monitor->Tile(6)->isHidden());
    EXPECT_FALSE(monitor->LabelsVisible());
    EXPECT_EQ(monitor->Tile(0)->Recorded().ClientWidth, 500);

    // A missing file gives the defaults all round: the monitor beside the main window.
    monitor->LoadArrangement(dir / "missing.ARG");
    EXPECT_EQ(monitor->geometry(), QRect(300, 250, 480, 320));
    EXPECT_EQ(monitor->Tile(0)->geometry(), InitialPlace(0));
    EXPECT_FALSE(monitor->Tile(0)->isHidden());

    // Cancelled dialogs change nothing.
    monitor->Tile(4)->Place({1, 2, 30, 40});
    prompts.path.clear();
    monitor->LoadArrangeItem()->trigger();
    EXPECT_EQ(monitor->Tile(4)->geometry(), QRect(1, 2, 30, 40));
}

TEST_F(ColourMonitorTest, AnArrangementFileAtTheIntsLimitsOpensTheMonitorOnAScreen)
{
    ColourMonitor* monitor = NewMonitor();
    monitor->show();
    std::ofstream(dir / "far.ARG") << "[ColMonForm]\nWinLeft=2147483647\nWinTop=2147483000\nWinWidth=2147483647\n"
                                      "WinHeight=2000\n[ColMon1]\nWinLeft=2147483000\nWinWidth=2000\n";
    monitor->LoadArrangement(dir / "far.ARG");
    EXPECT_TRUE(monitor->geometry().intersects(QGuiApplication::primaryScreen()->availableGeometry()))
        << testing::PrintToString(monitor->geometry());
    EXPECT_EQ(monitor->Tile(0)->geometry(), QRect(16777215, 10, 2000, 100));
}

TEST_F(ColourMonitorTest, AFailedSaveIsReported)
{
    RecordingMessages messages;
    ColourMonitor* monitor = NewMonitor();
    EXPECT_FALSE(monitor->SaveArrangement(dir / "no folder/layout.ARG"));
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].kind, "error");
}

TEST_F(ColourMonitorTest, InitialArrangementPutsEveryTileBack)
{
    WriteSettings("[General]\nMonScaled=1\n[ColMon4]\nWinLeft=300\nWinTop=200\nWinWidth=20\nWinHeight=20\n");
    ColourMonitor* monitor = NewMonitor();
    monitor->show();
    monitor->InitialPlacementItem()->trigger();
    EXPECT_EQ(monitor->Tile(3)->geometry(), InitialPlace(3));
    // Recorded as placed: scaling starts from the new place.
    monitor->resize(960, 640);
    EXPECT_EQ(monitor->Tile(3)->geometry(), QRect(680, 20, 200, 200));
}

} // namespace
