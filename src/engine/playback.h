#pragma once
// The playback engine's tick: carries out the transport requests, keeps the play position
// (from the player inside the sound, from the play clock in the lead-in and run-out),
// evaluates every line there and builds the DMX frame. The output worker calls
// PlaybackTick every 20 ms; the player lives and dies on that thread.
//
// The lead-in hands over to the sound without a jump: the player is started at 0 ahead of
// the clock by the time a start takes to be heard (readying the graph included), so that
// 0 is heard when the clock reaches 0, and the clock is lined up with the frame grid
// beforehand so that the start falls on a tick. The clock runs on until the player's
// position has started to move (or three seconds have passed) and meets it, then the
// player takes over. Every start of the player measures the start time for the next.
// (Readying the graph earlier does not help: the sound server holds a start back by as
// long as the graph waited ready.)

#include "common/translation.h"
#include "document/project_data.h"
#include "engine/engine_state.h"
#include "engine/player.h"
#include "engine/posted_errors.h"

#include <cstdint>
#include <memory>

inline constexpr const char* AudioOutputInvalidText = TRANSLATABLE_TEXT("Core", "オーディオ出力が無効です");

class Playback {
public:
    Playback(EngineState& state, const ProjectData& doc, AudioBackend& audio, PostedErrors& errors);
    // Destroys a player still open; post CloseAudioRequest and wait for it first, so that
    // this happens on the worker.
    ~Playback();
    Playback(const Playback&) = delete;
    Playback& operator=(const Playback&) = delete;

    // frame: at least 512 bytes; byte i becomes DMX slot i+1. The tick itself allocates
    // nothing unless a sound is opened or an error is posted.
    void PlaybackTick(uint8_t* frame);

    // How long before the clock reaches 0 it is lined up with the ticks, and the most it
    // moves in one tick meanwhile.
    static constexpr int32_t LeadInAlignMs = 600;
    static constexpr int32_t LeadInNudgeMs = 2;
    // Further apart than this when the sound is heard, the player takes over at once.
    static constexpr int32_t LeadInMeetMs = 100;
    // A request is cleared once it has taken effect: while the player settles a start or a
    // seek, the requests it carries out stay set and later ones wait. A player that has not
    // settled after this long counts as settled, so a stalled sound server cannot hold the
    // transport.
    static constexpr int32_t SettleLimitMs = 2000;
    // The time from Run until the sound is heard, until a start has measured it: what the
    // measurement tool finds on the test sound server.
    static constexpr int32_t DefaultStartLatencyMs = 10;
    // As the last start of the player measured it.
    int32_t StartLatency() const { return startLatency_; }

private:
    void ReadPlayer();
    void OpenOrClose();
    // The open has ended, one way or the other: the sound's length, or its error.
    void FinishOpen();
    void Requests();
    // The player is still carrying out a start or a seek (for at most SettleLimitMs).
    bool PlayerSettles();
    // The requests carried out have taken effect: they are cleared, the seek counts as taken.
    void TakeEffect();
    void FollowPosition();
    // The lead-in with a player that can play: true when it set the play position.
    bool LeadInToSound();
    // The transport went elsewhere during a lead-in that had readied or started the player.
    void AbandonLeadIn();
    void EndOfSound();
    // Runs the player, which holds position `from`, and notes when, for MeasureStart.
    void RunPlayer(int32_t from);
    // The first tick the player's position moves after a Run tells how long the start took.
    void MeasureStart();
    void Colours(LineColors& output);

    EngineState& s_;
    const ProjectData& doc_;
    AudioBackend& audio_;
    PostedErrors& errors_;
    std::unique_ptr<Player> player_;
    int32_t playerPosition_ = 0; // the player's position as this tick read it
    bool opening_ = false;       // the player is still opening its file, or the output is tested
    bool testingOutput_ = false;

    // Requests carried out and not yet in effect, as flags of Held.
    enum Held : uint8_t { HeldRun = 1, HeldRestart = 2, HeldStop = 4, HeldPause = 8, HeldResume = 16 };
    uint8_t held_ = 0;
    bool seekHeld_ = false;
    uint32_t heldSeek_ = 0;
    bool holdPosition_ = false; // a seek in flight: the position is its target until it lands
    int32_t heldPosition_ = 0;
    bool settleSeen_ = false;
    uint32_t settleSinceMs_ = 0;

    enum class LeadIn : uint8_t { Idle, Started };
    LeadIn leadIn_ = LeadIn::Idle;
    bool startMeasured_ = true; // no Run is waiting to be heard
    uint32_t runAtMs_ = 0;
    int32_t runFrom_ = 0;
    int32_t lastReading_ = 0; // the clock at the last lead-in tick, for the tick's step
    bool haveReading_ = false;
    int32_t startLatency_ = DefaultStartLatencyMs;
};
