// The waveform panes painted offscreen into images, and their mouse signals.
#include "editor/panes/waveform_pane.h"
#include "editor/view_state.h"
#include "sound/wav_sound.h"
#include "support/test_support.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

const QColor Red(255, 0, 0);
const QColor Green(0, 255, 0);
const QColor Black(0, 0, 0);
const QColor Navy(0, 0, 128); // BlankBg 0x800000

// A 3 s sound between 1 s of lead-in and 1 s of run-out, at 1 pixel per 10 ms: the lead-in
// is canvas x 0..99, the sound 100..399, the run-out 400..499. Panes 200 x 40, centre row 20.
class WaveformPaneTest : public testing::Test {
protected:
    void SetUp() override
    {
        Load(std::vector<SummaryFrame>(300, SummaryFrame{16383, -16384, 8000, -8000}));
        view.SetViewportWidth(200);
        view.SetScale(1.0, 0);
        view.SetScrollPosition(0);
        view.SetPlayCursorX(1000); // out of sight unless a test brings it in
        left.SetColors({0x0000FF, 0x000000, 0x800000});
        right.SetColors({0x00FF00, 0x000000, 0x800000});
        left.resize(200, 40);
        right.resize(200, 40);
    }

    // Through a waveform file, as the program loads a summary.
    void Load(const std::vector<SummaryFrame>& frames)
    {
        Bytes bytes(frames.size() * 16);
        for (size_t i = 0; i < frames.size(); ++i) {
            PutI32(bytes, i * 16, frames[i].LeftMax);
            PutI32(bytes, i * 16 + 4, frames[i].LeftMin);
            PutI32(bytes, i * 16 + 8, frames[i].RightMax);
            PutI32(bytes, i * 16 + 12, frames[i].RightMin);
        }
        WriteBytes(dir / "show.wfm", bytes);
        ASSERT_EQ(sound.LoadSummary(dir / "show.wfm"), int(frames.size()));
        view.SetTimeline({1000, 1000, 5000, frames.size(), true});
        view.ApplyScale(0);
    }

    static QImage Render(QWidget& pane)
    {
        QImage image(pane.size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        pane.render(&image);
        return image;
    }

    static QColor At(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

    TempDir dir;
    WavSound sound;
    ViewState view;
    WaveformPane left{WaveformPane::LeftTag, view, sound};
    WaveformPane right{WaveformPane::RightTag, view, sound};
};

} // namespace

TEST_F(WaveformPaneTest, StereoColumnsInsideAndOutsideTheSound)
{
    const QImage l = Render(left);
    // Column 150 shows frame 50: from row 11 (16383) down to row 30 (-16384), without row 30.
    EXPECT_EQ(At(l, 150, 10), Black);
    EXPECT_EQ(At(l, 150, 11), Red); // 0x0000FF is red
    EXPECT_EQ(At(l, 150, 29), Red);
    EXPECT_EQ(At(l, 150, 30), Black);
    // The lead-in: BlankBg over the whole height, the centre line across it.
    EXPECT_EQ(At(l, 50, 5), Navy);
    EXPECT_EQ(At(l, 50, 39), Navy);
    EXPECT_EQ(At(l, 50, 20), Red);
    EXPECT_EQ(At(l, 99, 5), Navy);
    EXPECT_EQ(At(l, 100, 5), Black);

    const QImage r = Render(right);
    EXPECT_EQ(At(r, 150, 15), Black);
    EXPECT_EQ(At(r, 150, 16), Green);
    EXPECT_EQ(At(r, 150, 23), Green);
    EXPECT_EQ(At(r, 150, 24), Black);

    // Scrolled to the end: the run-out is blank up to the timeline's end.
    view.SetScrollPosition(300);
    const QImage end = Render(left);
    EXPECT_EQ(At(end, 99, 15), Red);  // canvas 399, the last frame
    EXPECT_EQ(At(end, 100, 5), Navy); // canvas 400
    EXPECT_EQ(At(end, 199, 5), Navy);

    view.SetTimeline({1000, 1000, 5000, 300, false});
    view.ApplyScale(0);
    const QImage unloaded = Render(left);
    EXPECT_EQ(At(unloaded, 150, 15), left.palette().color(QPalette::Window));
}

// Mono display: the left pane shows no columns; the right pane the average of both channels.
TEST_F(WaveformPaneTest, MonoShowsTheAverageOnTheRight)
{
    view.SetMonoDisplay(true);
    const QImage l = Render(left);
    EXPECT_EQ(At(l, 150, 15), Black);
    EXPECT_EQ(At(l, 50, 5), Black); // not even the blank lead-in
    EXPECT_EQ(At(l, 150, 20), Red);

    const QImage r = Render(right);
    EXPECT_EQ(At(r, 150, 12), Black); // (16383 + 8000) / 2 reaches row 13
    EXPECT_EQ(At(r, 150, 13), Green);
    EXPECT_EQ(At(r, 150, 26), Green); // (-16384 - 8000) / 2 ends before row 27
    EXPECT_EQ(At(r, 150, 27), Black);
}

// Zoomed out to ten frames a column, a single loud frame still shows in its column.
TEST_F(WaveformPaneTest, AColumnShowsThePeaksOfEveryFrameItCovers)
{
    std::vector<SummaryFrame> frames(300);
    frames[155] = {32767, 0, 0, 0};
    Load(frames);
    view.SetScale(0.1, 0); // the sound is canvas x 10..39, column 25 covers frames 150..159
    const QImage l = Render(left);
    EXPECT_EQ(At(l, 25, 0), Red);
    EXPECT_EQ(At(l, 25, 19), Red);
    EXPECT_EQ(At(l, 24, 5), Black);
    EXPECT_EQ(At(l, 26, 5), Black);
    EXPECT_EQ(At(l, 30, 20), Red);
    EXPECT_EQ(At(l, 60, 20), left.palette().color(QPalette::Window)); // past the timeline
}

TEST_F(WaveformPaneTest, CursorAndStepLineInvertAndLeaveNoTrace)
{
    const QImage plain = Render(left);
    view.SetPlayCursorX(150);
    view.SetStepLineX(160);
    const QImage marked = Render(left);
    for (int y = 0; y < 40; ++y) {
        SCOPED_TRACE(y);
        const QRgb under = plain.pixel(150, y) & 0xFFFFFF;
        EXPECT_EQ(marked.pixel(150, y) & 0xFFFFFF, ~under & 0xFFFFFF);
        const QRgb dotted = plain.pixel(160, y) & 0xFFFFFF;
        EXPECT_EQ(marked.pixel(160, y) & 0xFFFFFF, y % 2 == 0 ? ~dotted & 0xFFFFFF : dotted);
        EXPECT_EQ(marked.pixel(151, y), plain.pixel(151, y));
    }
    view.SetPlayCursorX(1000);
    view.SetStepLineX(ViewState::NoStepLine);
    EXPECT_EQ(Render(left), plain);
}

namespace {

void Send(QWidget& w, QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons held)
{
    const QPoint global(500, 300);
    QMouseEvent event(type, QPointF(local), QPointF(global), button, held, Qt::NoModifier);
    QApplication::sendEvent(&w, &event);
}

} // namespace

TEST_F(WaveformPaneTest, ClickSeeksAndDragScrubs)
{
    std::vector<std::pair<int, int32_t>> seeks, scrubs;
    std::vector<QPoint> menus;
    QObject::connect(&left, &WaveformPane::seekRequested, [&](int x, int32_t t) { seeks.emplace_back(x, t); });
    QObject::connect(&left, &WaveformPane::scrubRequested, [&](int x, int32_t t) { scrubs.emplace_back(x, t); });
    QObject::connect(&left, &WaveformPane::contextMenuRequested, [&](const QPoint& p) { menus.push_back(p); });
    view.SetScrollPosition(100);

    Send(left, QEvent::MouseButtonPress, {55, 10}, Qt::LeftButton, Qt::LeftButton);
    Send(left, QEvent::MouseMove, {65, 10}, Qt::NoButton, Qt::LeftButton);
    Send(left, QEvent::MouseMove, {-300, 10}, Qt::NoButton, Qt::LeftButton); // before the canvas
    Send(left, QEvent::MouseButtonRelease, {65, 10}, Qt::LeftButton, Qt::NoButton);
    Send(left, QEvent::MouseMove, {75, 10}, Qt::NoButton, Qt::NoButton);
    Send(left, QEvent::MouseButtonPress, {10, 5}, Qt::RightButton, Qt::RightButton);
    Send(left, QEvent::MouseMove, {20, 5}, Qt::NoButton, Qt::RightButton);

    using Hits = std::vector<std::pair<int, int32_t>>;
    EXPECT_EQ(seeks, (Hits{{155, 550}}));
    EXPECT_EQ(scrubs, (Hits{{165, 650}, {0, -1000}}));
    EXPECT_EQ(menus, std::vector<QPoint>{QPoint(502, 300)});

    sound.ClearSummary();
    Send(left, QEvent::MouseButtonPress, {55, 10}, Qt::LeftButton, Qt::LeftButton);
    Send(left, QEvent::MouseMove, {65, 10}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(seeks.size(), 1u);
    EXPECT_EQ(scrubs.size(), 2u);
}
