#include "osc_builder.h"
#include "remote/osc_command.h"

#include <gtest/gtest.h>

namespace {

std::optional<OscCommand> Interpret(const Datagram& d, int32_t soundDuration = 120000)
{
    TOscUnit unit;
    unit.Decode(d);
    return InterpretOsc(unit, soundDuration);
}

using K = OscCommand::Kind;
const std::string Invalid = std::string(" ERR:") + OscInvalidParameter;

} // namespace

TEST(OscCommand, CommandsAndTheirStatusTexts)
{
    struct Case {
        OscMessage message;
        K kind;
        std::string status;
        int32_t time = 0;
        uint16_t port = 0;
    };
    const Case cases[] = {
        {OscMessage{"/lumenrill/play"}, K::Play, "OSC: play "},
        {OscMessage{"/lumenrill/play"}.String("TOP"), K::TopPlay, "OSC: play top"},
        {OscMessage{"/lumenrill/play"}.String("00:01:30.50"), K::PlayAt, "OSC: play 00:01:30.50", 90500},
        {OscMessage{"/lumenrill/play"}.String("00-02x00/00"), K::PlayAt, "OSC: play 00-02x00/00", 120000},
        {OscMessage{"/lumenrill/play"}.String("00:02:00.01"), K::Failed, "OSC: play " + Invalid},
        {OscMessage{"/lumenrill/play"}.String("00:61:00.00"), K::Failed, "OSC: play " + Invalid},
        {OscMessage{"/lumenrill/play"}.String("1:30"), K::Failed, "OSC: play " + Invalid},
        {OscMessage{"/lumenrill/play"}.String("0a:00:00.00"), K::Failed, "OSC: play " + Invalid},
        {OscMessage{"/lumenrill/play"}.String("top").String("top"), K::Failed, "OSC: play " + Invalid},
        {OscMessage{"/lumenrill/play"}.Int(1).Int(1), K::Failed, "OSC: play " + Invalid},
        {OscMessage{"/lumenrill/play", ",d"}, K::Failed, "OSC: play " + Invalid},
        {OscMessage{"/lumenrill/stop"}, K::Stop, "OSC: stop "},
        {OscMessage{"/lumenrill/stop"}.Int(1).Int(2), K::Failed, "OSC: stop " + Invalid},
        {OscMessage{"/lumenrill/pause"}, K::Pause, "OSC: pause "},
        {OscMessage{"/lumenrill/pause"}.String("x"), K::Failed, "OSC: pause " + Invalid},
        {OscMessage{"/lumenrill/next"}, K::Failed, std::string("OSC: next  ERR:") + OscUndefinedAddress},
        {OscMessage{"/lumenrill/status"}, K::Status, "OSC: status "},
        {OscMessage{"/lumenrill/status"}.String("x"), K::Failed, "OSC: status " + Invalid},
        {OscMessage{"/lumenrill/subscribe"}, K::Subscribe, "OSC: subscribe "},
        {OscMessage{"/lumenrill/subscribe"}.Int(9000), K::Subscribe, "OSC: subscribe 9000", 0, 9000},
        {OscMessage{"/lumenrill/subscribe"}.Float(9001), K::Subscribe, "OSC: subscribe 9001", 0, 9001},
        {OscMessage{"/lumenrill/subscribe"}.Float(9001.5f), K::Failed, "OSC: subscribe " + Invalid},
        {OscMessage{"/lumenrill/subscribe"}.Int(65536), K::Failed, "OSC: subscribe " + Invalid},
        {OscMessage{"/lumenrill/subscribe"}.String("9000"), K::Failed, "OSC: subscribe " + Invalid},
        {OscMessage{"/lumenrill/unsubscribe"}.Int(9000), K::Unsubscribe, "OSC: unsubscribe 9000", 0, 9000},
        {OscMessage{"/lumenrill/unsubscribe"}, K::Unsubscribe, "OSC: unsubscribe "},
        // A bad type tag still runs the address's command, without arguments.
        {OscMessage{"/lumenrill/stop", "i"}, K::Stop, "OSC: stop "},
        {OscMessage{"/lumenrill/pause", "xyz"}, K::Pause, "OSC: pause "},
        // Arguments of types the decoder does not keep still count.
        {OscMessage{"/lumenrill/stop", ",T"}, K::Failed, "OSC: stop " + Invalid},
        {OscMessage{"/lumenrill/pause", ",N"}, K::Failed, "OSC: pause " + Invalid},
        // Texts are UTF-8; a byte that is not shows as U+FFFD.
        {OscMessage{"/lumenrill/再生"}, K::Failed, std::string("OSC: 再生  ERR:") + OscUndefinedAddress},
        {OscMessage{"/lumenrill/n\xFF\x8D\xC4"}, K::Failed,
         std::string("OSC: n\uFFFD\uFFFD\uFFFD  ERR:") + OscUndefinedAddress},
        {OscMessage{"/lumenrill/play"}.String("00:01:30\xB1" "50"), K::PlayAt, "OSC: play 00:01:30\uFFFD50", 90500},
    };
    for (const Case& c : cases) {
        // A plain message is read as a bundle's first message is.
        for (const Datagram& d : {Bundle(c.message), c.message.Bytes()}) {
            const auto got = Interpret(d);
            ASSERT_TRUE(got) << c.message.address;
            EXPECT_EQ(got->kind, c.kind) << c.status;
            EXPECT_EQ(got->status, c.status);
            EXPECT_EQ(got->time, c.time) << c.status;
            EXPECT_EQ(got->port, c.port) << c.status;
            const bool unknown = c.status.ends_with(OscUndefinedAddress);
            EXPECT_EQ(got->reason, c.kind != K::Failed ? "" : unknown ? OscReasonUnknownAddress : OscReasonBadArgument)
                << c.status;
        }
    }
}

TEST(OscCommand, DatagramsOutsideThePrefixGiveNoCommand)
{
    EXPECT_FALSE(Interpret(Bundle(OscMessage{"/Lumenrill/play"})));
    EXPECT_FALSE(Interpret(Bundle(OscMessage{"/other/play"})));
    Datagram short23 = Bundle(OscMessage{"/lumenrill/play"});
    short23.resize(23);
    EXPECT_FALSE(Interpret(short23));
}

TEST(OscCommand, AButtonsPressRunsItsCommandAndItsReleaseIsNone)
{
    struct Case {
        const char* address;
        K pressed;
    };
    const Case cases[] = {
        {"/lumenrill/play", K::Play},
        {"/lumenrill/stop", K::Stop},
        {"/lumenrill/pause", K::Pause},
        {"/lumenrill/status", K::Status},
    };
    for (const Case& c : cases) {
        for (const OscMessage& press : {OscMessage{c.address}.Float(1), OscMessage{c.address}.Int(127),
                                        OscMessage{c.address}.Float(0.5f), OscMessage{c.address}.Float(-1)})
            EXPECT_EQ(Interpret(press.Bytes())->kind, c.pressed) << OscText(press.Bytes());
        for (const OscMessage& release :
             {OscMessage{c.address}.Float(0), OscMessage{c.address}.Float(-0.0f), OscMessage{c.address}.Int(0)})
            EXPECT_EQ(Interpret(release.Bytes())->kind, K::Release) << OscText(release.Bytes());
    }
    // A subscription's zero is no port but a release too; zero at an unknown address is
    // still unknown; a time stays a time.
    EXPECT_EQ(Interpret(OscMessage{"/lumenrill/subscribe"}.Float(0).Bytes())->kind, K::Release);
    EXPECT_EQ(Interpret(OscMessage{"/lumenrill/unsubscribe"}.Int(0).Bytes())->kind, K::Release);
    EXPECT_EQ(Interpret(OscMessage{"/lumenrill/next"}.Float(0).Bytes())->kind, K::Failed);
    EXPECT_EQ(Interpret(OscMessage{"/lumenrill/play"}.String("00:00:01.00").Bytes())->time, 1000);
}
