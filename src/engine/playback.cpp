#include "engine/playback.h"

#include "document/color.h"

#include <algorithm>
#include <cstdlib>
#include <cstdint>
#include <limits>

Playback::Playback(EngineState& state, const ProjectData& doc, AudioBackend& audio, PostedErrors& errors)
    : s_(state), doc_(doc), audio_(audio), errors_(errors)
{
}

Playback::~Playback() = default;

void Playback::PlaybackTick(uint8_t* frame)
{
    s_.AdvanceClock();
    ReadPlayer();
    OpenOrClose();
    // Requests posted while a sound opens wait for it, and are then carried out in order.
    if (!opening_)
        Requests();
    FollowPosition();
    EndOfSound();
    LineColors output;
    Colours(output);
    BuildDmxFrame(output, s_.Play.DmxPatch, s_.Play.CheckGroup.load(), frame);
}

void Playback::ReadPlayer()
{
    if (player_ && !opening_) {
        s_.AudioState = AudioStateFromPlayer(player_->GetState());
        playerPosition_ = player_->GetPosition();
        if (holdPosition_ && player_->Settling())
            playerPosition_ = heldPosition_;
        s_.AudioPosition = playerPosition_;
        MeasureStart();
    } else {
        s_.AudioState = AudioStateKind::None;
        s_.AudioPosition = 0;
    }
}

void Playback::RunPlayer(int32_t from)
{
    const bool starts = s_.AudioState != AudioStateKind::Playing;
    const uint32_t at = s_.Clock.NowMs(); // readying the graph is part of the start
    player_->Run();
    if (starts) {
        startMeasured_ = false;
        runAtMs_ = at;
        runFrom_ = from;
    }
}

void Playback::MeasureStart()
{
    if (startMeasured_)
        return;
    const int32_t since = int32_t(s_.Clock.NowMs() - runAtMs_);
    if (playerPosition_ != runFrom_) {
        const int32_t took = since - (playerPosition_ - runFrom_);
        if (took >= 0 && took <= 1000)
            startLatency_ = took;
        startMeasured_ = true;
    } else if (since > 3000) {
        startMeasured_ = true; // an idle sound server's stall, not a start time
    }
}

void Playback::OpenOrClose()
{
    if (s_.OpenAudioRequest || s_.CloseAudioRequest) {
        leadIn_ = LeadIn::Idle;
        startMeasured_ = true;
    }
    if (!opening_ && s_.OpenAudioRequest) {
        TakeEffect(); // what the old player carried out
        player_.reset();
        s_.Play.SoundDuration = 0;
        s_.AudioPosition = 0;
        audio_.StartOutputTest();
        testingOutput_ = true;
        const std::string path = s_.SoundPath();
        if (!path.empty())
            player_ = audio_.CreatePlayer(path);
        opening_ = true;
    } else if (!opening_ && s_.CloseAudioRequest) {
        TakeEffect();
        player_.reset();
        s_.AudioOutputOk = false;
        s_.CloseAudioRequest = false;
    }
    if (opening_) {
        // The open in progress, with the output test beside it; its request stays set until
        // both have ended.
        if (testingOutput_)
            if (const std::optional<bool> ok = audio_.OutputTested()) {
                s_.AudioOutputOk = *ok;
                testingOutput_ = false;
            }
        const bool playerOpening = player_ && player_->Opening();
        if (!testingOutput_ && !playerOpening)
            FinishOpen();
    }
}

void Playback::FinishOpen()
{
    opening_ = false;
    if (player_) {
        if (player_->Ready()) {
            s_.Play.SoundDuration = player_->Duration();
            const int64_t total = int64_t(player_->Duration()) + s_.Play.PrePlayTime + s_.Play.PostPlayTime;
            s_.TotalLength = int32_t(std::clamp<int64_t>(total, INT32_MIN, INT32_MAX));
            s_.AudioPosition = 0;
        } else {
            // The unready player stays: later requests reach a player with nothing to play.
            errors_.Post(player_->ErrorText());
        }
    }
    if (!s_.AudioOutputOk)
        errors_.Post(AudioOutputInvalidText);
    s_.OpenAudioRequest = false;
}

bool Playback::PlayerSettles()
{
    if (!player_ || opening_ || !player_->Settling()) {
        settleSeen_ = false;
        return false;
    }
    const uint32_t now = s_.Clock.NowMs();
    if (!settleSeen_) {
        settleSeen_ = true;
        settleSinceMs_ = now;
    }
    return int32_t(now - settleSinceMs_) < SettleLimitMs;
}

void Playback::TakeEffect()
{
    if (held_ & HeldRun)
        s_.RunRequest = false;
    if (held_ & HeldRestart)
        s_.RestartRequest = false;
    if (held_ & HeldStop)
        s_.StopRequest = false;
    if (held_ & HeldPause)
        s_.PauseRequest = false;
    if (held_ & HeldResume)
        s_.ResumeRequest = false;
    if (seekHeld_)
        s_.SeekDone(heldSeek_);
    held_ = 0;
    seekHeld_ = false;
    holdPosition_ = false;
}

void Playback::Requests()
{
    // Requests posted while the player readies or moves the sound wait for it, in order.
    if (PlayerSettles())
        return;
    TakeEffect();
    uint32_t seek = 0;
    int32_t target = 0;
    const bool seekPending = s_.PendingSeek(&seek, &target);
    if (seekPending || s_.RunRequest || s_.RestartRequest || s_.StopRequest || s_.PauseRequest || s_.ResumeRequest) {
        AbandonLeadIn();
        startMeasured_ = true;
    }
    if (seekPending) {
        // Compared with the player's position as this tick read it: the user interface
        // sets AudioPosition to the target too when it jumps, and may do so after the read.
        if (player_) {
            if (playerPosition_ != target)
                player_->Seek(target);
            playerPosition_ = target;
            s_.AudioPosition = target;
            holdPosition_ = true;
            heldPosition_ = target;
            // Published before the seek counts as taken: whoever waited on it reads the target.
            s_.Play.PlayPosition = target;
        }
        seekHeld_ = true;
        heldSeek_ = seek;
    }

    if (s_.RunRequest) {
        if (player_)
            RunPlayer(playerPosition_);
        held_ |= HeldRun;
    } else if (s_.RestartRequest) {
        if (player_) {
            player_->Seek(0);
            RunPlayer(0);
            // As after any seek: the position read before it is stale, and the play
            // position must not jump back there for a frame.
            s_.AudioPosition = 0;
            holdPosition_ = true;
            heldPosition_ = 0;
        }
        held_ |= HeldRestart;
    }

    if (s_.StopRequest) {
        if (player_)
            player_->Stop(false);
        held_ |= HeldStop;
    }

    const AudioStateKind state = s_.AudioState;
    if (s_.PauseRequest) {
        if (player_ && state == AudioStateKind::Playing)
            player_->Pause();
        held_ |= HeldPause;
    } else if (s_.ResumeRequest) {
        if (player_ && state == AudioStateKind::Paused)
            RunPlayer(playerPosition_);
        held_ |= HeldResume;
    }

    if (!PlayerSettles())
        TakeEffect();
}

void Playback::AbandonLeadIn()
{
    haveReading_ = false;
    if (leadIn_ == LeadIn::Idle)
        return;
    leadIn_ = LeadIn::Idle;
    if (player_)
        player_->Stop(false);
}

bool Playback::LeadInToSound()
{
    const bool running = s_.ClockRunning && !s_.ClockPaused;
    const bool playable = player_ && !opening_ && player_->Ready() && s_.AudioOutputOk;
    if (!running || !playable || (s_.Play.PlayPosition >= 0 && leadIn_ != LeadIn::Started)) {
        if (leadIn_ == LeadIn::Started && s_.ClockRunning && s_.ClockPosition >= 0)
            // Held while waiting for the sound: back to the lead-in's last ms, so that going
            // on starts the sound again rather than run through it on the clock.
            s_.NudgeClock(-1 - s_.ClockPosition);
        AbandonLeadIn();
        return false;
    }
    int32_t reading = s_.ClockPosition;

    // Line the clock up with the frame grid: the tick that starts the player must find the
    // clock one start time before 0, or the sound would start up to a frame late. Ticks
    // come a ms early or late now and then, so the clock moves either way, toward the
    // nearer tick, and not for a ms.
    const int32_t step = reading - lastReading_;
    const int32_t startAt = -startLatency_;
    if (leadIn_ != LeadIn::Started && reading >= -LeadInAlignMs && reading < startAt && haveReading_ && step > 0
        && step <= 100) {
        const int32_t ticks = (startAt - reading + step - 1) / step;
        int32_t late = reading + ticks * step - startAt;
        if (late > step / 2 && ticks > 1)
            late -= step;
        if (std::abs(late) > 1) {
            const int32_t nudge = std::clamp(late, -LeadInNudgeMs, LeadInNudgeMs);
            s_.NudgeClock(-nudge);
            reading -= nudge;
        }
    }
    lastReading_ = reading;
    haveReading_ = true;

    if (leadIn_ == LeadIn::Idle && reading >= -startLatency_) {
        player_->Seek(0);
        RunPlayer(0);
        leadIn_ = LeadIn::Started;
        // Readying the player takes a while: this frame shows the clock as it is now.
        s_.AdvanceClock();
        reading = s_.ClockPosition;
    }
    if (leadIn_ == LeadIn::Started && startMeasured_) {
        // The sound is heard, a little ahead of the clock or behind it when this start took
        // less or more time than the last. The clock meets it a little at a time, so that
        // the lights do not jump, and the player takes over once they agree (at once when
        // they are too far apart for that).
        const int32_t behind = playerPosition_ - reading;
        if (std::abs(behind) <= LeadInNudgeMs || std::abs(behind) > LeadInMeetMs) {
            s_.StopClock();
            leadIn_ = LeadIn::Idle;
            haveReading_ = false;
            s_.Play.PlayPosition = playerPosition_;
            return true;
        }
        const int32_t nudge = std::clamp(behind, -LeadInNudgeMs, LeadInNudgeMs);
        s_.NudgeClock(nudge);
        reading += nudge;
    }
    s_.Play.PlayPosition = reading;
    return true;
}

void Playback::FollowPosition()
{
    if (LeadInToSound())
        return;
    const int32_t position = s_.Play.PlayPosition;
    const int64_t runOutEnd = int64_t(s_.Play.SoundDuration) + s_.Play.PostPlayTime;
    int32_t clockPosition = 0;
    bool leadInEnded = false;
    bool runOutEnded = false;
    if (s_.FollowClock(position, runOutEnd, &clockPosition, &leadInEnded, &runOutEnded)) {
        s_.Play.PlayPosition = clockPosition;
        if (leadInEnded && player_ && !opening_) {
            // The sound takes over at exactly 0.
            player_->Seek(0);
            player_->Run();
        }
        if (runOutEnded)
            ++s_.ShowEnds;
    } else if (position >= 0 && position <= s_.Play.SoundDuration) {
        s_.Play.PlayPosition = s_.AudioOutputOk ? s_.AudioPosition.load() : 0;
    }
}

void Playback::EndOfSound()
{
    if (!player_ || opening_ || !player_->IsComplete())
        return;
    // A sound that ends before the clock has met it ends the hand-over too: the clock that
    // runs from here is the run-out's, which the hand-over must not stop.
    leadIn_ = LeadIn::Idle;
    haveReading_ = false;
    if (s_.Play.Repeat) {
        s_.Play.PlayPosition = 0;
        s_.RepeatRestarted = true;
        s_.RestartRequest = true;
    } else if (s_.Play.PostPlayTime <= 0) {
        player_->Stop(false);
        ++s_.ShowEnds;
    } else {
        s_.StartClock(s_.Play.SoundDuration);
    }
}

void Playback::Colours(LineColors& output)
{
    // The lights show the show ahead of the play position by the light latency.
    const int32_t t = int32_t(std::clamp<int64_t>(int64_t(s_.Play.PlayPosition) + s_.Play.LightLatency,
                                                  std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
    const uint32_t preview = s_.PreviewColor;
    auto lock = doc_.ReadLock();
    const int32_t current = doc_.CurrentLine;
    for (int l = 0; l < LineCount; ++l) {
        uint32_t c;
        if (l == current && preview != NoColor) {
            c = preview;
        } else {
            const ColorPair e = doc_.EvaluateLine(l, t);
            c = ApplyBrightness(e.Color, e.Brightness);
        }
        output[size_t(l)] = c;
        s_.LineOutput[size_t(l)] = c;
    }
}
