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

void FakePlayer::Run()
{
    log_.push_back("Run");
    Now();
    if (state_ != 2)
        since_ = clock_.NowMs() + uint32_t(sound_.startDelay);
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

int32_t FakePlayer::GetPosition() { return ready_ ? Now() : 0; }

void FakePlayer::Seek(int32_t ms)
{
    log_.push_back("Seek(" + std::to_string(ms) + ")");
    if (onSeek)
        onSeek();
    if (!ready_)
        return;
    Now();
    position_ = std::clamp(ms, 0, sound_.duration);
    since_ = clock_.NowMs();
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
