// Speed of a full repaint of the three step panes (the lane, the output strip and the mark
// bar, 1920 x 400 in all) over a line of 100,000 steps, at 0.25 and 1.0 pixels per 10 ms and
// at the scale that fits the whole show, beside baseline panes that evaluate every column
// with a binary search of its own and draw every figure with a painter call. Both paint the
// same pixels; the "same_image" counter checks that.
#include "output/fake_network.h"
#include "document/project_data.h"
#include "gui_common/colors.h"
#include "editor/edit_state.h"
#include "editor/editor_session.h"
#include "editor/panes/lane_view.h"
#include "editor/panes/mark_bar.h"
#include "editor/panes/output_strip.h"
#include "editor/pixel_canvas.h"
#include "editor/view_state.h"
#include "engine/fake_audio.h"
#include "common/time_text.h"

#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <random>

namespace {

constexpr int Width = 1920;
constexpr int LaneHeight = 324;
constexpr int StripHeight = 30;
constexpr int Height = MarkBar::DefaultHeight + LaneHeight + StripHeight; // 400
constexpr size_t Steps = 100000;
constexpr int32_t LeadIn = 10000;
constexpr int32_t RunOut = 10000;
constexpr int32_t SoundLength = 3600000; // one hour
constexpr size_t Frames = SoundLength / 10;
constexpr int32_t Total = LeadIn + SoundLength + RunOut;

const std::vector<double> Scales{0.25, 1.0};

class NoPrompts final : public SessionPrompts {
public:
    std::string SaveProjectPath(const std::string&) override { return {}; }
    std::string OpenProjectPath() override { return {}; }
    void SetBusy(bool) override {}
    std::optional<uint32_t> StepColor(const std::string&, uint32_t) override { return std::nullopt; }
    std::optional<int64_t> StepTime(int32_t) override { return std::nullopt; }
    std::optional<std::string> InputText(const std::string&, const std::string&) override { return std::nullopt; }
};

QColor Q(uint32_t bbggrr) { return ToQColor(bbggrr); }

// The straightforward panes: EvaluateLine's binary search for every column, every step
// from the first, and one painter call per line of every figure.
class Baseline : public QWidget {
public:
    Baseline(EditorSession& session, const ViewState& view) : session_(session), view_(view) {}

protected:
    const TStepList& Line() const { return session_.Document().Lines[0]; }
    int Scroll() const { return view_.ScrollPosition(); }
    int End() const { return std::min(int(Total * view_.PixelsPerMs()), Scroll() + width()); }
    void VLine(QPainter& p, int x, int top, int bottom, uint32_t c) const
    {
        p.setPen(Q(c));
        p.drawLine(x - Scroll(), top, x - Scroll(), bottom - 1);
    }
    void Fill(QPainter& p, const PixelRect& r, QColor c) const
    {
        p.fillRect(r.Left - Scroll(), r.Top, r.Right - r.Left, r.Bottom - r.Top, c);
    }
    void Ring(QPainter& p, const PixelRect& r, QColor topLeft, QColor bottomRight) const
    {
        Fill(p, {r.Left, r.Top, r.Right - 1, r.Top + 1}, topLeft);
        Fill(p, {r.Left, r.Top, r.Left + 1, r.Bottom - 1}, topLeft);
        Fill(p, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, bottomRight);
        Fill(p, {r.Right - 1, r.Top, r.Right, r.Bottom}, bottomRight);
    }
    void Box(QPainter& p, const PixelRect& box, uint32_t fill, bool sunken, bool marked) const
    {
        const auto shade = [](uint32_t pixel) { return QColor::fromRgb(pixel); };
        using namespace EdgeShade;
        Fill(p, box, Q(fill));
        if (sunken) {
            Ring(p, box, shade(Shadow), shade(Highlight));
            Ring(p, box.Inflated(-1), shade(DarkShadow), shade(Light));
        } else {
            Ring(p, box, shade(Light), shade(DarkShadow));
            Ring(p, box.Inflated(-1), shade(Highlight), shade(Shadow));
        }
        if (marked)
            Ring(p, box.Inflated(1), Qt::red, Qt::red);
    }

    EditorSession& session_;
    const ViewState& view_;
};

class BaselineLane : public Baseline {
public:
    using Baseline::Baseline;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const int h = height(), half = h / 2, end = End();
        p.fillRect(rect(), palette().color(QPalette::Window));
        Fill(p, {Scroll(), 0, end, h}, Q(session_.Env().CLinBg));
        Fill(p, {Scroll(), half, end, half + 1}, Q(0xC0C0C0));
        for (int x = Scroll(); x < end; ++x) {
            const ColorPair c = EvaluateSteps(Line(), view_.TimeOfX(x));
            if (c.Color != NoColor) {
                const int e = BandOffset(c.Brightness, half);
                VLine(p, x, half - e - 8, half - e + 8, ApplyBrightness(c.Color, c.Brightness));
            }
        }
        const int current = session_.Edit().CurrentStep();
        p.setClipRect(0, 0, end - Scroll(), h);
        for (size_t i = 0; i < Line().size(); ++i) {
            const TStepRec& s = Line()[i];
            const int x = view_.XOfTime(s.Time);
            if (x < Scroll() - 8)
                continue;
            if (x > end + 8)
                break;
            Box(p, BoxAround(x, RowOfBrightness(s.Brightness, h)), ApplyBrightness(s.Color, s.Brightness),
                int(i) == current, s.Selected || int(i) == current);
        }
        p.setClipping(false);
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
        p.fillRect(view_.PlayCursorX() - Scroll(), 0, 1, h, Qt::black);
    }
};

class BaselineStrip : public Baseline {
public:
    using Baseline::Baseline;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const int end = End();
        p.fillRect(rect(), palette().color(QPalette::Window));
        Fill(p, {Scroll(), 0, end, height()}, Qt::black);
        for (int x = Scroll(); x < end; ++x) {
            const ColorPair c = EvaluateSteps(Line(), view_.TimeOfX(x));
            if (c.Color != NoColor)
                VLine(p, x, 0, height(), ApplyBrightness(c.Color, c.Brightness));
        }
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
        p.fillRect(view_.PlayCursorX() - Scroll(), 0, 1, height(), Qt::black);
    }
};

class BaselineMarkBar : public Baseline {
public:
    using Baseline::Baseline;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const EnvData& env = session_.Env();
        const int rt = Scroll() + width();
        Fill(p, {Scroll(), 0, rt, height()}, Q(env.TLinBg));
        const double scale = view_.Scale();
        const double lead = LeadIn * view_.PixelsPerMs();
        const int b = scale >= 0.1 ? 100 : scale >= 0.01 ? 1000 : 6000;
        const int m = b == 100 ? 1000 : b == 1000 ? 6000 : 60000;
        double x0 = Scroll() - std::fmod(double(Scroll()), b * scale);
        if (lead < b * scale)
            x0 -= b * scale - lead;
        double t0 = (x0 - lead) / scale;
        QFont font = this->font();
        font.setPixelSize(12);
        p.setFont(font);
        for (; int(x0) < std::min(Scroll() + width() + 4, rt); x0 += b * scale, t0 += b) {
            const int xi = int(x0);
            if (xi < 0)
                continue;
            const bool major = t0 >= 0 && int(t0) % m == 0;
            VLine(p, xi, 0, major ? 10 : 6, env.TLinFg);
            if (major || scale >= 1.0) {
                p.setPen(Q(env.TLinFg));
                p.drawText(QRect(xi - 4 - Scroll(), 12, 200, 16), Qt::AlignLeft | Qt::AlignTop,
                           QString::fromStdString(RulerText(int(t0 * 0.01))));
            }
        }
        const int current = session_.Edit().CurrentStep();
        for (size_t i = 0; i < Line().size(); ++i) {
            const TStepRec& s = Line()[i];
            const int x = view_.XOfTime(s.Time);
            if (x < Scroll() - 8)
                continue;
            if (x > rt + 8)
                break;
            Box(p, MarkerBox(x), s.Color, int(i) == current, s.Selected || int(i) == current);
            VLine(p, x, 23, 27, env.TLinFg);
        }
    }
};

// An hour of steps on line 1, about one every 36 ms, in varied colours and brightnesses, some
// selected, in a session on a fake network and a fake player.
struct Scene {
    Scene()
    {
        char folder[] = "/tmp/lumenrill-bench-XXXXXX";
        folder_ = mkdtemp(folder);
        EditorSessionOptions o;
        o.ExeDir = folder_ + "/";
        o.SettingsPath = folder_ + "/lumenrill.INI";
        o.Audio = std::make_shared<FakeAudio>(SystemClock());
        o.Platform = net.Platform();
        session = std::make_unique<EditorSession>(std::move(o), prompts);

        std::mt19937 rng(11);
        // The benchmark lays out its show directly, as a file it opened would.
        TStepList& line = const_cast<ProjectData&>(session->Document()).Lines[0];
        line.resize(Steps);
        for (size_t i = 0; i < Steps; ++i) {
            TStepRec& s = line[i];
            s.Time = int32_t(i * SoundLength / Steps + rng() % 20);
            s.Color = rng() & 0xFFFFFF;
            s.Brightness = int32_t(rng() % 511) - 255;
            s.Selected = rng() % 50 == 0;
        }
        session->FocusStep(int(Steps / 2), StepFocus::Quiet);

        view.SetTimeline({LeadIn, RunOut, Total, Frames, true});
        view.SetViewportWidth(Width);
        lane = std::make_unique<LaneView>(*session, view);
        strip = std::make_unique<OutputStrip>(*session, view);
        bar = std::make_unique<MarkBar>(*session, view);
        baseLane = std::make_unique<BaselineLane>(*session, view);
        baseStrip = std::make_unique<BaselineStrip>(*session, view);
        baseBar = std::make_unique<BaselineMarkBar>(*session, view);
        for (QWidget* w : {static_cast<QWidget*>(lane.get()), static_cast<QWidget*>(baseLane.get())})
            w->resize(Width, LaneHeight);
        for (QWidget* w : {static_cast<QWidget*>(strip.get()), static_cast<QWidget*>(baseStrip.get())})
            w->resize(Width, StripHeight);
        baseBar->resize(Width, MarkBar::DefaultHeight);
        bar->resize(Width, MarkBar::DefaultHeight);
    }

    ~Scene()
    {
        lane.reset();
        strip.reset();
        bar.reset();
        session.reset();
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }

    // The view around the middle of the hour.
    void Zoom(double scale)
    {
        view.SetScale(scale, SoundLength / 2);
        view.SetScrollPosition(view.PlayCursorX() - Width / 2);
    }

    void Repaint(QImage& image, bool baseline)
    {
        QWidget* panes[3] = {baseline ? static_cast<QWidget*>(baseBar.get()) : bar.get(),
                             baseline ? static_cast<QWidget*>(baseLane.get()) : lane.get(),
                             baseline ? static_cast<QWidget*>(baseStrip.get()) : strip.get()};
        int y = 0;
        for (QWidget* w : panes) {
            w->render(&image, QPoint(0, y), QRegion(), QWidget::DrawChildren);
            y += w->height();
        }
    }

    QImage Paint(bool baseline)
    {
        QImage image(Width, Height, QImage::Format_RGB32);
        Repaint(image, baseline);
        return image;
    }

    std::string folder_;
    FakeNetwork net;
    NoPrompts prompts;
    std::unique_ptr<EditorSession> session;
    ViewState view;
    std::unique_ptr<LaneView> lane;
    std::unique_ptr<OutputStrip> strip;
    std::unique_ptr<MarkBar> bar;
    std::unique_ptr<BaselineLane> baseLane;
    std::unique_ptr<BaselineStrip> baseStrip;
    std::unique_ptr<BaselineMarkBar> baseBar;
};

Scene* scene = nullptr;

void Run(benchmark::State& state, bool baseline)
{
    Scene& s = *scene;
    const size_t i = size_t(state.range(0));
    const double scale = i < Scales.size() ? Scales[i] : s.view.FitScale();
    s.Zoom(scale);
    QImage image(Width, Height, QImage::Format_RGB32);
    for (auto _ : state) {
        s.Repaint(image, baseline);
        benchmark::DoNotOptimize(image.constBits());
        benchmark::ClobberMemory();
    }
    state.counters["same_image"] = s.Paint(false) == s.Paint(true) ? 1 : 0;
    state.SetLabel("scale " + std::to_string(scale) + (i == Scales.size() ? " (fit)" : ""));
}

void BM_StepPanesRepaint(benchmark::State& state) { Run(state, false); }
void BM_StepPanesRepaintBaseline(benchmark::State& state) { Run(state, true); }

BENCHMARK(BM_StepPanesRepaint)->DenseRange(0, int(Scales.size()))->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StepPanesRepaintBaseline)->DenseRange(0, int(Scales.size()))->Unit(benchmark::kMillisecond);

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
