#include "engine/playback.h"

#include "document/color.h"

#include <algorithm>
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
    Requests();
    FollowPosition();
    EndOfSound();
    LineColors output;
    Colours(output);
    BuildDmxFrame(output, s_.Play.DmxPatch, s_.Play.CheckGroup.load(), frame);
}

void Playback::ReadPlayer()
{
    if (player_) {
        s_.AudioState = AudioStateFromPlayer(player_->GetState());
        playerPosition_ = player_->GetPosition();
        s_.AudioPosition = playerPosition_;
    } else {
        s_.AudioState = AudioStateKind::None;
        s_.AudioPosition = 0;
    }
}

void Playback::OpenOrClose()
{
    if (s_.OpenAudioRequest) {
        player_.reset();
        s_.Play.SoundDuration = 0;
        s_.AudioPosition = 0;
        s_.AudioOutputOk = audio_.ProbeOutput();
        const std::string path = s_.SoundPath();
        if (!path.empty()) {
            player_ = audio_.CreatePlayer(path);
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
    } else if (s_.CloseAudioRequest) {
        player_.reset();
        s_.AudioOutputOk = false;
        s_.CloseAudioRequest = false;
    }
}

void Playback::Requests()
{
    uint32_t seek = 0;
    int32_t target = 0;
    if (s_.PendingSeek(&seek, &target)) {
        // Compared with the player's position as this tick read it: the user interface
        // sets AudioPosition to the target too when it jumps, and may do so after the read.
        if (player_) {
            if (playerPosition_ != target)
                player_->Seek(target);
            playerPosition_ = target;
            s_.AudioPosition = target;
            // Published before the seek counts as taken: whoever waited on it reads the target.
            s_.Play.PlayPosition = target;
        }
        s_.SeekDone(seek);
    }

    if (s_.RunRequest) {
        if (player_)
            player_->Run();
        s_.RunRequest = false;
    } else if (s_.RestartRequest) {
        if (player_) {
            player_->Seek(0);
            player_->Run();
            // As after any seek: the position read before it is stale, and the play
            // position must not jump back there for a frame.
            s_.AudioPosition = 0;
        }
        s_.RestartRequest = false;
    }

    if (s_.StopRequest) {
        if (player_)
            player_->Stop(false);
        s_.StopRequest = false;
    }

    const AudioStateKind state = s_.AudioState;
    if (s_.PauseRequest) {
        if (player_ && state == AudioStateKind::Playing)
            player_->Pause();
        s_.PauseRequest = false;
    } else if (s_.ResumeRequest) {
        if (player_ && state == AudioStateKind::Paused)
            player_->Run();
        s_.ResumeRequest = false;
    }
}

void Playback::FollowPosition()
{
    const int32_t position = s_.Play.PlayPosition;
    const int64_t runOutEnd = int64_t(s_.Play.SoundDuration) + s_.Play.PostPlayTime;
    int32_t clockPosition = 0;
    bool leadInEnded = false;
    bool runOutEnded = false;
    if (s_.FollowClock(position, runOutEnd, &clockPosition, &leadInEnded, &runOutEnded)) {
        s_.Play.PlayPosition = clockPosition;
        if (leadInEnded && player_) {
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
    if (!player_ || !player_->IsComplete())
        return;
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
