// The session without a window: scripted dialogs, the fake player and network. What an
// edit reports, how a step becomes current, the answers of the save question, the OSC
// server's port and the transport's seek and scrub.
#include "output/fake_network.h"
#include "common/paths.h"
#include "common/string_table.h"
#include "editor/canvas_fixture.h"
#include "editor/editor_session.h"
#include "engine/fake_audio.h"
#include "remote/osc_builder.h"
#include "support/test_support.h"
#include "support/wav_writer.h"

#include <QDateTime>
#include <QHostAddress>
#include <QTest>
#include <QUdpSocket>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

class EditorSessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetExeDir(dir.Path() + "/");
        const std::string sound = dir / "show.wav";
        WavLayout wav;
        wav.data = Tone16(4.0, 44100, 2, 440, 12000, 6000);
        WriteBytes(sound, WavBytes(wav));
        audio->sounds[sound] = FakeSound{4000, {}};
        PlayGlobals play;
        ProjectData doc(play);
        doc.SetSoundPath(sound);
        doc.FileName = dir / "show.PRJ";
        for (int32_t t : {500, 1000, 1500}) {
            doc.CurrentLine = 0;
            doc.AddStep(0x0000FF, 40, t, 0, false);
            doc.CurrentLine = 4;
            doc.AddStep(0x00FF00, -90, t, 0, false);
        }
        doc.CurrentLine = 0;
        ASSERT_TRUE(doc.SaveProject(false));

        StartSession();
        ASSERT_TRUE(session->Files().OpenProject(dir / "show.PRJ"));
        ASSERT_TRUE(QTest::qWaitFor([this] { return session->State().Play.SoundDuration == 4000; }, 3000));
        Doc().Modified = false;
        reports.clear();
    }
    void TearDown() override { session->Close({}, {}); }

    // A session as a new start makes it, its recovery copies written 50 ms after a change.
    void StartSession(const std::string& recoveryFolder = {})
    {
        if (session)
            session->Close({}, {});
        EditorSessionOptions o;
        o.ExeDir = dir.Path() + "/";
        o.SettingsPath = dir / "lumenrill.INI";
        o.Audio = audio;
        o.Platform = net.Platform();
        o.RecoveryFolder = recoveryFolder.empty() ? dir / "state" : recoveryFolder;
        o.RecoveryDelayMs = 50;
        o.DataFolder = dir / "data";
        session = std::make_unique<EditorSession>(std::move(o), dialogs);
        QObject::connect(session.get(), &EditorSession::changed,
                         [this](const EditorChange& change) { reports.push_back(change); });
    }
    std::vector<RecoveryCopy::Found> Copies() { return RecoveryCopy::FindAll(dir / "state"); }
    std::string ShowBytes() { return ReadText(dir / "show.PRJ"); }
    static std::string ReadText(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    ProjectData& Doc() { return const_cast<ProjectData&>(session->Document()); }

    TempDir dir;
    FakeNetwork net;
    std::shared_ptr<FakeAudio> audio = std::make_shared<FakeAudio>(SystemClock());
    ScriptedDialogs dialogs;
    RecordingMessages messages;
    std::unique_ptr<EditorSession> session;
    std::vector<EditorChange> reports;
};

TEST_F(EditorSessionTest, AnEditReportsTheLineItChangedAndNothingMore)
{
    session->FocusStep(1, StepFocus::Quiet);
    reports.clear();
    session->BrightnessStepCommand(true);
    ASSERT_FALSE(reports.empty());
    uint8_t lines = 0;
    for (const EditorChange& c : reports) {
        lines |= c.Lines;
        EXPECT_FALSE(c.Everything);
    }
    EXPECT_EQ(lines, LineBit(0));
    EXPECT_EQ(Doc().Lines[0][1].Brightness, 41);
    EXPECT_EQ(Doc().Lines[4][1].Brightness, -90);
}

TEST_F(EditorSessionTest, ALineBecomesCurrentWithoutAStepOfTheOldOne)
{
    session->FocusStep(2, StepFocus::Quiet);
    session->SelectStep(2, true);
    reports.clear();
    session->SetCurrentLine(4, true);
    EXPECT_EQ(session->CurrentLine(), 4);
    EXPECT_EQ(session->Edit().CurrentStep(), -1);
    EXPECT_EQ(Doc().CountSelectedAll(), 0);
    ASSERT_FALSE(reports.empty());
    EXPECT_TRUE(reports.back().CurrentLine);
    // Nothing current: the brightness commands change no step of the new line.
    session->BrightnessStepCommand(true);
    EXPECT_EQ(Doc().Lines[4][2].Brightness, -90);

    // The line menu's way keeps the selection.
    session->SelectStep(0, true);
    session->SetCurrentLine(0, false);
    EXPECT_EQ(Doc().CountSelectedAll(), 1);
}

// A pressed step moves the brightness slider to it and so counts as a change when the
// slider stood elsewhere; a step that becomes current quietly never does.
TEST_F(EditorSessionTest, APressedStepMarksTheShowModifiedOnlyWhenTheSliderMoves)
{
    session->FocusStep(0, StepFocus::Pressed); // the slider stood at 0
    EXPECT_TRUE(Doc().Modified);
    Doc().Modified = false;
    session->FocusStep(1, StepFocus::Pressed); // the same brightness as the step before
    EXPECT_FALSE(Doc().Modified);
    session->SetCurrentLine(4, false);
    session->FocusStep(0, StepFocus::Quiet);
    EXPECT_FALSE(Doc().Modified);
}

TEST_F(EditorSessionTest, TheSaveQuestionsAnswers)
{
    struct Case {
        bool modified;
        Answer answer;
        SaveAnswer expected;
    };
    for (const Case& c : {Case{false, Answer::Yes, SaveAnswer::No}, Case{true, Answer::Yes, SaveAnswer::Yes},
                          Case{true, Answer::No, SaveAnswer::No}, Case{true, Answer::Cancel, SaveAnswer::Cancel}}) {
        Doc().Modified = c.modified;
        messages.answers = {c.answer};
        EXPECT_EQ(session->Files().AskSaveChanges(), c.expected) << int(c.answer) << " " << c.modified;
    }
}

TEST_F(EditorSessionTest, ScrubMovesThePositionOnlyWhileNothingPlays)
{
    session->Player().ScrubTo(2500);
    EXPECT_TRUE(QTest::qWaitFor([this] { return session->State().Play.PlayPosition == 2500; }, 2000));
    session->Player().Run(TransportCommand::Play);
    ASSERT_TRUE(QTest::qWaitFor([this] { return session->Player().Playing(); }, 2000));
    session->Player().ScrubTo(100);
    EXPECT_GE(session->State().Play.PlayPosition, 2500) << "a drag does not move a playing show";
    session->Player().Run(TransportCommand::Stop);
}

// An unsaved change is on disk soon after, without any close (what a killed program leaves);
// the show's own file is untouched; a save removes the copy.
TEST_F(EditorSessionTest, AnUnsavedChangeIsCopiedSoonAndASaveRemovesTheCopy)
{
    const std::string saved = ShowBytes();
    session->FocusStep(1, StepFocus::Quiet);
    session->BrightnessStepCommand(true);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !Copies().empty(); }, 3000));
    const RecoveryCopy::Found copy = Copies().front();
    EXPECT_EQ(copy.Record.ShowPath, dir / "show.PRJ");
    EXPECT_NEAR(double(copy.Record.SavedAt), double(QDateTime::currentSecsSinceEpoch()), 5);
    PlayGlobals play;
    ProjectData read(play);
    ASSERT_GE(read.LoadProject(copy.CopyPath), 1);
    EXPECT_EQ(read.Lines[0][1].Brightness, 41) << "the copy holds the edit";
    EXPECT_EQ(ShowBytes(), saved) << "the show's own file is untouched";

    session->Files().SaveProjectCommand();
    EXPECT_TRUE(Copies().empty()) << "a saved show needs no copy";
}

// At start each copy is offered: open it (as the show, with unsaved changes, its own file
// untouched), discard it once that is confirmed, or keep it for later.
TEST_F(EditorSessionTest, AtStartACopyIsOfferedAndEachAnswerDoesWhatItSays)
{
    const std::string saved = ShowBytes();
    struct Case {
        std::deque<Answer> answers; // the offer's buttons: Yes opens, No discards, Cancel is later
        size_t questions;
        bool opened;
        size_t copiesLeft;
    };
    for (const Case& c : {Case{{Answer::Cancel}, 1, false, 1}, Case{{Answer::Yes}, 1, true, 1},
                          Case{{Answer::No, Answer::Yes}, 2, false, 0},
                          // the discard not confirmed: asked again, and kept for later
                          Case{{Answer::No, Answer::No, Answer::Cancel}, 3, false, 1}}) {
        for (const RecoveryCopy::Found& f : Copies())
            RecoveryCopy::Discard(f);
        session->FocusStep(1, StepFocus::Quiet);
        session->BrightnessStepCommand(true);
        ASSERT_TRUE(session->KeepRecoveryCopy());
        StartSession(); // the program ended with the change unsaved
        messages.answers = c.answers;
        const bool opened = session->OfferRecoveryCopies();
        ASSERT_EQ(messages.entries.size(), c.questions);
        EXPECT_NE(messages.entries.front().text.find(dir / "show.PRJ"), std::string::npos);
        EXPECT_EQ(messages.entries.front().text.find("注意"), std::string::npos) << "the show file is older";
        messages.entries.clear();
        EXPECT_EQ(opened, c.opened);
        EXPECT_EQ(Copies().size(), c.copiesLeft) << c.questions;
        EXPECT_EQ(ShowBytes(), saved);
        if (opened) {
            EXPECT_EQ(Doc().Lines[0][1].Brightness, 41);
            EXPECT_EQ(Doc().FileName, dir / "show.PRJ") << "a save writes the show's own file";
            EXPECT_TRUE(Doc().Modified);
            session->Files().SaveProjectCommand();
            EXPECT_TRUE(Copies().empty()) << "the opened copy was this run's";
            Doc().Lines[0][1].Brightness = 40;
            ASSERT_TRUE(Doc().SaveProject(false));
        } else {
            ASSERT_TRUE(session->Files().OpenProject(dir / "show.PRJ"));
        }
    }
}

// A show saved after its copy was written: the offer says so before anyone opens the copy.
TEST_F(EditorSessionTest, TheOfferWarnsWhenTheShowFileIsNewerThanTheCopy)
{
    session->FocusStep(1, StepFocus::Quiet);
    session->BrightnessStepCommand(true);
    ASSERT_TRUE(session->KeepRecoveryCopy());
    std::filesystem::last_write_time(dir / "show.PRJ",
                                     std::filesystem::file_time_type::clock::now() + std::chrono::minutes(2));
    StartSession();
    messages.answers = {Answer::Cancel};
    EXPECT_FALSE(session->OfferRecoveryCopies());
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_NE(messages.entries[0].text.find(Msg::RecoveryShowNewer), std::string::npos) << messages.entries[0].text;
}

// Killed with the show unsaved, the copy kept for later, the show opened from disk and edited
// again: the new run writes a copy of its own, and its save removes only that one.
TEST_F(EditorSessionTest, ACopyKeptForLaterIsNeverOverwrittenByTheNextRun)
{
    session->FocusStep(1, StepFocus::Quiet);
    session->BrightnessStepCommand(true);
    ASSERT_TRUE(session->KeepRecoveryCopy());
    ASSERT_EQ(Copies().size(), 1u);
    const RecoveryCopy::Found kept = Copies().front();
    const std::string keptBytes = ReadText(kept.CopyPath);

    StartSession();
    messages.answers = {Answer::Cancel};
    ASSERT_FALSE(session->OfferRecoveryCopies());
    ASSERT_TRUE(session->Files().OpenProject(dir / "show.PRJ"));
    session->FocusStep(2, StepFocus::Quiet);
    session->BrightnessStepCommand(false);
    ASSERT_TRUE(QTest::qWaitFor([this] { return Copies().size() == 2; }, 3000));
    EXPECT_EQ(ReadText(kept.CopyPath), keptBytes);

    session->Files().SaveProjectCommand();
    ASSERT_EQ(Copies().size(), 1u);
    EXPECT_EQ(Copies().front().CopyPath, kept.CopyPath);
    EXPECT_EQ(ReadText(kept.CopyPath), keptBytes);
}

// No copy can be written (the recovery folder cannot be made): said once, however many
// edits follow; at the end the show goes beside its file, or for an untitled show to the
// data folder, and the next start names the file.
TEST_F(EditorSessionTest, ACopyThatCannotBeWrittenIsSaidAndTheEndKeepsTheShowElsewhere)
{
    WriteBytes(dir / "blocked", {1});
    for (const bool untitled : {false, true}) {
        StartSession(dir / "blocked/state");
        if (untitled)
            session->Files().OpenProject("");
        else
            ASSERT_TRUE(session->Files().OpenProject(dir / "show.PRJ"));
        messages.entries.clear();
        Doc().CurrentLine = 0;
        for (int32_t t : {2000, 2500, 3000}) {
            Doc().AddStep(0x00FFFF, 10, t, 0, true);
            QTest::qWait(150);
        }
        ASSERT_EQ(messages.entries.size(), 1u) << "said once";
        EXPECT_EQ(messages.entries[0].kind, "error");
        EXPECT_NE(messages.entries[0].text.find(dir / "blocked"), std::string::npos) << messages.entries[0].text;

        ASSERT_TRUE(session->KeepRecoveryCopy());
        const std::string folder = untitled ? dir / "data" : dir.Path();
        std::vector<std::string> kept;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.path().filename().string().find("-recovered-") != std::string::npos)
                kept.push_back(entry.path().string());
        ASSERT_EQ(kept.size(), 1u) << folder;
        PlayGlobals play;
        ProjectData read(play);
        ASSERT_GE(read.LoadProject(kept[0]), 1);
        EXPECT_EQ(read.Lines[0].size(), Doc().Lines[0].size());

        StartSession(dir / "blocked/state");
        messages.entries.clear();
        EXPECT_FALSE(session->OfferRecoveryCopies());
        ASSERT_EQ(messages.entries.size(), 1u);
        EXPECT_NE(messages.entries[0].text.find(kept[0]), std::string::npos) << messages.entries[0].text;
        messages.entries.clear();
        session->OfferRecoveryCopies();
        EXPECT_TRUE(messages.entries.empty()) << "said once";
        std::filesystem::remove(kept[0]);
    }
}

// A 24-bit WAV dropped on the window or chosen in the project settings: refused with the
// file's name and the reason, and the show, its sound and its waveform stay as they were.
TEST_F(EditorSessionTest, ASoundThatCannotBeUsedChangesNothing)
{
    WavLayout wav;
    wav.bitsPerSample = 24;
    wav.data = Bytes(44100 * 6, 0);
    const std::string deep = dir / "deep.wav";
    WriteBytes(deep, WavBytes(wav));
    const std::u16string sound = Doc().SoundFile;
    const size_t frames = session->Sound().FrameCount();
    ASSERT_GT(frames, 0u);
    const std::function<bool()> ways[] = {
        [&] { return session->Files().DropFiles({deep}); },
        [&] {
            ProjectSettingsValues v;
            v.SoundFile = deep;
            v.SoundChanged = true;
            v.PrePlayTime = session->State().Play.PrePlayTime;
            v.PostPlayTime = session->State().Play.PostPlayTime;
            session->ApplyProjectSettings(v);
            return true;
        },
    };
    for (const auto& way : ways) {
        messages.entries.clear();
        way();
        ASSERT_EQ(messages.entries.size(), 1u);
        EXPECT_EQ(messages.entries[0].text, deep + "\n未対応なフォーマットです");
        EXPECT_EQ(Doc().SoundFile, sound);
        EXPECT_FALSE(Doc().Modified);
        EXPECT_EQ(session->Sound().FrameCount(), frames) << "the waveform stays";
        EXPECT_EQ(session->State().SoundPath(), dir / "show.wav");
    }
    EXPECT_FALSE(session->Files().DropFiles({deep}));
}

TEST_F(EditorSessionTest, TheOscServerKeepsItsPortWhenAnotherFails)
{
    QUdpSocket taken;
    ASSERT_TRUE(taken.bind(QHostAddress::AnyIPv4, 19922));
    ASSERT_TRUE(session->Osc().SetPort(19921));
    EXPECT_FALSE(session->Osc().SetPort(19922));
    EXPECT_FALSE(session->Osc().SetPort(0));
    EXPECT_EQ(session->Osc().Port(), 19921);
    ASSERT_EQ(messages.entries.size(), 2u);
    EXPECT_NE(messages.entries[0].text.find("19922"), std::string::npos);

    // Still listening on the old port: a datagram there is read and reported.
    std::vector<QString> statuses;
    QObject::connect(&session->Osc(), &OscServer::status, [&](const QString& s) { statuses.push_back(s); });
    // #bundle, time tag, one message /lumenrill/stop without arguments.
    QByteArray bundle("#bundle\0", 8);
    bundle.append(QByteArray(8, '\0'));
    QByteArray message("/lumenrill/stop\0", 16);
    message.append(QByteArray(",\0\0\0", 4));
    bundle.append(QByteArray(3, '\0')).append(char(message.size())).append(message);
    QUdpSocket sender;
    sender.writeDatagram(bundle, QHostAddress::LocalHost, 19921);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !statuses.empty(); }, 2000));
}

// A control surface on a socket of its own: commands out, what the program says back in.
class OscPeer {
public:
    explicit OscPeer(EditorSession& session, quint16 port) : session_(session), port_(port)
    {
        EXPECT_TRUE(socket_.bind(QHostAddress::LocalHost, 0));
    }
    void Send(const OscMessage& m)
    {
        const Datagram d = m.Bytes();
        socket_.writeDatagram(reinterpret_cast<const char*>(d.data()), qint64(d.size()), QHostAddress::LocalHost, port_);
    }
    // Waits, the display timer's updates running, until a message starting with `text`
    // arrives; everything heard meanwhile is kept.
    bool WaitFor(const std::string& text, int ms = 3000)
    {
        return QTest::qWaitFor(
            [&] {
                session_.Osc().Update();
                while (socket_.hasPendingDatagrams()) {
                    QByteArray d(int(socket_.pendingDatagramSize()), '\0');
                    d.resize(int(socket_.readDatagram(d.data(), d.size())));
                    heard.push_back(OscText(std::span(reinterpret_cast<const uint8_t*>(d.constData()), size_t(d.size()))));
                }
                return std::any_of(heard.begin() + long(looked_), heard.end(),
                                   [&](const std::string& h) { return h.starts_with(text); });
            },
            ms);
    }
    // The times heard since the last look, in seconds.
    std::vector<double> Times()
    {
        std::vector<double> times;
        for (size_t i = looked_; i < heard.size(); ++i)
            if (heard[i].starts_with("/lumenrill/time "))
                times.push_back(std::stod(heard[i].substr(16)));
        return times;
    }
    void Look() { looked_ = heard.size(); }
    quint16 Port() const { return socket_.localPort(); }

    std::vector<std::string> heard;

private:
    EditorSession& session_;
    quint16 port_;
    QUdpSocket socket_;
    size_t looked_ = 0;
};

TEST_F(EditorSessionTest, ACommandSenderIsAnsweredAndFollowsTheShow)
{
    ASSERT_TRUE(session->Osc().SetPort(19931));
    OscPeer peer(*session, 19931);

    peer.Send(OscMessage("/lumenrill/bogus"));
    EXPECT_TRUE(peer.WaitFor("/lumenrill/error /lumenrill/bogus unknown address"));
    peer.Send(OscMessage("/lumenrill/play").String("00:61:00.00"));
    EXPECT_TRUE(peer.WaitFor("/lumenrill/error /lumenrill/play bad argument"));
    peer.Send(OscMessage("/lumenrill/pause"));
    EXPECT_TRUE(peer.WaitFor("/lumenrill/error /lumenrill/pause not playing"));
    EXPECT_FALSE(session->State().TransportActive);
    peer.Look();

    peer.Send(OscMessage("/lumenrill/status"));
    ASSERT_TRUE(peer.WaitFor("/lumenrill/ok /lumenrill/status"));
    // One datagram: a bundle of the reply and the whole state.
    EXPECT_THAT(peer.heard, ::testing::Contains(::testing::MatchesRegex(
                                "/lumenrill/ok /lumenrill/status; /lumenrill/state stopped; /lumenrill/time "
                                "[-0-9.]+; /lumenrill/show show.PRJ 4.000")));
    peer.Look();

    // From the top: the lead-in (ten seconds in this show), its time running, later values
    // at most ten a second.
    peer.Send(OscMessage("/lumenrill/play").String("top"));
    EXPECT_TRUE(peer.WaitFor("/lumenrill/ok /lumenrill/play"));
    EXPECT_TRUE(peer.WaitFor("/lumenrill/state leadin"));
    peer.Look();
    EXPECT_FALSE(peer.WaitFor("/lumenrill/state", 1000));
    const std::vector<double> times = peer.Times();
    ASSERT_GE(times.size(), 3u);
    EXPECT_LE(times.size(), 11u);
    EXPECT_TRUE(std::is_sorted(times.begin(), times.end()));
    EXPECT_LT(times.back(), 0);
    EXPECT_GT(times.back(), times.front());

    peer.Send(OscMessage("/lumenrill/play").String("00:00:01.00"));
    EXPECT_TRUE(peer.WaitFor("/lumenrill/state playing")) << ::testing::PrintToString(peer.heard);
    EXPECT_TRUE(peer.WaitFor("/lumenrill/time 1."));

    peer.Send(OscMessage("/lumenrill/stop"));
    EXPECT_TRUE(peer.WaitFor("/lumenrill/state stopped"));
    EXPECT_FALSE(session->State().TransportActive);
}

TEST_F(EditorSessionTest, ASurfaceHearsWhereItSubscribedAndAStrangerOnlyItsAnswer)
{
    ASSERT_TRUE(session->Osc().SetPort(19933));
    OscPeer surface(*session, 19933);
    OscPeer display(*session, 19933); // where the surface wants the feedback
    OscPeer stranger(*session, 19933);

    surface.Send(OscMessage("/lumenrill/subscribe").Int(display.Port()));
    EXPECT_TRUE(surface.WaitFor("/lumenrill/ok /lumenrill/subscribe"));
    EXPECT_TRUE(display.WaitFor("/lumenrill/state stopped; /lumenrill/time "));
    stranger.Send(OscMessage("/lumenrill/next"));
    EXPECT_TRUE(stranger.WaitFor("/lumenrill/error /lumenrill/next unknown address"));
    stranger.Look();

    // A button: pressed, then released.
    surface.Send(OscMessage("/lumenrill/play").Float(1));
    surface.Send(OscMessage("/lumenrill/play").Float(0));
    EXPECT_TRUE(display.WaitFor("/lumenrill/state leadin"));
    EXPECT_TRUE(display.WaitFor("/lumenrill/time -"));
    EXPECT_TRUE(session->State().TransportActive);
    EXPECT_FALSE(stranger.WaitFor("/lumenrill/", 500)) << "no stream for a stranger";
    EXPECT_TRUE(surface.WaitFor("/lumenrill/ok /lumenrill/play"));
    EXPECT_EQ(std::count(surface.heard.begin(), surface.heard.end(), "/lumenrill/ok /lumenrill/play"), 1)
        << "one answer, to the press";
}

// A list edited by hand into something that does not read: said at start, no target, nobody
// let in, and the text kept as it was for the person to put right.
TEST_F(EditorSessionTest, AStoredOscListThatDoesNotReadIsSaidAndLetsNobodyIn)
{
    session->Close({}, {});
    std::ofstream(dir / "lumenrill.INI") << "[OSC]\nFeedbackTargets=127.0.0.1\nAllowFrom=127.0.0.1, everyone\n";
    messages.entries.clear();
    StartSession();
    ASSERT_EQ(messages.entries.size(), 2u);
    EXPECT_NE(messages.entries[0].text.find("「127.0.0.1」"), std::string::npos) << messages.entries[0].text;
    EXPECT_NE(messages.entries[1].text.find("「everyone」"), std::string::npos) << messages.entries[1].text;
    EXPECT_TRUE(session->Osc().Remote().FeedbackTargets().empty());

    ASSERT_TRUE(session->Osc().SetPort(19932));
    OscPeer peer(*session, 19932);
    peer.Send(OscMessage("/lumenrill/status"));
    EXPECT_FALSE(peer.WaitFor("/lumenrill/", 500));
    EXPECT_EQ(session->Osc().Remote().RefusedCount(), 1u);
    session->Close({}, {});
    const std::string ini = ReadText(dir / "lumenrill.INI");
    EXPECT_NE(ini.find("FeedbackTargets=127.0.0.1\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("AllowFrom=127.0.0.1, everyone\n"), std::string::npos) << ini;
}

} // namespace
