// OSC both ways on the engine with its fake player and clock: who is answered, what the
// peers are told and how often, and who is refused.
#include "../engine/engine_fixture.h"
#include "osc_builder.h"
#include "remote/osc_remote.h"
#include "remote/refusal_notice.h"

namespace {

using ::testing::ElementsAre;

// One message as a peer reads it: "/lumenrill/state playing", "/lumenrill/time -1.000".
struct Heard {
    OscEndpoint to;
    std::string text;
};

std::string FloatText(float v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", double(v));
    return text;
}

const OscEndpoint Tablet{0x0A000005, 9000};    // 10.0.0.5:9000
const OscEndpoint Desk{0x0A000006, 53000};     // 10.0.0.6:53000
const OscEndpoint Stranger{0xC0A80109, 4444}; // 192.168.1.9:4444
const OscEndpoint Target{0x0A0000FE, 7000};    // 10.0.0.254:7000

class OscRemoteTest : public EngineTest {
protected:
    void SetUp() override
    {
        play.PrePlayTime = 1000;
        OpenSound(10000);
        remote.SetFeedbackTargets({Target});
    }
    // The status text of the command, once taken up: nothing for a datagram that gave none.
    std::optional<std::string> Send(const OscMessage& m, const OscEndpoint& from = Tablet)
    {
        statuses.clear();
        remote.Receive(m.Bytes(), from);
        for (int i = 0; i < 20 && remote.Busy(); ++i) {
            Tick();
            remote.Update();
        }
        if (statuses.empty())
            return std::nullopt;
        return statuses.back();
    }
    // What each peer was told since the last look.
    std::vector<std::string> To(const OscEndpoint& peer)
    {
        std::vector<std::string> texts;
        for (const Heard& h : heard)
            if (h.to == peer)
                texts.push_back(h.text);
        return texts;
    }
    void Forget() { heard.clear(); }
    // Ticks for ms, the UI loop updating the peers every 50 ms.
    void Run(int ms)
    {
        for (int t = 0; t < ms; t += 50) {
            Tick(1, 25);
            Tick(1, 25);
            remote.Update();
        }
    }
    size_t Count(const std::vector<std::string>& texts, const std::string& address)
    {
        return size_t(std::count_if(texts.begin(), texts.end(), [&](const std::string& t) { return t.starts_with(address); }));
    }

    std::vector<Heard> heard;
    std::vector<std::string> statuses;
    OscRemote remote{state,
                     {},
                     {[] { return true; }, {}},
                     [] { return std::string("Night"); },
                     [this](const OscEndpoint& to, std::span<const uint8_t> d) { heard.push_back({to, OscText(d)}); },
                     [this](const std::string& status, bool) { statuses.push_back(status); },
                     clock};
};

TEST_F(OscRemoteTest, EveryCommandIsAnsweredAndTheSenderFollowsTheShow)
{
    remote.Update();
    EXPECT_THAT(To(Target), ElementsAre("/lumenrill/state stopped", "/lumenrill/time 0.000",
                                        "/lumenrill/show Night 10.000"));
    EXPECT_TRUE(To(Tablet).empty()) << "nobody has sent a command yet";
    Forget();

    EXPECT_EQ(Send(OscMessage("/lumenrill/next")), "OSC: next  ERR:未定義アドレス");
    EXPECT_EQ(Send(OscMessage("/lumenrill/play").String("1:30")), "OSC: play  ERR:パラメーターが間違っています。");
    EXPECT_EQ(Send(OscMessage("/lumenrill/pause")), "OSC: pause ");
    EXPECT_EQ(Send(OscMessage("/other/play")), std::nullopt) << "outside the prefix: nobody is answered";
    EXPECT_THAT(To(Tablet), ElementsAre("/lumenrill/error /lumenrill/next unknown address",
                                        "/lumenrill/error /lumenrill/play bad argument",
                                        "/lumenrill/error /lumenrill/pause not playing"));
    Forget();

    EXPECT_EQ(Send(OscMessage("/lumenrill/play").String("top")), "OSC: play top");
    EXPECT_THAT(To(Tablet), ElementsAre("/lumenrill/ok /lumenrill/play"));
    Run(100);
    // Tablet and target alike: the lead-in, its time moving.
    for (const OscEndpoint& peer : {Tablet, Target}) {
        const std::vector<std::string> told = To(peer);
        ASSERT_FALSE(told.empty());
        EXPECT_THAT(told, ::testing::Contains("/lumenrill/state leadin"));
        EXPECT_GE(Count(told, "/lumenrill/time -"), 1u);
    }
    Forget();

    // Into the sound: at most ten times a second.
    Run(3000);
    const std::vector<std::string> playing = To(Tablet);
    EXPECT_THAT(playing, ::testing::Contains("/lumenrill/state playing"));
    EXPECT_GE(Count(playing, "/lumenrill/time"), 28u);
    EXPECT_LE(Count(playing, "/lumenrill/time"), 31u);
    EXPECT_EQ(playing, To(Target));
    Forget();

    // Stopped: once more, where it stopped, and then nothing.
    EXPECT_EQ(Send(OscMessage("/lumenrill/stop"), Desk), "OSC: stop ");
    Run(1000);
    const std::string stoppedAt = "/lumenrill/time " + FloatText(float(play.PlayPosition) / 1000);
    EXPECT_GT(play.PlayPosition, 2000);
    EXPECT_THAT(To(Desk), ElementsAre("/lumenrill/ok /lumenrill/stop", "/lumenrill/state stopped", stoppedAt));
    EXPECT_EQ(Count(To(Tablet), "/lumenrill/time"), 1u);
    Forget();

    // The status, to the one who asked.
    EXPECT_EQ(Send(OscMessage("/lumenrill/status"), Desk), "OSC: status ");
    EXPECT_THAT(To(Desk), ElementsAre("/lumenrill/ok /lumenrill/status; /lumenrill/state stopped; " + stoppedAt +
                                      "; /lumenrill/show Night 10.000"));
    EXPECT_TRUE(To(Tablet).empty());
    Forget();

    // A show opened again is told again, though it is the same.
    remote.ShowOpened();
    remote.Update();
    EXPECT_THAT(To(Tablet), ElementsAre("/lumenrill/show Night 10.000"));
    Forget();

    // A target added later hears the whole state at once, the others nothing new.
    const OscEndpoint added{0x0A0000FD, 7001};
    remote.SetFeedbackTargets({Target, added});
    remote.Update();
    EXPECT_THAT(To(added), ElementsAre("/lumenrill/state stopped; " + stoppedAt + "; /lumenrill/show Night 10.000"));
    EXPECT_TRUE(To(Target).empty());
    Forget();

    // Ten minutes after its last command a client hears nothing more; the target still does.
    clock.Advance(OscFeedback::ClientLifetimeMs);
    EXPECT_EQ(Send(OscMessage("/lumenrill/play").String("top"), Desk), "OSC: play top");
    Run(200);
    EXPECT_TRUE(To(Tablet).empty());
    EXPECT_FALSE(To(Desk).empty());
    EXPECT_FALSE(To(Target).empty());
}

TEST_F(OscRemoteTest, AButtonsPressIsOneCommandAndItsReleaseNone)
{
    // As a surface's button sends it: 1.0 on the press, 0.0 on the release.
    struct Case {
        const char* address;
        std::function<bool()> acted;
    };
    const Case cases[] = {
        {"/lumenrill/play", [this] { return bool(state.TransportActive); }},
        {"/lumenrill/pause", [this] { return state.AudioState == AudioStateKind::Paused; }},
        {"/lumenrill/pause", [this] { return state.AudioState == AudioStateKind::Playing; }}, // the toggle, once
        {"/lumenrill/stop", [this] { return !state.TransportActive; }},
        {"/lumenrill/status", [] { return true; }},
    };
    for (const Case& c : cases) {
        Forget();
        EXPECT_EQ(Send(OscMessage(c.address).Float(1)), "OSC: " + std::string(c.address).substr(11) + " ")
            << c.address;
        Run(100);
        EXPECT_TRUE(c.acted()) << c.address;
        EXPECT_EQ(Send(OscMessage(c.address).Float(0)), std::nullopt) << c.address;
        Run(100);
        EXPECT_TRUE(c.acted()) << c.address << ": the release undid nothing";
        std::vector<std::string> answers = To(Tablet);
        std::erase_if(answers, [](const std::string& t) { return !t.starts_with("/lumenrill/ok") && !t.starts_with("/lumenrill/error"); });
        ASSERT_EQ(answers.size(), 1u) << c.address << ": one answer, to the press";
        EXPECT_TRUE(answers[0].starts_with("/lumenrill/ok " + std::string(c.address))) << answers[0];
    }
}

TEST_F(OscRemoteTest, OnlyWhoAskedHearsTheShow)
{
    Send(OscMessage("/lumenrill/play").String("top"), Desk);
    Run(200);
    Forget();
    // A datagram to an unknown address, or with a bad argument, or a status request: one
    // answer each, and no stream afterwards.
    const OscEndpoint strangers[] = {{0x0A000007, 1000}, {0x0A000008, 1001}, {0x0A000009, 1002}};
    Send(OscMessage("/lumenrill/bogus"), strangers[0]);
    Send(OscMessage("/lumenrill/stop").String("now"), strangers[1]);
    Send(OscMessage("/lumenrill/status"), strangers[2]);
    Run(2000);
    for (const OscEndpoint& s : strangers)
        EXPECT_EQ(To(s).size(), 1u) << EndpointText(s);
    EXPECT_GE(Count(To(Desk), "/lumenrill/time"), 19u) << "who played it follows it";
}

TEST_F(OscRemoteTest, ASubscriberHearsWhereItAskedUntilItUnsubscribes)
{
    const OscEndpoint desksPort{Desk.address, 9100};
    remote.Update();
    Forget();
    EXPECT_EQ(Send(OscMessage("/lumenrill/subscribe").Int(9100), Desk), "OSC: subscribe 9100");
    EXPECT_THAT(To(Desk), ElementsAre("/lumenrill/ok /lumenrill/subscribe"));
    remote.Update();
    EXPECT_THAT(To(desksPort), ElementsAre("/lumenrill/state stopped; /lumenrill/time 0.000; /lumenrill/show Night 10.000"));
    Forget();

    // Its commands from any port: the stream still goes only where it asked, and on past
    // the ten minutes of a sender.
    Send(OscMessage("/lumenrill/play").String("top"), Desk);
    Run(3000);
    EXPECT_THAT(To(desksPort), ::testing::Contains("/lumenrill/state playing"));
    EXPECT_GE(Count(To(desksPort), "/lumenrill/time"), 28u);
    EXPECT_THAT(To(Desk), ElementsAre("/lumenrill/ok /lumenrill/play"));
    clock.Advance(OscFeedback::ClientLifetimeMs);
    Forget();
    Run(200);
    EXPECT_GE(Count(To(desksPort), "/lumenrill/time"), 1u);

    // Subscribed without a port: the sender's own.
    Send(OscMessage("/lumenrill/subscribe"), Tablet);
    Send(OscMessage("/lumenrill/unsubscribe").Int(9100), Desk);
    Forget();
    Run(500);
    EXPECT_TRUE(To(desksPort).empty());
    EXPECT_GE(Count(To(Tablet), "/lumenrill/time"), 4u);
}

TEST_F(OscRemoteTest, PeersAreKeptWithinBoundsPerHost)
{
    Send(OscMessage("/lumenrill/subscribe").Int(9000), Tablet);
    remote.Update();
    // Throwaway ports of one host keep a few places; another host's peer keeps its own.
    const uint32_t other = 0x0A000063;
    for (uint16_t port = 1; port <= 200; ++port) {
        Send(OscMessage("/lumenrill/stop"), OscEndpoint{other, port});
        clock.Advance(1);
    }
    Forget();
    state.Play.PlayPosition = 5;
    remote.Update();
    EXPECT_EQ(Count(To(Tablet), "/lumenrill/time"), 1u);
    size_t otherPeers = 0;
    for (const Heard& h : heard)
        otherPeers += h.to.address == other;
    EXPECT_EQ(otherPeers, OscFeedback::MaxClientsPerHost);
    EXPECT_FALSE(To(OscEndpoint{other, 200}).empty()) << "the newest";

    // Many hosts: no more than the bound in all, the subscriber last to make room.
    for (uint32_t host = 1; host <= 100; ++host)
        Send(OscMessage("/lumenrill/stop"), OscEndpoint{0x0B000000 + host, 5000});
    Forget();
    clock.Advance(OscFeedback::TimeIntervalMs);
    state.Play.PlayPosition = 6;
    remote.Update();
    EXPECT_EQ(heard.size(), OscFeedback::MaxClients + 1) << "the peers and the target";
    EXPECT_EQ(Count(To(Tablet), "/lumenrill/time"), 1u);
}

TEST_F(OscRemoteTest, RefusedSendersAreDroppedCountedAndToldOnce)
{
    remote.SetAllowFrom(ParseRangeList("10.0.0.0/24").items);
    RefusalNotice notice(1000);
    EXPECT_EQ(Send(OscMessage("/lumenrill/play").String("top"), Stranger), std::nullopt);
    EXPECT_EQ(Send(OscMessage("/lumenrill/status"), OscEndpoint{0xC0A80109, 4445}), std::nullopt);
    EXPECT_EQ(Send(OscMessage("/lumenrill/subscribe"), OscEndpoint{0xC0A80109, 4446}), std::nullopt);
    EXPECT_FALSE(state.TransportActive);
    remote.Update();
    EXPECT_TRUE(To(Stranger).empty()) << "no reply, and no feedback either";
    EXPECT_EQ(remote.RefusedCount(), 3u);
    ASSERT_TRUE(remote.LastRefused());
    EXPECT_EQ(EndpointText(*remote.LastRefused()), "192.168.1.9:4446");

    const auto first = notice.Take(remote, clock.NowMs());
    ASSERT_TRUE(first);
    EXPECT_EQ(first->count, 3u);
    EXPECT_FALSE(notice.Take(remote, clock.NowMs())) << "nothing new";
    Send(OscMessage("/lumenrill/stop"), Stranger);
    EXPECT_FALSE(notice.Take(remote, clock.NowMs() + 999)) << "not within the interval";
    const auto later = notice.Take(remote, clock.NowMs() + 1000);
    ASSERT_TRUE(later);
    EXPECT_EQ(later->count, 4u);
    EXPECT_EQ(later->sender, Stranger);

    EXPECT_EQ(Send(OscMessage("/lumenrill/play").String("top"), Tablet), "OSC: play top");
    EXPECT_TRUE(state.TransportActive);
}

TEST_F(OscRemoteTest, TheStatePeersHear)
{
    ShowStateFollower follower;
    const auto follow = [&](uint32_t at) { return ShowStateText(follower.Follow(state, at)); };
    EXPECT_STREQ(follow(0), "stopped");
    state.TransportActive = true;
    state.AudioState = AudioStateKind::Playing;
    EXPECT_STREQ(follow(10), "playing");
    // The player not running yet after a start, or the show at its end: stopped once it holds.
    state.AudioState = AudioStateKind::Stopped;
    EXPECT_STREQ(follow(20), "playing");
    EXPECT_STREQ(follow(119), "playing");
    EXPECT_STREQ(follow(120), "stopped");
    state.AudioState = AudioStateKind::Paused;
    EXPECT_STREQ(follow(130), "paused");
    // The stop command: at once.
    state.TransportActive = false;
    state.AudioState = AudioStateKind::Stopped;
    EXPECT_STREQ(follow(140), "stopped");

    state.TransportActive = true;
    play.PlayPosition = -500;
    state.StartClock(-500);
    EXPECT_STREQ(follow(150), "leadin");
    play.PlayPosition = 20; // the sound taking over while the clock still runs
    EXPECT_STREQ(follow(160), "playing");
    play.PlayPosition = 10001;
    EXPECT_STREQ(follow(170), "runout");
    state.PauseClock();
    EXPECT_STREQ(follow(180), "paused");
}

} // namespace
