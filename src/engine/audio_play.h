#pragma once
// Plays the show's sound file (WAV or MP3) on a GStreamer playbin. Created, used and
// destroyed only on the thread that runs the playback tick.
//
// The state it reports is its own logical one: "stopped" after opening (the graph is
// prerolled to learn the duration) and after Stop, "paused" after Pause, "running" after
// Run. While it is not running the graph is parked in READY and the player holds the
// position itself: a graph left waiting in PAUSED makes the sound server hold a new start
// back for as long as it waited, and the lights would stand still meanwhile.
//
// Nothing here waits for the graph: the frames must not stall. The constructor starts the
// open on a thread of its own (the graph is built, then prerolls to learn the duration) and
// Opening carries it on. Run from 0
// asks the graph for PLAYING at once; Run from elsewhere asks for PAUSED, and the next call
// (every frame asks for state and position) seeks to the held position once the graph has
// prerolled and asks for PLAYING. Until the graph has settled after a start or a seek, the
// position stays where the player put it, never a stale one from before.
//
// Two volumes that never overwrite each other: the player's own (SetVolume) and the
// program's output volume (WaveOutGain), which it follows while sound flows. The sound
// leaves at their product.

#include "common/translation.h"
#include "engine/player.h"

#include <atomic>
#include <cstdint>
#include <future>
#include <string>

typedef struct _GstElement GstElement;
typedef struct _GstBus GstBus;

inline constexpr const char* FileNotFoundText = TRANSLATABLE_TEXT("Core", "再生ファイルが見つかりません");
inline constexpr const char* InitFailedText = TRANSLATABLE_TEXT("Core", "初期化に失敗しました");

// Starts GStreamer once for the process (loading its plugin registry takes a while, so the
// owner does it before the frames start); false when it cannot run.
bool GstReady();

// The player's volume in hundredths of a decibel: v limited to 0.00001..1, then
// trunc(log10(v) * 20 * 100); 0 is full volume, -10000 the least.
int32_t VolumeHundredthsDb(double v);
// Back to a linear gain.
double HundredthsDbToGain(int32_t hundredths);

class AudioPlay final : public Player {
public:
    explicit AudioPlay(const std::string& path);
    ~AudioPlay() override;
    AudioPlay(const AudioPlay&) = delete;
    AudioPlay& operator=(const AudioPlay&) = delete;

    void Run() override;
    void Pause() override;
    void Stop(bool rewind) override;
    int GetState() override;
    int32_t GetPosition() override;
    void Seek(int32_t ms) override;
    bool IsComplete() override;
    void SetVolume(double v) override;
    bool Opening() override;
    bool Settling() override;

    int32_t Duration() const override { return duration_; }
    bool Ready() const override { return ready_; }
    const std::string& ErrorText() const override { return errorText_; }
    const std::string& FileName() const { return fileName_; }
    // The player's own volume as last set, in hundredths of a decibel.
    int32_t Volume() const { return volume_; }

    // Called on the streaming thread before each buffer: brings the program's output volume
    // up to date.
    void FollowOutputGain();

private:
    // Builds the graph and asks it to preroll.
    bool StartOpen();
    // The preroll is done: the duration, then parked. False when it cannot play.
    bool FinishOpen();
    void Release();
    // Takes the graph to READY, keeping its position.
    void Park();
    // Carries a start on when the graph is ready for its next step; parks a graph that
    // failed to change state.
    void Poll();

    std::string fileName_;
    std::string errorText_;
    bool ready_ = false;
    bool opening_ = false;
    std::future<bool> building_; // StartOpen, until Opening takes its outcome
    int64_t openStartedNs_ = 0;
    int32_t duration_ = 0;
    int32_t volume_ = 0;
    int logical_ = 0;
    int32_t lastPosition_ = 0;
    bool parked_ = false;
    bool prerolling_ = false; // a Run from READY waits for the preroll to seek and play
    bool settling_ = false;   // a start or a seek has not yet taken effect
    GstElement* pipeline_ = nullptr;
    GstElement* outputVolume_ = nullptr; // the program's output volume, inside the pipeline
    GstBus* bus_ = nullptr;
    std::atomic<double> appliedGain_{-1}; // written by the streaming thread
};
