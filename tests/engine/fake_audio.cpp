#include "fake_audio.h"

#include <algorithm>

FakePlayer::FakePlayer(const MsClock& clock, FakeSound sound, std::vector<std::string>& log)
    : clock_(clock), sound_(std::move(sound)), log_(log), ready_(sound_.error.empty())
{
}

FakePlayer::~FakePlayer()
{
    log_.push_back("close");
    if (onClose)
        onClose();
}

int32_t FakePlayer::Now()
{
    // since_ lies ahead while a start is not yet heard.
    if (state_ == 2 && ready_ && int32_t(clock_.NowMs() - since_) > 0) {
        const uint32_t now = clock_.NowMs();
        position_ += int32_t(now - since_);
        since_ = now;
        if (position_ >= sound_.duration) {
            position_ = sound_.duration;
            ended_ = true;
        }
    }
    return position_;
}

void FakePlayer::Settle(int32_t before)
{
    if (sound_.settleMs <= 0 || !ready_)
        return;
    if (!settling_)
        before_ = before;
    settling_ = true;
    settledAt_ = clock_.NowMs() + uint32_t(sound_.settleMs);
}

bool FakePlayer::Settling()
{
    if (settling_ && int32_t(clock_.NowMs() - settledAt_) >= 0)
        settling_ = false;
    return settling_;
}

void FakePlayer::Run()
{
    log_.push_back("Run");
    Now();
    if (state_ != 2) {
        Settle(position_);
        since_ = clock_.NowMs() + uint32_t(sound_.startDelay + sound_.settleMs);
    }
    state_ = 2;
}

void FakePlayer::Pause()
{
    log_.push_back("Pause");
    Now();
    state_ = 1;
}

void FakePlayer::Stop(bool rewind)
{
    log_.push_back(rewind ? "Stop(rewind)" : "Stop");
    Now();
    state_ = 0;
}

int FakePlayer::GetState() { return state_; }

int32_t FakePlayer::GetPosition()
{
    if (!ready_)
        return 0;
    const int32_t now = Now();
    return Settling() ? before_ : now;
}

void FakePlayer::Seek(int32_t ms)
{
    log_.push_back("Seek(" + std::to_string(ms) + ")");
    if (onSeek)
        onSeek();
    if (!ready_)
        return;
    Settle(Now());
    position_ = std::clamp(ms, 0, sound_.duration);
    since_ = settling_ ? settledAt_ : clock_.NowMs();
    ended_ = reported_ = false;
}

bool FakePlayer::IsComplete()
{
    Now();
    if (!ended_ || reported_)
        return false;
    reported_ = true;
    return true;
}

std::unique_ptr<Player> FakeAudio::CreatePlayer(const std::string& path)
{
    log.push_back("open " + path);
    auto it = sounds.find(path);
    FakeSound sound = it != sounds.end() ? it->second : FakeSound{0, "再生ファイルが見つかりません"};
    auto player = std::make_unique<FakePlayer>(clock_, sound, log);
    player->onSeek = onSeek;
    player->onClose = onClose;
    return player;
}
