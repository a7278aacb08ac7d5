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
}

ShowRuntime::~ShowRuntime()
{
    if (!closed_)
        Close();
    // The worker has ended; what it used goes after it, the sound reader before the show.
    artnet_.reset();
    playback_.reset();
    wav_.reset();
    doc_.reset();
}

bool ShowRuntime::Start()
{
    if (artnet_ || closed_)
        return started_;
    artnet_ = std::make_unique<TArtnetThread>(options_.Platform ? *options_.Platform : SystemArtnetPlatform());
    artnet_->Priority = options_.Priority;
    artnet_->SetNodeNames(options_.NodeName, options_.NodeName);
    artnet_->TickCallback = [playback = playback_.get()](uint8_t* frame) { playback->PlaybackTick(frame); };
    artnet_->OutputUniverse = options_.OutputUniverse;
    artnet_->OutputEnabled = true;
    if (!artnet_->InitError().empty()) {
        if (options_.ReportInitError)
            options_.ReportInitError(artnet_->InitError());
        artnet_->ClearInitError();
    }
    artnet_->ArtnetOutput = options_.Output.Artnet;
    if (OutputCheck check = artnet_->SetSacnOutput(options_.Output.Sacn); !check) {
        if (options_.ReportOutputProblem)
            options_.ReportOutputProblem(check);
        // The fallback is for this run only: the stored setting is the user's, and the
        // interface (a USB adapter, say) may be back at the next start.
        if (check.Problem == OutputProblem::Interface) {
            SacnConfig running = options_.Output.Sacn;
            running.Interface.clear();
            check = artnet_->SetSacnOutput(running);
        }
    }
    if (options_.RequireSocket && !artnet_->SocketReady())
        return false;
    artnet_->Start();
    artnet_->SendPoll();
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
        artnet_->OutputEnabled = false;
        RequestAndWait(state_->StopRequest);
        // The player must die on the worker that made it: wait until the request is taken.
        RequestAndWaitTaken(state_->CloseAudioRequest);
    }
    if (hooks.StopDisplay)
        hooks.StopDisplay();
    if (hooks.WriteEngineSettings)
        hooks.WriteEngineSettings();
    if (started_) {
        artnet_->Terminate();
        artnet_->WaitFor();
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
    if (artnet_) {
        if (const OutputCheck check = artnet_->SetSacnOutput(output.Sacn); !check)
            return check;
        artnet_->ArtnetOutput = output.Artnet;
    } else if (const OutputCheck check = CheckSacnConfig(output.Sacn); !check) {
        return check;
    }
    options_.Output = output;
    return {};
}
