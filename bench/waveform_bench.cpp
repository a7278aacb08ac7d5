// Speed of a full repaint of both waveform panes (1920 x 360 in all, a one-hour sound) at
// every zoom step and at the scale that fits the whole show, beside a baseline pane that
// finds each column's frames with binary searches of its own and draws it with a line of
// the painter's pen. Both paint the same pixels; the "same_image" counter checks that.
#include "editor/panes/waveform_pane.h"
#include "editor/view_state.h"
#include "editor/waveform_layout.h"
#include "gui_common/colors.h"
#include "sound/wav_sound.h"

#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int Width = 1920;
constexpr int WaveHeight = 360;
constexpr size_t Frames = 360000; // one hour
constexpr int32_t LeadIn = 10000;
constexpr int32_t RunOut = 10000;
constexpr int32_t Total = LeadIn + int32_t(Frames) * 10 + RunOut;
const WaveColors LeftColors{0xC0C0C0, 0x000000, 0x800000};
const WaveColors RightColors{0x00C000, 0x000000, 0x800000};

// Every zoom step, then FitScale.
const std::vector<double> Scales{0.0001, 0.0005, 0.001, 0.005, 0.01, 0.025, 0.05, 0.1,
                                 0.25,   0.5,    1.0,   1.5,   2.0,  4.0};

// The straightforward pane: per column, two binary searches over the frame indexes for the
// frames it covers, then one line of the pen per column.
class BaselinePane : public QWidget {
public:
    BaselinePane(int tag, const ViewState& view, const WavSound& sound, WaveColors colors)
        : tag_(tag), view_(view), sound_(sound), colors_(colors)
    {
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const int scroll = view_.ScrollPosition();
        const int h = height();
        const int half = h / 2;
        const int end = std::min(int(Total * view_.PixelsPerMs()), scroll + width());
        p.fillRect(0, 0, width(), h, palette().color(QPalette::Window));
        p.fillRect(0, 0, end - scroll, h, ToQColor(colors_.Bg));
        const TWavFrmList& frames = sound_.Frames();
        const double offset = view_.Axis().PrePlayTime * view_.PixelsPerMs();
        const double scale = view_.Scale();
        const auto covering = [&](double column) {
            // The first frame index at or past the column's start.
            size_t lo = 0, hi = frames.size();
            while (lo < hi) {
                const size_t mid = (lo + hi) / 2;
                if (double(mid) < std::trunc((column - offset) / scale))
                    lo = mid + 1;
                else
                    hi = mid;
            }
            return lo;
        };
        const QPen fg(ToQColor(colors_.Fg));
        const QPen blank(ToQColor(colors_.Blank));
        for (int x = scroll; x < end; ++x) {
            const double f = (x - offset) / scale;
            if (f < 0 || f >= double(frames.size())) {
                p.setPen(blank);
                p.drawLine(x - scroll, 0, x - scroll, h - 1);
                continue;
            }
            const size_t first = covering(x);
            const size_t last = std::max(first + 1, covering(x + 1));
            int64_t top = INT64_MIN, bottom = INT64_MAX;
            for (size_t k = first; k < last; ++k) {
                const SummaryFrame& s = frames[k];
                top = std::max<int64_t>(top, tag_ == 0 ? s.LeftMax : s.RightMax);
                bottom = std::min<int64_t>(bottom, tag_ == 0 ? s.LeftMin : s.RightMin);
            }
            const int y0 = half - int(double(top) / 32767.0 * half);
            const int y1 = half - int(double(bottom) / 32767.0 * half);
            if (y1 > y0) {
                p.setPen(fg);
                p.drawLine(x - scroll, y0, x - scroll, y1 - 1);
            }
        }
        if (end > scroll) {
            p.setPen(fg);
            p.drawLine(0, half, end - scroll - 1, half);
        }
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
        p.fillRect(view_.PlayCursorX() - scroll, 0, 1, h, Qt::black);
    }

private:
    int tag_;
    const ViewState& view_;
    const WavSound& sound_;
    WaveColors colors_;
};

// A generated hour of music-like peaks, loaded through a waveform file as the program does.
struct Scene {
    Scene()
    {
        std::mt19937 rng(7);
        std::vector<uint8_t> bytes;
        bytes.reserve(Frames * 16);
        const auto put = [&](int32_t v) {
            for (int i = 0; i < 4; ++i)
                bytes.push_back(uint8_t(uint32_t(v) >> (8 * i)));
        };
        double level = 8000;
        for (size_t i = 0; i < Frames; ++i) {
            level = std::clamp(level + std::normal_distribution<double>(0, 600)(rng), 500.0, 32000.0);
            const auto peak = [&] { return int32_t(level * std::uniform_real_distribution<double>(0.6, 1.0)(rng)); };
            put(peak());
            put(-peak());
            put(peak());
            put(-peak());
        }
        char folder[] = "/tmp/lumenrill-bench-XXXXXX";
        folder_ = mkdtemp(folder);
        const std::string path = folder_ + "/hour.wfm";
        FILE* f = std::fopen(path.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
        sound.LoadSummary(path);

        const WaveformLayout layout = LayOutWaveforms(176, StereoBevelHeight, 176, false);
        rightTop = layout.LeftHeight + layout.BevelHeight;
        for (QWidget* w : {static_cast<QWidget*>(&left), static_cast<QWidget*>(&right),
                           static_cast<QWidget*>(&baseLeft), static_cast<QWidget*>(&baseRight)})
            w->resize(Width, layout.LeftHeight);
        left.SetColors(LeftColors);
        right.SetColors(RightColors);
        view.SetTimeline({LeadIn, RunOut, Total, Frames, true});
        view.SetViewportWidth(Width);
    }

    // The play cursor in the middle of the hour, in the middle of the view where the
    // canvas allows.
    void Zoom(double scale)
    {
        view.SetScale(scale, Total / 2);
        view.SetScrollPosition(view.PlayCursorX() - Width / 2);
    }

    QImage Paint(QWidget& l, QWidget& r) const
    {
        QImage image(Width, WaveHeight, QImage::Format_RGB32);
        Repaint(image, l, r);
        return image;
    }

    void Repaint(QImage& image, QWidget& l, QWidget& r) const
    {
        // Both panes paint every pixel themselves, as on screen, where Qt fills nothing
        // under an opaque pane.
        l.render(&image, QPoint(0, 0), QRegion(), QWidget::DrawChildren);
        r.render(&image, QPoint(0, rightTop), QRegion(), QWidget::DrawChildren);
    }

    ~Scene()
    {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }

    std::string folder_;
    WavSound sound;
    ViewState view;
    WaveformPane left{WaveformPane::LeftTag, view, sound};
    WaveformPane right{WaveformPane::RightTag, view, sound};
    BaselinePane baseLeft{0, view, sound, LeftColors};
    BaselinePane baseRight{1, view, sound, RightColors};
    int rightTop = 0;
};

// Made in main, after the application object that its widgets need.
Scene* scene = nullptr;

Scene& TheScene() { return *scene; }

double ScaleOf(const benchmark::State& state)
{
    Scene& s = TheScene();
    const size_t i = size_t(state.range(0));
    return i < Scales.size() ? Scales[i] : s.view.FitScale();
}

void Run(benchmark::State& state, bool baseline)
{
    Scene& s = TheScene();
    const double scale = ScaleOf(state);
    s.Zoom(scale);
    QWidget& l = baseline ? static_cast<QWidget&>(s.baseLeft) : s.left;
    QWidget& r = baseline ? static_cast<QWidget&>(s.baseRight) : s.right;
    QImage image(Width, WaveHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        s.Repaint(image, l, r);
        benchmark::DoNotOptimize(image.constBits());
        benchmark::ClobberMemory();
    }
    state.counters["same_image"] = s.Paint(s.left, s.right) == s.Paint(s.baseLeft, s.baseRight) ? 1 : 0;
    state.SetLabel("scale " + std::to_string(scale) + (state.range(0) == int64_t(Scales.size()) ? " (fit)" : ""));
}

void BM_WaveformRepaint(benchmark::State& state) { Run(state, false); }
void BM_WaveformRepaintBaseline(benchmark::State& state) { Run(state, true); }

BENCHMARK(BM_WaveformRepaint)->DenseRange(0, int(Scales.size()))->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WaveformRepaintBaseline)->DenseRange(0, int(Scales.size()))->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    QApplication app(argc, argv);
    const auto made = std::make_unique<Scene>();
    scene = made.get();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
