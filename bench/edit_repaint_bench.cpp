// From an edit to the repainted panes of the main window: a step's brightness dragged on the
// lane, a paste at the play position and an undo, on a show of 100,000 steps on line 1 (and
// a few thousand on the others) over a one-hour sound, the window 1920 x 1000 at 1 pixel per
// 10 ms in the middle of the show. Beside them one display tick of the stopped show, in
// which nothing changes. Each case times the edit and every paint it sets off, and counts
// the paint events per edit, in all and by kind of widget. The player and the network are
// fakes: this measures the window, not the sound server.
#include "output/fake_network.h"
#include "common/paths.h"
#include "document/project_data.h"
#include "editor/actions.h"
#include "editor/canvas_rows.h"
#include "editor/edit_state.h"
#include "editor/main_window.h"
#include "editor/panes/lane_view.h"
#include "editor/panes/mark_bar.h"
#include "editor/panes/output_strip.h"
#include "editor/panes/reference_view.h"
#include "editor/panes/waveform_pane.h"
#include "editor/view_state.h"
#include "engine/fake_audio.h"
#include "sound/sound_file_time.h"
#include "sound/summary_frame.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMouseEvent>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

// How this file reaches into the main window. Everything below goes through these.

using MainWindowType = MainWindow;

QAction* CommandAction(MainWindowType& window, Command command) { return window.Actions().Get(command); }

EditorSession& SessionOf(MainWindowType& window) { return window.Session(); }
// The benchmark lays out its show directly, as a file it opened would.
ProjectData& DocumentOf(EditorSession& session) { return const_cast<ProjectData&>(session.Document()); }
ViewState& ViewOf(MainWindowType& window) { return window.View(); }
LaneView* LaneOf(MainWindowType& window) { return window.Rows()->Lane(); }
bool WindowStarted(const MainWindowType& window) { return window.Started(); }
void DisplayTick(MainWindowType& window) { window.DisplayTick(); }
// The timer that runs DisplayTick; stopped here so that only the benchmark ticks.
QTimer* DisplayTimer(MainWindowType& window) { return window.DisplayTimer(); }
// Lays the view out again for the window's width after the show opened.
void ApplyScale(MainWindowType& window) { window.ApplyScale(); }

// The counter name part for a painted widget: the canvas panes by a short name, any other
// widget by its class.
std::string PaintedKind(const QObject* widget)
{
    if (qobject_cast<const WaveformPane*>(widget))
        return "waveform";
    if (qobject_cast<const LaneView*>(widget))
        return "lane";
    if (qobject_cast<const MarkBar*>(widget))
        return "mark_bar";
    if (qobject_cast<const OutputStrip*>(widget))
        return "strip";
    if (qobject_cast<const ReferenceView*>(widget))
        return "reference";
    return widget->metaObject()->className();
}

// The show.

constexpr int Width = 1920;
constexpr int Height = 1000;
constexpr size_t Steps = 100000;
constexpr size_t OtherLineSteps = 500; // on each of lines 2 to 8
constexpr int32_t SoundLength = 3600000;
constexpr int32_t Middle = SoundLength / 2;
// The play position: a little right of the middle, so that pasted steps land in view but
// not on the dragged one.
constexpr int32_t PlayPosition = Middle + 2000;
// The dragged step and the copied ones, about the middle of the view.
constexpr int DraggedStep = int(Steps / 2);
constexpr int FirstCopied = DraggedStep + 10;
constexpr int CopiedSteps = 5;

// Counts the paint events widgets receive while armed, in all and by kind (a widget painted
// in two rounds of one flush counts twice); `seen` counts every paint, armed or not, to tell
// when a flush is done.
class PaintCounter : public QObject {
public:
    bool armed = false;
    long seen = 0;
    long total = 0;
    std::map<std::string, long> byKind;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            ++seen;
            if (armed) {
                ++total;
                ++byKind[PaintedKind(watched)];
            }
        }
        return false;
    }

    void Reset()
    {
        total = 0;
        byKind.clear();
    }

    void Report(benchmark::State& state) const
    {
        state.counters["painted_widgets"] = benchmark::Counter(double(total), benchmark::Counter::kAvgIterations);
        for (const auto& [kind, count] : byKind)
            state.counters["painted_" + kind] = benchmark::Counter(double(count), benchmark::Counter::kAvgIterations);
    }
};

PaintCounter* paints = nullptr;

// Delivers the pending updates, and all they set off, until a round paints nothing more.
// Offscreen, the backing store paints the dirty widgets when its posted UpdateRequest
// arrives; processEvents then runs what those paints queued.
void FlushPaints()
{
    long before;
    do {
        before = paints->seen;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        QApplication::processEvents();
    } while (paints->seen != before);
}

bool WaitFor(const std::function<bool()>& done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

void SendMouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent e(type, QPointF(p), w->mapToGlobal(QPointF(p)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

struct Scene {
    std::string dir;
    std::string sound;
    FakeNetwork net;
    std::shared_ptr<FakeAudio> audio = std::make_shared<FakeAudio>(SystemClock());
    std::unique_ptr<MainWindowType> window;

    Scene()
    {
        dir = std::filesystem::temp_directory_path() / ("lumenrill-edit-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        SetExeDir(dir + "/");
        // The sound is only named, never read: the summary comes from the cached file.
        sound = dir + "/hour.wav";
        std::ofstream(sound) << "RIFF";
        WriteShow();
        WriteSummary();
        std::ofstream(dir + "/lumenrill.INI") << "[Project]\nPrjFile=" << dir << "/show.PRJ\n";
    }

    ~Scene()
    {
        if (window)
            window->close();
        window.reset();
        std::filesystem::remove_all(dir);
    }

    // Steps about every 36 ms on line 1 in varied colours and brightnesses (never at the
    // limits, so that a drag always changes one), fewer on the other lines.
    void WriteShow() const
    {
        PlayGlobals play;
        ProjectData doc(play);
        doc.SetSoundPath(sound);
        doc.SetSoundFileTime(SoundFileTime(sound));
        doc.SetNewShowPatch();
        std::mt19937 rng(7);
        for (int l = 0; l < LineCount; ++l) {
            const size_t count = l == 0 ? Steps : OtherLineSteps;
            TStepList& line = doc.Lines[size_t(l)];
            line.resize(count);
            for (size_t i = 0; i < count; ++i) {
                TStepRec& s = line[i];
                s.Line = l;
                s.Time = int32_t(int64_t(i) * SoundLength / int64_t(count) + rng() % 20);
                s.Color = rng() & 0xFFFFFF;
                s.Brightness = int32_t(rng() % 401) - 200;
            }
        }
        doc.Normalize();
        doc.FileName = dir + "/show.PRJ";
        doc.SaveProject(false);
    }

    // The waveform file: four little-endian int32 per 10 ms.
    void WriteSummary() const
    {
        const size_t frames = SoundLength / 10;
        std::vector<char> wfm(frames * SummaryFrameBytes);
        for (size_t i = 0; i < frames; ++i) {
            const int32_t peaks[4] = {int32_t(i % 20000), -int32_t(i % 15000), int32_t(i % 9000), -300};
            for (int k = 0; k < 4; ++k)
                for (int b = 0; b < 4; ++b)
                    wfm[i * 16 + size_t(k) * 4 + size_t(b)] = char(uint32_t(peaks[k]) >> (8 * b));
        }
        std::ofstream(dir + "/show.wfm", std::ios::binary).write(wfm.data(), std::streamsize(wfm.size()));
    }

    // Shows and starts the window on the show, and puts the view and the play position in
    // the middle of the hour. Empty on success, else what failed.
    std::string Open()
    {
        audio->sounds[sound] = FakeSound{SoundLength, {}};
        MainWindowOptions o;
        o.ExeDir = dir + "/";
        o.SettingsPath = dir + "/lumenrill.INI";
        o.Audio = audio;
        o.Platform = net.Platform();
        window = std::make_unique<MainWindowType>(std::move(o));
        window->show();
        MainWindowType& w = *window;
        EditorSession& s = SessionOf(w);
        if (!WaitFor([&] { return WindowStarted(w); }, 10000))
            return "the window did not start";
        // The window places itself within the screen when shown, and the offscreen screen is
        // 800 x 600: the size is set afterwards.
        window->resize(Width, Height);
        FlushPaints();
        if (window->width() != Width || window->height() != Height)
            return "the window is not " + std::to_string(Width) + " x " + std::to_string(Height);
        if (!WaitFor([&] { return s.SoundLoaded() && s.State().Play.SoundDuration == SoundLength; }, 10000))
            return "the sound did not load";
        if (s.Document().Lines[0].size() != Steps)
            return "the show did not open";
        DisplayTimer(w)->stop();
        s.Player().ScrubTo(PlayPosition);
        if (!WaitFor([&] { return s.State().Play.PlayPosition == PlayPosition; }, 5000))
            return "the play position did not move";
        ApplyScale(w);
        ViewState& view = ViewOf(w);
        view.SetScale(1.0, PlayPosition);
        view.SetScrollPosition(view.XOfTime(Middle) - view.ViewportWidth() / 2);
        DisplayTick(w); // the play cursor follows the play position
        DocumentOf(s).ClearUndo();
        FlushPaints();
        return {};
    }

    EditorSession& Session() { return SessionOf(*window); }
    TStepList& Line() { return DocumentOf(Session()).Lines[0]; }

    // Runs a command as the user's shortcut does; false when it was disabled.
    bool Run(Command command)
    {
        QAction* action = CommandAction(*window, command);
        if (!action || !action->isEnabled())
            return false;
        action->trigger();
        return true;
    }
};

Scene* scene = nullptr;

// Stops the benchmark when a setup step or the edit itself did not take effect: an edit that
// did nothing would be timed as a fast one.
bool Check(benchmark::State& state, bool ok, const char* what)
{
    if (!ok)
        state.SkipWithError(what);
    return ok;
}

// Press on the step's box, move 5 px up (timed), release; the undo made at the press puts
// the show back. Live display of drags is off, as by default: the lane paints the lines as
// they were at the press, with the outlines of the dragged steps on top.
void BM_DragStepBrightness(benchmark::State& state)
{
    Scene& sc = *scene;
    LaneView* lane = LaneOf(*sc.window);
    const PixelRect box = lane->StepBoxOf(DraggedStep);
    const QPoint centre((box.Left + box.Right) / 2 - ViewOf(*sc.window).ScrollPosition(), (box.Top + box.Bottom) / 2);
    const QPoint up = centre - QPoint(0, 5);
    paints->Reset();
    for (auto _ : state) {
        state.PauseTiming();
        SendMouse(lane, QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
        FlushPaints();
        const int dragged = sc.Session().Edit().CurrentStep();
        if (!Check(state, dragged >= 0 && sc.Session().Edit().Dragging(), "the press started no drag"))
            break;
        const int32_t before = sc.Line()[size_t(dragged)].Brightness;
        state.ResumeTiming();

        paints->armed = true;
        SendMouse(lane, QEvent::MouseMove, up, Qt::NoButton, Qt::LeftButton);
        FlushPaints();
        paints->armed = false;

        state.PauseTiming();
        const bool moved = sc.Line()[size_t(dragged)].Brightness != before;
        SendMouse(lane, QEvent::MouseButtonRelease, up, Qt::LeftButton, Qt::NoButton);
        const bool undone = sc.Run(Command::Undo);
        FlushPaints();
        if (!Check(state, moved, "the move changed no brightness") || !Check(state, undone, "no undo after the drag") ||
            !Check(state, sc.Line()[size_t(dragged)].Brightness == before, "the undo did not restore the step"))
            break;
        state.ResumeTiming();
    }
    paints->Report(state);
}

// Selects a few steps and copies them; the paste goes to the play position.
bool CopySteps(benchmark::State& state)
{
    Scene& sc = *scene;
    std::vector<StepPos> steps;
    for (int i = 0; i < CopiedSteps; ++i)
        steps.push_back({0, FirstCopied + i});
    DocumentOf(sc.Session()).SelectOnly(steps);
    const bool copied = sc.Run(Command::Copy);
    FlushPaints();
    return Check(state, copied && sc.Session().Document().LineClipboard.size() == CopiedSteps, "no steps copied");
}

void BM_PasteSteps(benchmark::State& state)
{
    Scene& sc = *scene;
    if (!CopySteps(state))
        return;
    paints->Reset();
    for (auto _ : state) {
        paints->armed = true;
        const bool pasted = sc.Run(Command::Paste);
        FlushPaints();
        paints->armed = false;

        state.PauseTiming();
        const bool added = sc.Line().size() == Steps + CopiedSteps;
        const bool undone = sc.Run(Command::Undo);
        FlushPaints();
        if (!Check(state, pasted && added, "the paste added no steps") ||
            !Check(state, undone && sc.Line().size() == Steps, "the undo did not remove the pasted steps"))
            break;
        state.ResumeTiming();
    }
    paints->Report(state);
}

// Undoes the paste made before it.
void BM_UndoPaste(benchmark::State& state)
{
    Scene& sc = *scene;
    if (!CopySteps(state))
        return;
    paints->Reset();
    for (auto _ : state) {
        state.PauseTiming();
        const bool pasted = sc.Run(Command::Paste);
        FlushPaints();
        if (!Check(state, pasted && sc.Line().size() == Steps + CopiedSteps, "the paste added no steps"))
            break;
        state.ResumeTiming();

        paints->armed = true;
        const bool undone = sc.Run(Command::Undo);
        FlushPaints();
        paints->armed = false;

        state.PauseTiming();
        if (!Check(state, undone && sc.Line().size() == Steps, "the undo did not remove the pasted steps"))
            break;
        state.ResumeTiming();
    }
    paints->Report(state);
}

// The display timer's work while the show is stopped and nothing changes: ideally it paints
// nothing.
void BM_IdleDisplayTick(benchmark::State& state)
{
    paints->Reset();
    for (auto _ : state) {
        paints->armed = true;
        DisplayTick(*scene->window);
        FlushPaints();
        paints->armed = false;
    }
    paints->Report(state);
}

BENCHMARK(BM_DragStepBrightness)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasteSteps)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoPaste)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IdleDisplayTick)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    QApplication app(argc, argv);
    PaintCounter counter;
    app.installEventFilter(&counter);
    paints = &counter;
    Scene made;
    scene = &made;
    if (const std::string failed = made.Open(); !failed.empty()) {
        std::fprintf(stderr, "edit_repaint_bench: %s\n", failed.c_str());
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
