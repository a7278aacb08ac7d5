// Start to first paint of the main window: the window is created, shown and started, opens
// the project its settings name (a one-hour sound whose waveform file is cached beside the
// show) and paints the waveform. Beside it, the same steps for a bare main window that
// paints nothing of its own. The player and the network are fakes: this measures the
// window, not the sound server.
#include "output/fake_network.h"
#include "common/messages.h"
#include "common/paths.h"
#include "document/project_data.h"
#include "editor/main_window.h"
#include "editor/panes/waveform_pane.h"
#include "engine/fake_audio.h"
#include "sound/sound_file_time.h"
#include "sound/summary_frame.h"

#include <QApplication>
#include <QEvent>
#include <QMainWindow>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <memory>
#include <vector>

#include <unistd.h>

namespace {

// Counts the paints a widget receives, and those made while `ready` holds.
class PaintCounter : public QObject {
public:
    int paints = 0;
    int readyPaints = 0;
    std::function<bool()> ready;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            if (ready && ready())
                ++readyPaints;
        }
        return false;
    }
};

struct Fixture {
    std::string dir;
    std::string settings;
    Fixture()
    {
        dir = std::filesystem::temp_directory_path() / ("lumenrill-start-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        SetExeDir(dir + "/");
        // A one-hour sound is only named, never read: the summary comes from the cached file.
        const std::string sound = dir + "/hour.wav";
        std::ofstream(sound) << "RIFF";
        // The waveform file: four little-endian int32 per 10 ms.
        std::vector<char> wfm(360000 * SummaryFrameBytes);
        for (size_t i = 0; i < 360000; ++i) {
            const int32_t peaks[4] = {int32_t(i % 20000), -int32_t(i % 15000), int32_t(i % 9000), -300};
            for (int k = 0; k < 4; ++k)
                for (int b = 0; b < 4; ++b)
                    wfm[i * 16 + size_t(k) * 4 + size_t(b)] = char(uint32_t(peaks[k]) >> (8 * b));
        }
        PlayGlobals play;
        ProjectData doc(play);
        doc.SetSoundPath(sound);
        doc.SetSoundFileTime(SoundFileTime(sound));
        doc.FileName = dir + "/show.PRJ";
        doc.SaveProject(false);
        std::ofstream(dir + "/show.wfm", std::ios::binary).write(wfm.data(), std::streamsize(wfm.size()));
        settings = dir + "/lumenrill.INI";
    }
    ~Fixture() { std::filesystem::remove_all(dir); }
};

Fixture* fixture = nullptr;

void BM_MainWindowStartToFirstPaint(benchmark::State& state)
{
    for (auto _ : state) {
        std::ofstream(fixture->settings) << "[Project]\nPrjFile=" << fixture->dir << "/show.PRJ\n";
        FakeNetwork net;
        MainWindowOptions o;
        o.ExeDir = fixture->dir + "/";
        o.SettingsPath = fixture->settings;
        auto audio = std::make_shared<FakeAudio>(SystemClock());
        audio->sounds[fixture->dir + "/hour.wav"] = FakeSound{3600000, {}};
        o.Audio = audio;
        o.Platform = net.Platform();
        auto form = std::make_unique<MainWindow>(std::move(o));
        PaintCounter counter;
        form->LeftWaveform()->installEventFilter(&counter);
        form->resize(1920, 1000);
        form->show();
        // Done when the waveform pane has painted the show's summary.
        counter.ready = [&form] { return form->Started() && form->Session().Sound().FrameCount() > 0; };
        while (counter.readyPaints == 0)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        state.PauseTiming();
        form->close();
        form.reset();
        state.ResumeTiming();
    }
}

void BM_BareWindowStartToFirstPaint(benchmark::State& state)
{
    for (auto _ : state) {
        auto window = std::make_unique<QMainWindow>();
        auto* pane = new QWidget(window.get());
        window->setCentralWidget(pane);
        PaintCounter counter;
        pane->installEventFilter(&counter);
        window->resize(1920, 1000);
        window->show();
        while (counter.paints == 0)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}

BENCHMARK(BM_MainWindowStartToFirstPaint)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_BareWindowStartToFirstPaint)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    QApplication app(argc, argv);
    Fixture made;
    fixture = &made;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
