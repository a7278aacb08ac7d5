// The sACN sender's rules on the frame grid, with a socket that records what it is given.
#include "output/sacn_sender.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;
constexpr int64_t Ms = 1000000;
constexpr int64_t Frame = 20 * Ms;

struct Datagram {
    uint32_t to;
    Bytes bytes;
    bool IsData() const { return bytes.size() == SacnDataPacketSize; }
    bool Terminated() const { return IsData() && (bytes[SacnOptionsOffset] & SacnStreamTerminated); }
};

class RecordingSocket final : public SacnSocket {
public:
    explicit RecordingSocket(std::vector<Datagram>& log, const bool& fail) : log_(log), fail_(fail) {}
    long SendTo(uint32_t address, const uint8_t* data, size_t size) override
    {
        if (fail_)
            return -1;
        log_.push_back({address, Bytes(data, data + size)});
        return long(size);
    }
    void SetMulticastInterface(uint32_t) override {}

private:
    std::vector<Datagram>& log_;
    const bool& fail_;
};

class SacnSenderTest : public ::testing::Test {
protected:
    SacnSender Make(SacnMode mode, std::vector<uint32_t> unicast = {})
    {
        SacnConfig config;
        config.Mode = mode;
        config.Universe = 7;
        config.Priority = 150;
        config.Unicast = std::move(unicast);
        config.Cid = NewSacnCid();
        return SacnSender(config, std::make_unique<RecordingSocket>(log, fail));
    }
    std::vector<Datagram> Data() const
    {
        std::vector<Datagram> out;
        for (const Datagram& d : log)
            if (d.IsData())
                out.push_back(d);
        return out;
    }
    size_t Discoveries() const { return log.size() - Data().size(); }

    std::vector<Datagram> log;
    bool fail = false;
    Bytes slots = Bytes(512, 0);
};

TEST_F(SacnSenderTest, ChangesRepeatedThreeTimesKeepAliveWithinASecondDiscoveryEveryTenSeconds)
{
    SacnSender sender = Make(SacnMode::Multicast);
    std::vector<int64_t> dataAt;
    for (int64_t now = 0; now <= 21000 * Ms; now += Frame) {
        if (now == 3020 * Ms || now == 3040 * Ms)
            slots[0] = uint8_t(now / Ms);
        const size_t before = Data().size();
        sender.Frame(slots.data(), now, Frame);
        if (Data().size() > before)
            dataAt.push_back(now / Ms);
    }
    // The start and the changes at 3.02 s and 3.04 s at once, each followed by three more on
    // the next frames (a lost packet leaves no wrong look); between them a keep-alive 0.9 s
    // after the last packet, on the frame grid.
    std::vector<int64_t> expected = {0, 20, 40, 60, 960, 1860, 2760, 3020, 3040, 3060, 3080, 3100};
    for (int64_t at = 4000; at <= 21000; at += 900)
        expected.push_back(at);
    EXPECT_EQ(dataAt, expected);
    for (size_t i = 1; i < dataAt.size(); ++i)
        EXPECT_LE(dataAt[i] - dataAt[i - 1], 1000) << "never more than a second apart";
    EXPECT_EQ(Discoveries(), 3u) << "at 0, 10 and 20 s";
    for (const Datagram& d : log)
        EXPECT_EQ(d.to, d.IsData() ? 0xEFFF0007u : 0xEFFFFAD6u);
    // Sequence numbers count the data packets, wrapping at 256.
    const std::vector<Datagram> data = Data();
    for (size_t i = 0; i < data.size(); ++i)
        EXPECT_EQ(data[i].bytes[SacnSequenceOffset], uint8_t(i));
    EXPECT_EQ(data.back().bytes[108], 150) << "priority";
    EXPECT_EQ(data[8].bytes[SacnSlotsOffset], uint8_t(3040 % 256));
    EXPECT_EQ(data[11].bytes[SacnSlotsOffset], uint8_t(3040 % 256)) << "the repeats carry the new look";
}

TEST_F(SacnSenderTest, TerminationIsThreePacketsThenTheStreamStartsAgain)
{
    SacnSender sender = Make(SacnMode::Unicast, {0x02000002, 0x0A000007});
    slots[5] = 99;
    sender.Frame(slots.data(), 0, Frame);
    ASSERT_TRUE(sender.Running());
    log.clear();
    sender.Terminate();
    EXPECT_FALSE(sender.Running());
    ASSERT_EQ(log.size(), 6u) << "three packets to each of two addresses";
    for (size_t i = 0; i < log.size(); ++i) {
        EXPECT_TRUE(log[i].Terminated());
        EXPECT_EQ(log[i].to, i % 2 == 0 ? 0x02000002u : 0x0A000007u);
        EXPECT_EQ(log[i].bytes[SacnSequenceOffset], 1 + i / 2) << "sequence goes on";
        EXPECT_EQ(log[i].bytes[SacnSlotsOffset + 5], 99) << "the last look";
    }
    sender.Terminate();
    EXPECT_EQ(log.size(), 6u) << "a stopped stream is not terminated twice";

    // The next frame starts the stream again, unchanged or not, and announces it.
    log.clear();
    sender.Frame(slots.data(), 40 * Ms, Frame);
    ASSERT_EQ(Data().size(), 2u);
    EXPECT_FALSE(Data()[0].Terminated());
    EXPECT_EQ(Data()[0].bytes[SacnSequenceOffset], 4);
    EXPECT_EQ(Discoveries(), 2u) << "to both unicast addresses";
}

TEST_F(SacnSenderTest, FailedSendsAreCountedAndTheStreamGoesOn)
{
    SacnSender sender = Make(SacnMode::Multicast);
    fail = true;
    sender.Frame(slots.data(), 0, Frame);
    EXPECT_TRUE(sender.LastFailed());
    EXPECT_EQ(sender.TakeFailed(), 2) << "data and discovery";
    EXPECT_EQ(sender.TakeFailed(), 0);
    fail = false;
    slots[0] = 1;
    sender.Frame(slots.data(), Frame, Frame);
    EXPECT_FALSE(sender.LastFailed());
    ASSERT_EQ(Data().size(), 1u);
    EXPECT_EQ(Data()[0].bytes[SacnSequenceOffset], 1) << "the failed packet used its number";
}

} // namespace
