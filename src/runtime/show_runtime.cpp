#include "runtime/show_runtime.h"

#include "engine/system_audio.h"

ShowRuntime::ShowRuntime(ShowRuntimeOptions options) : options_(std::move(options))
{
    state_ = std::make_unique<EngineState>(play_, options_.Clock ? *options_.Clock : SystemClock());
    audio_ = options_.Audio ? options_.Audio : std::make_shared<SystemAudio>();
    wav_ = std::make_unique<WavSound>();
    doc_ = std::make_unique<ProjectData>(play_);
    play_.LightLatency = ClampLightLatency(options_.LightLatency);
    doc_->CurrentLine = 0;
    for (auto& slot : play_.DmxPatch)
        slot = -1;
    for (auto& colour : state_->LineOutput)
        colour = 0;
    playback_ = std::make_unique<Playback>(*state_, *doc_, *audio_, errors_);
    running_ = options_.Output;
}

ShowRuntime::~ShowRuntime()
{
    if (!closed_)
        Close();
    // The worker has ended; what it used goes after it, the sound reader before the show.
    worker_.reset();
    playback_.reset();
    wav_.reset();
    doc_.reset();
}

bool ShowRuntime::Start()
{
    if (worker_ || closed_)
        return started_;
    worker_ = std::make_unique<OutputWorker>(options_.Platform ? *options_.Platform : SystemOutputPlatform(),
                                             options_.Output.Artnet);
    worker_->Priority = options_.Priority;
    worker_->SetNodeNames(options_.NodeName, options_.NodeName);
    worker_->TickCallback = [playback = playback_.get()](uint8_t* frame) { playback->PlaybackTick(frame); };
    worker_->OutputUniverse = options_.OutputUniverse;
    worker_->OutputEnabled = true;
    if (!worker_->InitError().empty()) {
        if (options_.ReportInitError)
            options_.ReportInitError(worker_->InitError());
        worker_->ClearInitError();
    }
    running_ = options_.Output;
    if (OutputCheck check = worker_->SetSacnOutput(options_.Output.Sacn); !check) {
        if (options_.ReportOutputProblem)
            options_.ReportOutputProblem(check);
        // The fallback is for this run only: the stored setting is the user's, and the
        // interface (a USB adapter, say) may be back at the next start.
        running_.Sacn.Mode = SacnMode::Off;
        if (check.Problem == OutputProblem::Interface) {
            SacnConfig fallback = options_.Output.Sacn;
            fallback.Interface.clear();
            if (worker_->SetSacnOutput(fallback))
                running_.Sacn = fallback;
        }
    }
    if (options_.RequireSocket && !worker_->SocketReady())
        return false;
    worker_->Start();
    worker_->SendPoll();
    started_ = true;
    return true;
}

void ShowRuntime::Close(const ShowRuntimeCloseHooks& hooks)
{
    if (closed_)
        return;
    closed_ = true;
    if (started_) {
        // The lights keep the last look the show played: stopping and closing the player
        // move the position, and no frame may show where it went.
        worker_->OutputEnabled = false;
        RequestAndWait(state_->StopRequest);
        // The player must die on the worker that made it: wait until the request is taken.
        RequestAndWaitTaken(state_->CloseAudioRequest);
    }
    if (hooks.StopDisplay)
        hooks.StopDisplay();
    if (hooks.WriteEngineSettings)
        hooks.WriteEngineSettings();
    if (started_) {
        worker_->Terminate();
        worker_->WaitFor();
    }
    if (hooks.WriteWindowSettings)
        hooks.WriteWindowSettings();
}

void ShowRuntime::CloseAudio()
{
    if (started_)
        RequestAndWaitTaken(state_->CloseAudioRequest);
}

bool ShowRuntime::OpenAudio(const std::string& path, bool waitLong)
{
    CloseAudio();
    state_->SetSoundPath(path);
    state_->SoundLoaded = !path.empty();
    if (path.empty() || !started_)
        return false;
    return waitLong ? RequestAndWaitTaken(state_->OpenAudioRequest) : RequestAndWait(state_->OpenAudioRequest);
}

OutputCheck ShowRuntime::SetOutput(const OutputConfig& output)
{
    if (const OutputCheck check = CheckArtnetConfig(output.Artnet); !check)
        return check;
    if (worker_) {
        if (output.Sacn != options_.Output.Sacn) {
            if (const OutputCheck check = worker_->SetSacnOutput(output.Sacn); !check)
                return check;
            running_.Sacn = output.Sacn;
        }
        if (output.Artnet != options_.Output.Artnet) {
            worker_->SetArtnetOutput(output.Artnet);
            running_.Artnet = output.Artnet;
        }
    } else if (const OutputCheck check = CheckSacnConfig(output.Sacn); !check) {
        return check;
    } else {
        running_ = output;
    }
    options_.Output = output;
    return {};
}
