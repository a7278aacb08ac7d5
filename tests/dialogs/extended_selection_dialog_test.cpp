// The extended selection window on a show of its own: where steps are plotted on both tabs,
// rectangles dragged with the mouse in both modes, the counter, reset, OK and Cancel.
#include "dialogs/extended_selection_dialog.h"
#include "document/color.h"
#include "settings/ini_file.h"
#include "support/test_support.h"

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

using ::testing::ElementsAre;

namespace {

class ExtendedSelectionDialogTest : public ::testing::Test {
protected:
    void Add(int line, uint32_t color, int32_t brightness, int32_t time, bool selected = false)
    {
        doc.CurrentLine = line;
        // Each line's steps are added in time order: the new one is its last.
        const int count = doc.AddStep(color, brightness, time, 0, false);
        if (selected) {
            const StepPos p[] = {{line, count - 1}};
            doc.SelectSteps(p);
        }
        doc.CurrentLine = 0;
    }
    void Open()
    {
        window = std::make_unique<ExtendedSelectionDialog>(doc, ini);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        W = Plot()->width();
        H = Plot()->height();
        a = std::clamp(std::min(W, H) / 50, 4, 8);
    }
    QWidget* Plot() { return window->Plot(); }
    QPoint At(int line, int index)
    {
        const TStepRec& s = doc.Lines[size_t(line)][size_t(index)];
        return {s.PlotX, s.PlotY};
    }
    // A rectangle dragged over the plot, as a person drags it.
    void Drag(QPoint from, QPoint to)
    {
        QTest::mousePress(Plot(), Qt::LeftButton, {}, from);
        QTest::mouseMove(Plot(), (from + to) / 2);
        QTest::mouseMove(Plot(), to);
        QTest::mouseRelease(Plot(), Qt::LeftButton, {}, to);
    }
    void Around(QPoint p) { Drag(p - QPoint(2, 2), p + QPoint(3, 3)); }
    void Mode(int mode) { window->findChildren<QRadioButton*>()[mode]->click(); }
    QString Counter() { return window->CountLabel()->text(); }
    std::vector<std::pair<int, int>> SelectedSteps()
    {
        std::vector<std::pair<int, int>> out;
        for (int l = 0; l < LineCount; ++l)
            for (size_t i = 0; i < doc.Lines[size_t(l)].size(); ++i)
                if (doc.Lines[size_t(l)][i].Selected)
                    out.emplace_back(l, int(i));
        return out;
    }

    TempDir dir;
    IniFile ini{dir / "lumenrill.INI"};
    PlayGlobals play;
    ProjectData doc{play};
    std::unique_ptr<ExtendedSelectionDialog> window;
    int W = 0, H = 0, a = 0;
};

TEST_F(ExtendedSelectionDialogTest, GreysLieOnTheHueAxisByTheirLevelAndOnTheBottomLine)
{
    Add(0, PackColor(0, 0, 0), 0, 100);
    Add(0, PackColor(128, 128, 128), 255, 200);
    Add(3, PackColor(255, 255, 255), -255, 300);
    Add(5, PackColor(0, 0, 255), 0, 400);
    Open();
    const int plotWidth = W - 4 * a, plotHeight = H - 4 * a, mid = plotHeight / 2;
    EXPECT_EQ(At(0, 0), QPoint(2 * a, H - 2 * a)) << "black at the left edge of the plot area";
    EXPECT_EQ(At(0, 1), QPoint(int(128.0 / 255 * 360 / 360 * plotWidth + 2 * a), H - 2 * a));
    EXPECT_EQ(At(3, 0), QPoint(W - 2 * a, H - 2 * a)) << "white at the right edge";
    EXPECT_EQ(At(5, 0), QPoint(int(240.0 / 360 * plotWidth + 2 * a), 2 * a)) << "pure blue, full saturation";

    // The other tab keeps the hue and plots the brightness.
    window->ModeTabs()->setCurrentIndex(1);
    EXPECT_EQ(At(0, 0), QPoint(2 * a, mid + 2 * a));
    EXPECT_EQ(At(0, 1).y(), 2 * a);
    EXPECT_EQ(At(3, 0), QPoint(W - 2 * a, 2 * mid + 2 * a));

    // Each square shows its colour, on this tab with its brightness.
    QImage image(Plot()->size(), QImage::Format_RGB32);
    Plot()->render(&image);
    EXPECT_EQ(image.pixelColor(At(5, 0)), QColor(0, 0, 255));
    const uint32_t grey = ApplyBrightness(PackColor(128, 128, 128), 255);
    EXPECT_EQ(image.pixelColor(At(0, 1)), QColor(int(grey & 0xFF), int(grey >> 8 & 0xFF), int(grey >> 16 & 0xFF)));
    EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::black));
}

TEST_F(ExtendedSelectionDialogTest, RectanglesKeepOrDropCandidatesOnTheTabTheyAreDrawnOn)
{
    // Two greys that share their place on the saturation tab and part on the brightness tab.
    Add(0, PackColor(128, 128, 128), 200, 100);
    Add(1, PackColor(128, 128, 128), -200, 100);
    Add(2, PackColor(255, 0, 0), 0, 100);
    Add(2, PackColor(0, 255, 0), 0, 200);
    Open();
    EXPECT_EQ(Counter(), "4 points") << "nothing selected: every step is a candidate";

    Around(At(0, 0));
    EXPECT_EQ(Counter(), "2/4 points") << "both greys lie there";
    EXPECT_EQ(window->CandidateList().size(), 2u);

    window->ModeTabs()->setCurrentIndex(1);
    Mode(1);
    Around(At(0, 0));
    EXPECT_EQ(Counter(), "1/4 points") << "on this tab only the bright grey lies there, and it is dropped";
    EXPECT_EQ(window->CandidateList()[0].Line, 1);

    // A rectangle's right and bottom edges are outside it.
    Mode(0);
    const QPoint p = At(1, 0);
    Drag(p - QPoint(4, 4), p);
    EXPECT_EQ(Counter(), "0/4 points");

    window->findChild<QPushButton*>("ResetBtn")->click();
    EXPECT_EQ(Counter(), "4 points");
    Drag(p, p + QPoint(1, 1));
    EXPECT_EQ(Counter(), "1/4 points") << "left and top are inside";

    window->findChild<QPushButton*>("OkButton")->click();
    EXPECT_THAT(SelectedSteps(), ElementsAre(std::make_pair(1, 0)));
}

TEST_F(ExtendedSelectionDialogTest, OnlySelectedStepsAreCandidatesAndCancelKeepsTheSelection)
{
    Add(0, PackColor(255, 0, 0), 0, 100, true);
    Add(0, PackColor(0, 255, 0), 0, 200);
    Add(4, PackColor(0, 0, 255), 0, 300, true);
    Open();
    EXPECT_EQ(Counter(), "2 points");
    Mode(1);
    Around(At(4, 0));
    EXPECT_EQ(Counter(), "1/2 points");
    window->findChild<QPushButton*>("Button1")->click();
    EXPECT_THAT(SelectedSteps(), ElementsAre(std::make_pair(0, 0), std::make_pair(4, 0)));

    // OK after every candidate was dropped leaves nothing selected.
    Open();
    Mode(1);
    Drag({1, 1}, {W - 1, H - 1});
    EXPECT_EQ(Counter(), "0/2 points");
    window->findChild<QPushButton*>("OkButton")->click();
    EXPECT_TRUE(SelectedSteps().empty());
    EXPECT_THAT(ini.ReadInteger("General", "SelExFormWidth", 0), ::testing::Gt(0)) << "placement stored on close";
}

} // namespace
