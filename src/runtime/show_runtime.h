#pragma once
// ShowRuntime: everything a running show needs besides its windows, in one owner: the play
// globals, the document, the engine state, the sound reader, the playback tick with its
// player, the output worker and the errors the worker posts. It builds them up and tears
// them down in a fixed order, so that the worker has ended before anything it uses goes,
// and the player is destroyed on the worker that created it. The desktop program and
// lumenrill-cli play both run on it. User interface thread only, except where noted.

#include "output/output_worker.h"
#include "output/output_config.h"
#include "document/play_globals.h"
#include "document/project_data.h"
#include "engine/engine_state.h"
#include "engine/ms_clock.h"
#include "engine/playback.h"
#include "engine/player.h"
#include "engine/posted_errors.h"
#include "sound/wav_sound.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

struct ShowRuntimeOptions {
    int32_t OutputUniverse = 0; // the Art-Net Port-Address: net x 256 + sub-net x 16 + universe
    OutputConfig Output;        // Art-Net by the automatic rule only unless set
    int32_t DmxInterval = 20;   // the stored DMX interval (ms): kept and written back only
    int32_t LightLatency = 0;   // ms the lights run ahead of the sound; held to -500..500
    ThreadPriority Priority = ThreadPriority::AboveNormal;
    std::string NodeName = "Lumenrill";
    // Start refuses to run the worker without its socket (the command-line player: a show
    // whose frames reach no light is a failure there). The desktop program runs on and
    // shows the network state instead.
    bool RequireSocket = false;
    // Shows the Art-Net set-up failure, once, at Start. None: it is dropped.
    std::function<void(const std::string& text)> ReportInitError;
    // Shows why the stored sACN output could not start, once, at Start. A named interface
    // without an address falls back to the Art-Net address's interface; any other problem
    // leaves sACN off.
    std::function<void(const OutputCheck& problem)> ReportOutputProblem;
    // Where the pieces come from; unset, the system's. Tests put fakes in.
    std::shared_ptr<AudioBackend> Audio;
    std::optional<OutputPlatform> Platform;
    const MsClock* Clock = nullptr;
};

// The window's own steps of the close sequence, run in their place.
struct ShowRuntimeCloseHooks {
    // After the show has stopped and the player is closed: stop the display timer.
    std::function<void()> StopDisplay;
    // While the worker still runs: write the settings that come from the engine and the
    // worker (the output universe among them).
    std::function<void()> WriteEngineSettings;
    // After the worker has ended: the window's remaining settings.
    std::function<void()> WriteWindowSettings;
};

class ShowRuntime {
public:
    // Creates the sound reader, the document (current line 0), the engine state with every
    // DMX slot unpatched and every output colour 0, and the playback tick. No thread yet.
    explicit ShowRuntime(ShowRuntimeOptions options = {});
    // Closes first when Close has not run.
    ~ShowRuntime();
    ShowRuntime(const ShowRuntime&) = delete;
    ShowRuntime& operator=(const ShowRuntime&) = delete;

    // Creates the output worker (which sets up the network) with its priority, node names,
    // tick and output universe, reports a set-up failure, starts it and polls once. From
    // here on frames flow. False (nothing started) only with RequireSocket and no socket.
    bool Start();
    // Stops the show, has the worker close the player and waits until it has, runs the
    // window's hooks, ends the worker and waits for it. Safe to call twice.
    void Close(const ShowRuntimeCloseHooks& hooks = {});

    // What is sent, from the next frame on: both settings together or, refused, neither
    // (the result names the refused value). A part that did not change keeps running as it
    // is: the sACN stream goes on without terminating.
    OutputCheck SetOutput(const OutputConfig& output);
    // The settings as given, and what runs: after a fallback at Start (a missing sACN
    // interface, a refused sACN value) the two differ.
    const OutputConfig& Output() const { return options_.Output; }
    const OutputConfig& RunningOutput() const { return running_; }

    bool Started() const { return started_; }
    bool Closed() const { return closed_; }

    // Closes the player (waiting until the worker has taken the request), then, with a
    // path, makes it the sound and has the worker open it. waitLong: wait until the open
    // has happened (up to about eleven seconds); else as RequestAndWait. Whether the open
    // request was taken.
    void CloseAudio();
    bool OpenAudio(const std::string& path, bool waitLong = false);

    PlayGlobals& Play() { return play_; }
    EngineState& State() { return *state_; }
    const EngineState& State() const { return *state_; }
    ProjectData& Document() { return *doc_; }
    const ProjectData& Document() const { return *doc_; }
    WavSound& Sound() { return *wav_; }
    const WavSound& Sound() const { return *wav_; }
    PostedErrors& Errors() { return errors_; }
    // Null before Start.
    OutputWorker* Worker() { return worker_.get(); }
    const OutputWorker* Worker() const { return worker_.get(); }
    int32_t DmxInterval() const { return options_.DmxInterval; }

private:
    // Declared in the order of creation; members are destroyed in reverse, so the worker
    // goes first and the globals last.
    ShowRuntimeOptions options_;
    PlayGlobals play_;
    std::unique_ptr<EngineState> state_;
    PostedErrors errors_;
    std::shared_ptr<AudioBackend> audio_;
    std::unique_ptr<WavSound> wav_;
    std::unique_ptr<ProjectData> doc_;
    std::unique_ptr<Playback> playback_;
    std::unique_ptr<OutputWorker> worker_;
    OutputConfig running_;
    bool started_ = false;
    bool closed_ = false;
};
