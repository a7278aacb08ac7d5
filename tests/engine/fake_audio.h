#pragma once
// A millisecond counter the test sets by hand, and a player that plays sounds of given
// lengths on it, logging every call the tick makes.

#include "engine/ms_clock.h"
#include "engine/player.h"

#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <vector>

class FakeClock final : public MsClock {
public:
    explicit FakeClock(uint32_t start = 1000) : now_(start) {}
    uint32_t NowMs() const override { return now_; }
    void Advance(uint32_t ms) { now_ += ms; }
    void Set(uint32_t ms) { now_ = ms; }

private:
    std::atomic<uint32_t> now_;
};

struct FakeSound {
    int32_t duration = 0;
    std::string error; // not empty: the player is not Ready and gives this text
    int32_t startDelay = 0; // ms from Run until the position moves (the sound is heard)
    int openPolls = 0;      // how many calls of Opening say it is still opening
    // ms from a seek or a start until it has taken effect; meanwhile the player reports the
    // position from before it, as a sound being moved may
    int32_t settleMs = 0;
};

class FakePlayer final : public Player {
public:
    FakePlayer(const MsClock& clock, FakeSound sound, std::vector<std::string>& log);
    ~FakePlayer() override;

    void Run() override;
    void Pause() override;
    void Stop(bool rewind) override;
    int GetState() override;
    int32_t GetPosition() override;
    void Seek(int32_t ms) override;
    bool IsComplete() override;
    void SetVolume(double) override {}
    bool Opening() override { return sound_.openPolls > 0 && sound_.openPolls--; }
    bool Settling() override;
    int32_t Duration() const override { return ready_ ? sound_.duration : 0; }
    bool Ready() const override { return ready_; }
    const std::string& ErrorText() const override { return sound_.error; }

    // Run inside Seek, after the log entry, and in the destructor; may be empty.
    std::function<void()> onSeek;
    std::function<void()> onClose;

private:
    int32_t Now(); // the position, moved on while running; notes the end of the stream
    void Settle(int32_t before); // a seek or a start begins to take effect

    const MsClock& clock_;
    FakeSound sound_;
    std::vector<std::string>& log_;
    bool ready_;
    int state_ = 0;
    int32_t position_ = 0;
    uint32_t since_ = 0;
    bool ended_ = false;    // reached the end while running
    bool reported_ = false; // IsComplete has said so
    bool settling_ = false;
    uint32_t settledAt_ = 0;
    int32_t before_ = 0; // the position reported while settling
};

// Sounds by path; every call of every player goes to log.
class FakeAudio final : public AudioBackend {
public:
    explicit FakeAudio(const MsClock& clock) : clock_(clock) {}
    std::unique_ptr<Player> CreatePlayer(const std::string& path) override;
    void StartOutputTest() override { testPollsLeft_ = outputTestPolls; }
    std::optional<bool> OutputTested() override
    {
        if (testPollsLeft_ > 0 && testPollsLeft_--)
            return std::nullopt;
        return outputOk;
    }

    std::map<std::string, FakeSound> sounds;
    bool outputOk = true;
    int outputTestPolls = 0; // how many calls of OutputTested say it still runs
    std::vector<std::string> log;
    // Given to every player made from here on.
    std::function<void()> onSeek;
    std::function<void()> onClose;

private:
    const MsClock& clock_;
    int testPollsLeft_ = 0;
};
