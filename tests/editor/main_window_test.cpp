// The main window offscreen on a fake player and a fake network: start-up and close orders,
// opening and replacing shows with scripted answers, drops, the transport buttons, seek and
// scrub, the time display and the status panels. Everything is pressed as a person would.
#include "output/fake_network.h"
#include "editor/actions.h"
#include "editor/main_window.h"
#include "dialogs/project_settings_dialog.h"
#include "editor/panes/first_run_hint.h"
#include "editor/panes/transport_panel.h"
#include "editor/panes/waveform_pane.h"
#include "editor/view_state.h"
#include "engine/fake_audio.h"
#include "common/paths.h"
#include "remote/osc_builder.h"
#include "common/text_codec.h"
#include "support/test_support.h"
#include "support/wav_writer.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QStatusTipEvent>
#include <QTest>
#include <QCheckBox>
#include <QDialog>
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QSlider>
#include <QSplitter>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUdpSocket>
#include <QUrl>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <set>
#include <fstream>
#include <iterator>

using ::testing::HasSubstr;
using ::testing::ElementsAre;
using ::testing::StartsWith;

namespace {

WavLayout Wav(Bytes data)
{
    WavLayout l;
    l.data = std::move(data);
    return l;
}

class ScriptedPrompts final : public SessionPrompts {
public:
    std::deque<std::string> savePaths; // answers of the save dialog; empty string: cancel
    std::deque<std::string> openPaths;
    int projectSettingsRuns = 0;
    std::string SaveProjectPath(const std::string&) override { return Take(savePaths); }
    std::string OpenProjectPath() override { return Take(openPaths); }
    void SetBusy(bool) override {}
    void RunProjectSettings() override { ++projectSettingsRuns; }
    std::optional<uint32_t> StepColor(const std::string&, uint32_t) override { return std::nullopt; }
    std::optional<int64_t> StepTime(int32_t) override { return std::nullopt; }
    std::optional<std::string> InputText(const std::string&, const std::string&) override { return std::nullopt; }

private:
    static std::string Take(std::deque<std::string>& q)
    {
        if (q.empty())
            return {};
        std::string s = q.front();
        q.pop_front();
        return s;
    }
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { SetExeDir(dir.Path() + "/"); }
    void TearDown() override
    {
        if (form)
            form->close();
        form.reset();
    }

    // A project with a 4 s stereo sound beside it, saved as name.
    std::string MakeShow(const std::string& name, const std::u16string& title = u"Evening")
    {
        const std::string sound = dir / (name + ".wav");
        WriteBytes(sound, WavBytes(Wav(Tone16(4.0, 44100, 2, 440, 12000, 6000))));
        audio->sounds[sound] = FakeSound{4000, {}};
        PlayGlobals play;
        ProjectData doc(play);
        doc.Title = title;
        doc.SetSoundPath(sound);
        doc.FileName = dir / name;
        play.PrePlayTime = 2000;
        play.PostPlayTime = 1000;
        doc.AddStep(0x0000FF, 0, 0, 0, false);
        EXPECT_TRUE(doc.SaveProject(false));
        return doc.FileName;
    }

    void Start(const std::string& ini = {})
    {
        std::ofstream(dir / "lumenrill.INI") << ini;
        MainWindowOptions o;
        o.ExeDir = dir.Path() + "/";
        o.SettingsPath = dir / "lumenrill.INI";
        o.Audio = audio;
        o.Platform = net.Platform();
        o.Prompts = &prompts;
        o.OpenUrl = [this](const QUrl& url) { opened.push_back(url); };
        form = std::make_unique<MainWindow>(std::move(o));
        form->resize(1000, 700);
        form->show();
        ASSERT_TRUE(QTest::qWaitFor([this] { return form->Started(); }, 5000));
    }

    EditorSession& S() { return form->Session(); }
    // The document and the engine state as tests arrange them.
    ProjectData& Doc() { return const_cast<ProjectData&>(S().Document()); }
    EngineState& Engine() { return const_cast<EngineState&>(S().State()); }
    QString Panel(int i) { return form->Status(StatusPanel(i))->text(); }
    std::string IniText() { return ReadText(dir / "lumenrill.INI"); }
    static std::string ReadText(const std::string& path)
    {
        std::ifstream in(path);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    QToolButton* Button(const char* action)
    {
        for (QToolButton* b : form->findChildren<QToolButton*>())
            if (b->defaultAction() && b->defaultAction()->objectName() == action)
                return b;
        return nullptr;
    }
    void Click(const char* action)
    {
        form->Actions().Update();
        QToolButton* b = Button(action);
        ASSERT_NE(b, nullptr) << action;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    bool WaitFor(const std::function<bool()>& done, int ms = 3000) { return QTest::qWaitFor(done, ms); }

    TempDir dir;
    FakeNetwork net;
    std::shared_ptr<FakeAudio> audio = std::make_shared<FakeAudio>(SystemClock());
    ScriptedPrompts prompts;
    RecordingMessages messages;
    std::vector<QUrl> opened; // addresses the window asked the browser to open
    std::unique_ptr<MainWindow> form;
};

TEST_F(MainWindowTest, FirstStartWithoutSettingsThenCloseWritesThemInOrder)
{
    Start();
    EXPECT_EQ(form->windowTitle(), "Lumenrill") << "no project opened";
    EXPECT_TRUE(form->DisplayTimer()->isActive());
    EXPECT_EQ(S().Document().FileName, "");
    EXPECT_EQ(Engine().Play.DmxPatch[0], -1) << "unpatched until a show is opened";
    EXPECT_TRUE(WaitFor([this] { return Panel(0) == "NET:--  Audio:NG  Art-Net 2.255.255.255 (eth0)"; }))
        << Panel(0).toStdString();

    form->close();
    EXPECT_TRUE(form->Closing());
    EXPECT_FALSE(form->DisplayTimer()->isActive());
    const std::string ini = IniText();
    for (const char* key : {"[OSC]", "LocalPort=9901", "[Option]", "TxUniverse=0", "LurillFormWidth=",
                            "WavLRHeight=", "[Tool1]", "[StatusBar]", "[Play]"})
        EXPECT_THAT(ini, HasSubstr(key));
    EXPECT_LT(ini.find("[OSC]"), ini.find("LurillFormLeft")) << "the engine's settings are written first";
}

// A stored Port-Address beyond 15 bits names no Art-Net port: said at start, 0 is used.
TEST_F(MainWindowTest, StoredPortAddressOutOfRangeIsSaidAndTheDefaultUsed)
{
    Start("[Option]\nTxUniverse=40000\n");
    ASSERT_FALSE(messages.entries.empty());
    EXPECT_EQ(messages.entries.front().kind, "error");
    EXPECT_THAT(messages.entries.front().text, HasSubstr("「40000」"));
    EXPECT_EQ(S().Worker()->OutputUniverse, 0);
    form->close();
}

// Stored output settings start the outputs, the status panel names them, and the close ends
// the sACN stream and keeps the CID.
TEST_F(MainWindowTest, StoredOutputsStartAreNamedAndEndAtClose)
{
    Start("[Option]\nArtNetOutput=unicast\nSacnOutput=multicast\nSacnUniverse=3\n"
          "SacnCid=5a1f3c62-8e44-4b2d-9c17-0123456789ab\n");
    EXPECT_TRUE(WaitFor([this] { return Panel(0) == "NET:--  Audio:NG  Art-Net 2.255.255.255 (eth0) + sACN 3"; }))
        << Panel(0).toStdString();
    EXPECT_GE(form->Status(StatusPanel::NetworkAudio)->width(),
              form->Status(StatusPanel::NetworkAudio)->fontMetrics().horizontalAdvance(Panel(0)))
        << "the panel shows the whole text";
    ASSERT_TRUE(WaitFor([this] { return !net.SacnSent().empty(); }));
    EXPECT_EQ(net.SacnSent()[0].address, 0xEFFF0003u);

    form->close();
    const auto sent = net.SacnSent();
    ASSERT_GE(sent.size(), 3u);
    for (size_t i = sent.size() - 3; i < sent.size(); ++i)
        EXPECT_EQ(sent[i].bytes[112], 0x40) << "Stream_Terminated";
    const std::string ini = IniText();
    for (const char* key : {"ArtNetOutput=unicast", "SacnOutput=multicast", "SacnUniverse=3",
                            "SacnCid=5a1f3c62-8e44-4b2d-9c17-0123456789ab"})
        EXPECT_THAT(ini, HasSubstr(key));
}

TEST_F(MainWindowTest, StartOpensTheLastProjectWithItsSoundAndTitle)
{
    const std::string show = MakeShow("show.PRJ");
    Start("[Project]\nPrjFile=" + show + "\n");
    EXPECT_EQ(form->windowTitle(), "Lumenrill  - Evening");
    EXPECT_EQ(S().Sound().FrameCount(), 400u) << "summary built from the sound";
    EXPECT_TRUE(std::ifstream(dir / "show.wfm").good()) << "and cached beside the project";
    EXPECT_TRUE(WaitFor([this] { return S().State().Play.SoundDuration == 4000; }));
    EXPECT_TRUE(S().State().SoundLoaded);
    EXPECT_EQ(Panel(2), "スケール= 0.250");
}

TEST_F(MainWindowTest, AMissingProjectLeavesAnEmptyShowNamedAfterIt)
{
    Start("[Project]\nPrjFile=" + (dir / "gone.PRJ") + "\n");
    EXPECT_EQ(form->windowTitle().toStdString(), "Lumenrill  - " + (dir / "gone.PRJ"));
    EXPECT_FALSE(S().State().SoundLoaded);
    EXPECT_EQ(prompts.projectSettingsRuns, 0) << "only a new show asks for its settings";
}

struct AskCase {
    const char* name;
    bool hasFileName;
    Answer answer;
    std::string savePath; // the save dialog's answer
    bool saveFails;
    int expected;
    bool replaced; // the new show replaced the old one
};

void PrintTo(const AskCase& c, std::ostream* os) { *os << c.name; }

class AskSaveChangesTest : public MainWindowTest, public ::testing::WithParamInterface<AskCase> {};

// New show from the File menu with unsaved changes: every answer of the question and the
// dialog, and a save that fails, which must keep the show rather than discard it.
TEST_P(AskSaveChangesTest, NewShowAsksFirst)
{
    const AskCase c = GetParam();
    const std::string show = MakeShow("show.PRJ");
    Start("[Project]\nPrjFile=" + show + "\n");
    ProjectData& doc = Doc();
    if (!c.hasFileName)
        doc.FileName.clear();
    doc.AddStep(0x00FF00, 0, 1000, 0, true);
    ASSERT_TRUE(doc.Modified);
    messages.answers = {c.answer};
    if (!c.savePath.empty())
        prompts.savePaths = {c.savePath == "-" ? "" : dir / c.savePath};
    if (c.saveFails)
        std::filesystem::create_directory(dir / "blocked.PRJ"); // a folder where the file would go
    if (c.saveFails)
        doc.FileName = dir / "blocked.PRJ";

    form->Actions().Trigger(Command::NewProject);
    ASSERT_FALSE(messages.entries.empty());
    EXPECT_EQ(messages.entries.front().kind, "ask");
    EXPECT_THAT(messages.entries.front().text, HasSubstr("変更内容を保存しますか"));
    EXPECT_EQ(doc.Lines[0].size() != 2, c.replaced) << "the changed show was kept unless replaced";
    EXPECT_EQ(prompts.projectSettingsRuns, c.replaced ? 1 : 0);
    if (c.saveFails) {
        EXPECT_EQ(messages.entries.back().kind, "error") << "a failed save is reported";
    }
    if (c.expected == 6) {
        PlayGlobals play;
        ProjectData saved(play);
        ASSERT_GE(saved.LoadProject(c.hasFileName ? show : dir / c.savePath), 1);
        EXPECT_EQ(saved.Lines[0].size(), 2u) << "the changes reached the file";
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, AskSaveChangesTest,
                         ::testing::Values(AskCase{"yes, saved", true, Answer::Yes, "", false, 6, true},
                                           AskCase{"no", true, Answer::No, "", false, 7, true},
                                           AskCase{"cancel", true, Answer::Cancel, "", false, 2, false},
                                           AskCase{"yes, untitled, dialog cancelled", false, Answer::Yes, "-",
                                                   false, 2, false},
                                           AskCase{"yes, untitled, saved as", false, Answer::Yes, "new.PRJ",
                                                   false, 6, true},
                                           AskCase{"yes, save fails", true, Answer::Yes, "", true, 2, false}),
                         [](const auto& info) {
                             std::string n = info.param.name;
                             for (char& ch : n)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return n;
                         });

TEST_F(MainWindowTest, ClosingAnUntitledChangedShowAndCancellingTheDialogKeepsTheWindowOpen)
{
    Start();
    S().Files().OpenProject("");
    Doc().AddStep(0xFF, 0, 500, 0, true);
    messages.answers = {Answer::Yes};
    prompts.savePaths = {""};
    EXPECT_FALSE(form->close());
    EXPECT_FALSE(form->Closing());
    EXPECT_TRUE(form->isVisible());
    messages.answers = {Answer::No};
}

// The desktop asked the program to save for a logout, then the logout was cancelled and the
// person went on working: a close asks again. Without anything from the person the close
// that follows asks nothing and keeps the show as it is then.
TEST_F(MainWindowTest, ASessionEndThatDoesNotEndLetsTheCloseAskAgain)
{
    const std::string show = MakeShow("show.PRJ");
    Start("[Project]\nPrjFile=" + show + "\n");
    Doc().AddStep(0xFF, 0, 500, 0, true);
    form->PrepareForSessionEnd();
    ASSERT_EQ(RecoveryCopy::FindAll(dir.Path()).size(), 1u);
    QTest::keyClick(form.get(), Qt::Key_Right);
    Doc().AddStep(0xFF00, 0, 900, 0, true);
    messages.entries.clear();
    messages.answers = {Answer::Cancel};
    EXPECT_FALSE(form->close()) << "the save question was answered with cancel";
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].kind, "ask");

    form->PrepareForSessionEnd();
    Doc().AddStep(0xFF0000, 0, 1300, 0, true);
    messages.entries.clear();
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(messages.entries.empty()) << "the session ends: nobody is asked";
    const std::vector<RecoveryCopy::Found> copies = RecoveryCopy::FindAll(dir.Path());
    ASSERT_EQ(copies.size(), 1u);
    PlayGlobals play;
    ProjectData read(play);
    ASSERT_GE(read.LoadProject(copies[0].CopyPath), 1);
    EXPECT_EQ(read.Lines[0].size(), 4u) << "the copy holds the edit made after the first request";
}

// Save As into a folder that is not there: the show keeps its name, so Ctrl+S still saves
// it where it was, and the failed path never becomes the last show.
TEST_F(MainWindowTest, AFailedSaveAsKeepsTheShowsName)
{
    const std::string show = MakeShow("show.PRJ");
    Start("[Project]\nPrjFile=" + show + "\n");
    Doc().AddStep(0xFF, 0, 500, 0, true);
    const std::string nowhere = dir / "gone/other.PRJ";
    prompts.savePaths = {nowhere};
    EXPECT_FALSE(S().Files().SaveProjectAs());
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_THAT(messages.entries[0].text, HasSubstr(nowhere));
    EXPECT_EQ(Doc().FileName, show);
    EXPECT_EQ(S().Env().PrjFile, show);
    EXPECT_TRUE(Doc().Modified);
    S().Files().SaveProjectCommand();
    EXPECT_FALSE(Doc().Modified) << "Ctrl+S saves under the old name";
    form->close();
    EXPECT_THAT(IniText(), HasSubstr("PrjFile=" + show + "\n"));
    EXPECT_THAT(IniText(), ::testing::Not(HasSubstr(nowhere)));
}

TEST_F(MainWindowTest, DropsTakeExactlyOneFileAndAProjectDropAsksFirst)
{
    Start();
    const std::string show = MakeShow("dropped.PRJ", u"Dropped");
    std::filesystem::create_directories(dir / "one");
    WriteBytes(dir / "one/a.WAV", WavBytes(Wav(Tone16(1.0, 44100, 2, 440, 9000, 9000))));
    audio->sounds[dir / "one/a.WAV"] = FakeSound{1000, {}};
    std::filesystem::create_directories(dir / "two");
    WriteBytes(dir / "two/a.wav", WavBytes(Wav(Tone16(1.0, 44100, 2, 440, 9000, 9000))));
    std::filesystem::copy_file(show, dir / "two/b.PRJ");

    auto drop = [this](const std::vector<std::string>& paths) {
        QMimeData data;
        QList<QUrl> urls;
        for (const std::string& p : paths)
            urls << QUrl::fromLocalFile(QString::fromStdString(p));
        data.setUrls(urls);
        // As the platform does: a drop reaches only a window that accepted the drag.
        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &enter);
        if (!enter.isAccepted())
            return;
        QDropEvent event(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &event);
    };

    drop({dir / "two"});
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries.back().kind, "beep") << "a folder with a WAV and a PRJ is refused";

    drop({dir / "one"});
    EXPECT_EQ(S().Sound().FrameCount(), 100u) << "the one WAV in the folder is the show's sound";
    EXPECT_TRUE(S().Document().Modified);
    EXPECT_TRUE(WaitFor([this] { return S().State().Play.SoundDuration == 1000; }));

    messages.answers = {Answer::Cancel};
    drop({show});
    EXPECT_EQ(messages.entries.back().kind, "ask") << "a dropped project asks before replacing";
    EXPECT_NE(form->windowTitle(), "Lumenrill  - Dropped");
    messages.answers = {Answer::No};
    drop({show});
    EXPECT_EQ(form->windowTitle(), "Lumenrill  - Dropped");
}

TEST_F(MainWindowTest, TransportButtonsTimeDisplayAndSeekByClick)
{
    const std::string show = MakeShow("show.PRJ");
    Start("[Project]\nPrjFile=" + show + "\n");
    ASSERT_TRUE(WaitFor([this] { return S().State().AudioOutputOk.load(); }));
    EngineState& s = Engine();

    // Stopped: a click on the waveform only moves the position.
    form->View().SetScale(1.0, s.Play.PlayPosition);
    form->View().SetScrollPosition(0);
    WaveformPane* wave = form->LeftWaveform();
    QTest::mouseClick(wave, Qt::LeftButton, Qt::NoModifier, QPoint(250, 10)); // 2.5 s of canvas: 0.5 s of sound
    EXPECT_TRUE(WaitFor([&s] { return s.AudioPosition == 500; }));
    EXPECT_EQ(s.AudioState, AudioStateKind::Stopped);
    form->DisplayTick();
    EXPECT_EQ(form->PlayPanel()->TimeLabel()->text(), " 00:00:00.50");
    EXPECT_EQ(form->PlayPanel()->TimeColor(), 0xFFFFFFu);

    Click("TopPlayAction");
    EXPECT_TRUE(s.ClockRunning);
    EXPECT_LT(s.Play.PlayPosition, 0);
    form->DisplayTick();
    EXPECT_TRUE(form->PlayPanel()->TimeLabel()->text().startsWith("-00:00:0"));
    EXPECT_EQ(form->PlayPanel()->TimeColor(), 0x808000u) << "teal in the lead-in";
    ASSERT_TRUE(WaitFor([&s] { return s.AudioState == AudioStateKind::Playing; }, 4000));

    // Playing: a click restarts playback at the clicked time.
    QTest::mouseClick(wave, Qt::LeftButton, Qt::NoModifier, QPoint(400, 10)); // 2.0 s of sound
    EXPECT_TRUE(WaitFor([&s] { return s.Play.PlayPosition >= 2000 && s.AudioState == AudioStateKind::Playing; }));

    Click("StopAction");
    EXPECT_FALSE(s.TransportActive);
    EXPECT_TRUE(WaitFor([&s] { return s.AudioState == AudioStateKind::Stopped; }));

    // Scrub: a drag moves the position while stopped, without waiting.
    QTest::mousePress(wave, Qt::LeftButton, Qt::NoModifier, QPoint(300, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(150, 10), wave->mapToGlobal(QPointF(150, 10)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(wave, &move);
    QTest::mouseRelease(wave, Qt::LeftButton, Qt::NoModifier, QPoint(150, 10));
    EXPECT_EQ(s.Play.PlayPosition, -500) << "into the lead-in: the clock position moves with it";
    form->DisplayTick();
    EXPECT_EQ(form->PlayPanel()->TimeLabel()->text(), "-00:00:00.50");
}

TEST_F(MainWindowTest, ZoomCommandsAndStatusPanels)
{
    const std::string show = MakeShow("show.PRJ");
    Start("[Project]\nPrjFile=" + show + "\n");
    form->Actions().Trigger(Command::ZoomIn);
    EXPECT_EQ(Panel(2), "スケール= 0.500");
    form->Actions().Trigger(Command::ZoomFit);
    EXPECT_DOUBLE_EQ(form->View().Scale(), form->View().FitScale());

    // Hints land in panel 4 and leave the others alone.
    QStatusTipEvent tip("出力色");
    QApplication::sendEvent(form.get(), &tip);
    EXPECT_EQ(Panel(4), "出力色");
    EXPECT_EQ(Panel(2).left(4), "スケール");

    // The volume track bar: value 128 sets the program's volume to 128 x 257.
    form->PlayPanel()->VolumeSlider()->setValue(128);
    EXPECT_EQ(Panel(2), "音量= 50");
}

TEST_F(MainWindowTest, OscPlaysFromTheTopAndReportsInPanel4)
{
    const std::string show = MakeShow("show.PRJ");
    Start("[Project]\nPrjFile=" + show + "\n[OSC]\nLocalPort=19901\n");
    ASSERT_TRUE(WaitFor([this] { return S().State().AudioOutputOk.load(); }));
    // #bundle, time tag, one message /lumenrill/play with the string "top".
    QByteArray bundle("#bundle\0", 8);
    bundle.append(QByteArray(8, '\0'));
    QByteArray message("/lumenrill/play\0", 16);
    message.append(QByteArray(",s\0\0", 4));
    message.append(QByteArray("top\0", 4));
    const quint32 size = quint32(message.size());
    bundle.append(char(size >> 24)).append(char(size >> 16)).append(char(size >> 8)).append(char(size));
    bundle.append(message);
    QUdpSocket sender;
    sender.writeDatagram(bundle, QHostAddress::LocalHost, 19901);
    EXPECT_TRUE(WaitFor([this] { return Panel(4) == "OSC: play top"; })) << Panel(4).toStdString();
    EXPECT_TRUE(S().State().TransportActive);
    EXPECT_TRUE(S().State().ClockRunning);
}

// Show B's sound was moved away: B is not drawn over show A's waveform, and nothing is
// placed against a waveform that is not there.
TEST_F(MainWindowTest, AShowWhoseSoundIsMissingShowsNoWaveform)
{
    const std::string a = MakeShow("a.PRJ");
    const std::string b = MakeShow("b.PRJ");
    std::filesystem::remove(dir / "b.PRJ.wav");
    Start("[Project]\nPrjFile=" + a + "\n");
    ASSERT_GT(S().Sound().FrameCount(), 0u);
    S().Files().OpenProject(b);
    EXPECT_EQ(S().Sound().FrameCount(), 0u);
    EXPECT_FALSE(form->View().Mapped().SoundLoaded) << "the panes paint nothing";
    // Over the open show: which sound is missing and a way to choose another, not the first steps.
    auto* hint = form->findChild<FirstRunHint*>("FirstRunHint");
    ASSERT_TRUE(WaitFor([&] { return hint->isVisible(); }));
    EXPECT_THAT(hint->TextLabel()->text().toStdString(), HasSubstr(dir / "b.PRJ.wav"));
    EXPECT_THAT(hint->TextLabel()->text().toStdString(), HasSubstr("見つかりません"));
    EXPECT_THAT(hint->TextLabel()->text().toStdString(), ::testing::Not(HasSubstr("プロジェクトの新規作成")));
    EXPECT_FALSE(hint->DemoButton()->isVisible());
    ASSERT_TRUE(hint->ChooseSoundButton()->isVisible());
    bool settingsOpened = false;
    QTimer::singleShot(0, form.get(), [&] {
        settingsOpened = form->ProjectDialog()->isVisible();
        form->ProjectDialog()->reject();
    });
    QTest::mouseClick(hint->ChooseSoundButton(), Qt::LeftButton);
    EXPECT_TRUE(settingsOpened) << "the button opens the project settings, where the sound is chosen";
    form->Actions().Update();
    EXPECT_FALSE(form->Actions().Get(Command::AddStep)->isEnabled());
    EXPECT_FALSE(form->Actions().Get(Command::ZoomIn)->isEnabled());
}

// The player reports the sound's length long after the show opened (a cold start): the
// panes then span the whole timeline without a zoom or a resize.
TEST_F(MainWindowTest, TheTimelineFollowsASoundThatOpensLate)
{
    const std::string show = MakeShow("show.PRJ");
    audio->sounds[dir / "show.PRJ.wav"].openPolls = 60; // about a second and more
    Start("[Project]\nPrjFile=" + show + "\n");
    ASSERT_TRUE(WaitFor([this] { return S().State().Play.SoundDuration == 4000; }, 5000));
    form->DisplayTick();
    EXPECT_EQ(form->View().Mapped().TotalLength, 2000 + 4000 + 1000);
}

// The handle under the waveform moves like any splitter's, and the height is kept.
TEST_F(MainWindowTest, TheWaveformSplitterMovesAndItsHeightIsKept)
{
    Start("[Project]\nPrjFile=" + MakeShow("show.PRJ") + "\n[General]\nWavLRHeight=200\n");
    auto* splitter = form->findChild<QSplitter*>("WCSplitter");
    ASSERT_NE(splitter, nullptr);
    QSplitterHandle* handle = splitter->handle(1);
    const int before = form->LeftWaveform()->height();
    const QPoint from = handle->rect().center();
    auto send = [handle](QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent e(type, QPointF(at), handle->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
        QApplication::sendEvent(handle, &e);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, from + QPoint(0, 60), Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, from + QPoint(0, 60), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(form->LeftWaveform()->height(), before + 30) << "each channel takes half";
    form->close();
    EXPECT_THAT(IniText(), HasSubstr("WavLRHeight=260"));
}

TEST_F(MainWindowTest, ARightClickOnTheWaveformOpensTheStepMenu)
{
    Start("[Project]\nPrjFile=" + MakeShow("show.PRJ") + "\n");
    QWidget* pane = form->RightWaveform();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(20, 10), pane->mapToGlobal(QPointF(20, 10)), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(pane, &press);
    EXPECT_TRUE(form->PopupMenu(1)->isVisible());
    form->PopupMenu(1)->hide();
}

// A tool bar moved to another place is there again at the next start.
TEST_F(MainWindowTest, TheToolBarsArrangementIsKept)
{
    Start();
    form->addToolBar(Qt::BottomToolBarArea, form->ToolBar(2));
    form->close();
    const std::string ini = IniText();
    EXPECT_THAT(ini, HasSubstr("ToolBarLayout="));
    form.reset();
    Start(ini);
    EXPECT_EQ(form->toolBarArea(form->ToolBar(2)), Qt::BottomToolBarArea);
    EXPECT_EQ(form->toolBarArea(form->ToolBar(1)), Qt::TopToolBarArea);
}

// A settings file with placements at the ints' limits (edited by hand, or from another
// machine) opens the window on a screen, not in an overflow.
TEST_F(MainWindowTest, APlacementAtTheIntsLimitsOpensOnAScreen)
{
    Start("[General]\nLurillFormLeft=2147483647\nLurillFormTop=-2147483648\nLurillFormWidth=2147483647\n"
          "LurillFormHeight=2147483647\n");
    EXPECT_TRUE(form->screen()->availableGeometry().intersects(form->frameGeometry()));
}

TEST_F(MainWindowTest, TheFirstStartFitsTheScreensFreeArea)
{
    Start();
    QTest::qWait(20);
    const QRect available = form->screen()->availableGeometry();
    EXPECT_TRUE(available.contains(form->frameGeometry()))
        << form->frameGeometry().width() << "x" << form->frameGeometry().height();
    EXPECT_EQ(form->frameGeometry().size(), available.size()) << "the whole window, frame and all";
}

} // namespace

namespace {

// Runs act on the option dialog once it is open, then presses OK or Cancel.
void WithOptionDialog(MainWindow& form, bool ok, const std::function<void(QDialog&)>& act)
{
    QTimer::singleShot(0, &form, [&form, ok, act] {
        auto* dialog = form.findChild<QDialog*>("OptionDlg");
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
        QTest::mouseClick(dialog->findChild<QPushButton*>(ok ? "OKBtn" : "CancelBtn"), Qt::LeftButton);
    });
    for (QAction* item : form.findChildren<QAction*>())
        if (item->objectName() == "OptionItem") {
            item->trigger();
            return;
        }
    FAIL() << "no OptionItem";
}

TEST_F(MainWindowTest, OptionDialogOkTakesItsValuesCancelKeepsOnlyWhatActedAtOnce)
{
    Start();
    auto choose = [](QDialog& dialog, const char* name, int index) {
        auto* box = dialog.findChild<QComboBox*>(name);
        ASSERT_NE(box, nullptr) << name;
        box->setCurrentIndex(index);
        emit box->activated(index);
    };
    const auto setLatency = [](QDialog& dialog, int ms) {
        auto* box = dialog.findChild<QSpinBox*>("LightLatencySpinBox");
        ASSERT_NE(box, nullptr);
        box->setValue(ms);
    };
    // Cancel: the output universe acts at once and stays; the automatic save setting and the
    // light latency do not.
    WithOptionDialog(*form, false, [&](QDialog& dialog) {
        choose(dialog, "OnetComboBox", 1);
        choose(dialog, "OsubComboBox", 3);
        choose(dialog, "OidComboBox", 10);
        auto* autoSave = dialog.findChild<QCheckBox*>("AutoSaveCheckBox");
        if (autoSave)
            autoSave->setChecked(true);
        setLatency(dialog, 99);
    });
    EXPECT_EQ(S().Worker()->OutputUniverse, 0x13A) << "the Port-Address (Net 1) acted at once";
    EXPECT_FALSE(S().Env().AutoSave);
    EXPECT_EQ(Engine().Play.LightLatency, 0);

    EXPECT_EQ(form->ToolBar(3)->minimumHeight(), 58);
    WithOptionDialog(*form, true, [&](QDialog& dialog) {
        auto* autoSave = dialog.findChild<QCheckBox*>("AutoSaveCheckBox");
        ASSERT_NE(autoSave, nullptr);
        autoSave->setChecked(true);
        dialog.findChild<QCheckBox*>("FlatBtnCheckBox")->setChecked(true);
        setLatency(dialog, -40);
    });
    EXPECT_TRUE(S().Env().AutoSave);
    // Flat tool bars are two pixels lower, from the OK on.
    EXPECT_EQ(form->ToolBar(1)->minimumHeight(), 30);
    EXPECT_EQ(form->ToolBar(4)->minimumHeight(), 56);
    EXPECT_TRUE(form->AutoSaveTimer()->isActive()) << "automatic saving armed at OK";
    EXPECT_EQ(Engine().Play.LightLatency, -40) << "the next frame uses it";
    form->close();
    EXPECT_THAT(IniText(), HasSubstr("TxUniverse=314"));
    EXPECT_THAT(IniText(), HasSubstr("LightLatency=-40"));
}

} // namespace

TEST_F(MainWindowTest, AnEmptyWindowSaysHowToBeginUntilAShowHasItsSound)
{
    const std::string show = MakeShow("show.PRJ");
    Start();
    auto* hint = form->findChild<QWidget*>("FirstRunHint");
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->isVisible());
    EXPECT_THAT(hint->findChild<QLabel*>("FirstRunHintText")->text().toStdString(), HasSubstr("プロジェクトの新規作成"));
    EXPECT_EQ(hint->geometry(), hint->parentWidget()->rect()) << "it covers the waveform area";

    form->OpenWhenStarted(show);
    EXPECT_TRUE(WaitFor([&] { return !hint->isVisible(); }));
}

// A newcomer's first start offers the demo show: pressed, it opens from a copy in the user's
// data folder, and played from the top its lights change frame by frame.
TEST_F(MainWindowTest, TheFirstStartOffersTheDemoShowWhichPlays)
{
    const std::string dataHome = dir / "data";
    // The user's data folder for this case only, whatever stops it.
    struct DataHome {
        explicit DataHome(const std::string& path) { setenv("XDG_DATA_HOME", path.c_str(), 1); }
        ~DataHome() { unsetenv("XDG_DATA_HOME"); }
    } scoped(dataHome);
    audio->sounds[dataHome + "/lumenrill/demo/demo.wav"] = FakeSound{30000, {}};
    Start();
    auto* offer = form->findChild<QPushButton*>("DemoButton");
    ASSERT_NE(offer, nullptr);
    EXPECT_EQ(offer->text(), "デモショーを開く");
    EXPECT_TRUE(offer->hasFocus()) << "Enter opens it";
    QTest::mouseClick(offer, Qt::LeftButton);
    EXPECT_EQ(S().Document().Title, u"Lumenrill Demo");
    EXPECT_EQ(S().Document().FileName, dataHome + "/lumenrill/demo/Demo.PRJ");
    EXPECT_TRUE(WaitFor([&] { return !offer->isVisible(); }));
    ASSERT_NE(form->Menu("Help1")->findChild<QAction*>("HelpDemoItem"), nullptr);

    net.ClearSent();
    QTest::mouseClick(Button("TopPlayAction"), Qt::LeftButton);
    std::set<Bytes> looks;
    EXPECT_TRUE(WaitFor(
        [&] {
            for (const Bytes& packet : net.SentWithOpCode(0x5000))
                if (packet.size() > 18 && std::any_of(packet.begin() + 18, packet.end(), [](uint8_t v) { return v; }))
                    looks.insert(Bytes(packet.begin() + 18, packet.end()));
            return looks.size() >= 5;
        },
        10000))
        << looks.size() << " different lit frames";
}

TEST_F(MainWindowTest, HelpOpensTheManualAndF1ItsSectionForTheOpenMenuOrWindow)
{
    Start();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));

    form->Menu("Help1")->actions().constFirst()->trigger(); // Contents1
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(opened[0].isLocalFile());
    EXPECT_TRUE(opened[0].toLocalFile().endsWith("manual/ja/index.html")) << opened[0].toString().toStdString();
    EXPECT_EQ(opened[0].fragment(), "");

    QTest::keyClick(form->LeftWaveform(), Qt::Key_F1);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[1].fragment(), "main-window");

    QMenu* edit = form->Menu("Edit1");
    edit->popup(form->mapToGlobal(QPoint(40, 40)));
    ASSERT_TRUE(WaitFor([edit] { return edit->isVisible(); }));
    QTest::keyClick(edit, Qt::Key_F1);
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[2].fragment(), "edit-menu");
    edit->close();

    // Every section F1 can lead to is in the manual.
    std::ifstream manual(opened[0].toLocalFile().toStdString());
    const std::string html((std::istreambuf_iterator<char>(manual)), std::istreambuf_iterator<char>());
    for (const char* id : {"main-window", "file-menu", "edit-menu", "play-menu", "view-menu", "settings-menu",
                           "help-menu", "extended-selection"})
        EXPECT_THAT(html, HasSubstr(std::string("id=\"") + id + "\"")) << id;
}

namespace {

// An OSC port that cannot be had leaves the old one listening and says why; a port outside
// 1-65535 is refused rather than wrapped into another.
TEST_F(MainWindowTest, AnOscPortThatFailsKeepsTheOldOne)
{
    Start("[Project]\nPrjFile=" + MakeShow("show.PRJ") + "\n[OSC]\nLocalPort=19911\n");
    QUdpSocket taken;
    ASSERT_TRUE(taken.bind(QHostAddress::AnyIPv4, 19912));
    for (const char* typed : {"19912", "70000", "-1", "abc"}) {
        messages.entries.clear();
        WithOptionDialog(*form, false, [typed](QDialog& dialog) {
            dialog.findChild<QLineEdit*>("OscPortEdit")->setText(typed);
            QTest::mouseClick(dialog.findChild<QPushButton*>("PortAppBtn"), Qt::LeftButton);
        });
        ASSERT_EQ(messages.entries.size(), 1u) << typed;
        EXPECT_EQ(messages.entries[0].kind, "error");
        EXPECT_THAT(messages.entries[0].text, HasSubstr(typed));
        EXPECT_EQ(S().Osc().Port(), 19911) << typed;
        EXPECT_TRUE(S().Osc().Listening()) << typed;
    }
    form->close();
    EXPECT_THAT(IniText(), HasSubstr("LocalPort=19911"));
}

// A port typed and taken with OK alone is used; a bad one keeps the dialog open.
TEST_F(MainWindowTest, AnOscPortTypedIsTakenByOk)
{
    Start("[Project]\nPrjFile=" + MakeShow("show.PRJ") + "\n[OSC]\nLocalPort=19914\n");
    WithOptionDialog(*form, true, [](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("OscPortEdit")->setText("19915");
    });
    EXPECT_EQ(S().Osc().Port(), 19915);
    EXPECT_TRUE(messages.entries.empty());
    bool stayedOpen = false;
    WithOptionDialog(*form, true, [&](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("OscPortEdit")->setText("70000");
        QTest::mouseClick(dialog.findChild<QPushButton*>("OKBtn"), Qt::LeftButton);
        stayedOpen = dialog.isVisible();
        dialog.findChild<QLineEdit*>("OscPortEdit")->setText("19915");
    });
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_THAT(messages.entries[0].text, HasSubstr("70000"));
    EXPECT_EQ(S().Osc().Port(), 19915);
}

// A stored port out of range is said as such at start, not as an unknown error.
TEST_F(MainWindowTest, AStoredOscPortOutOfRangeSaysWhatIsWrong)
{
    Start("[Project]\nPrjFile=" + MakeShow("show.PRJ") + "\n[OSC]\nLocalPort=70000\n");
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_THAT(messages.entries[0].text, HasSubstr("70000"));
    EXPECT_THAT(messages.entries[0].text, HasSubstr("65535"));
    EXPECT_THAT(messages.entries[0].text, ::testing::Not(HasSubstr("Unknown")));
    EXPECT_FALSE(S().Osc().Listening());
}

// The OSC lists from the option dialog: a bad item is named and nothing is taken until both
// lists read. Then a sender outside the allow list is refused and shown in panel 4, and the
// feedback target hears the show from the display timer; both lists are kept at exit.
TEST_F(MainWindowTest, OscListsFromTheOptionDialogRefuseAndTell)
{
    Start("[Project]\nPrjFile=" + MakeShow("show.PRJ") + "\n[OSC]\nLocalPort=19913\n");
    QUdpSocket target;
    ASSERT_TRUE(target.bind(QHostAddress::LocalHost, 19914));
    WithOptionDialog(*form, true, [this](QDialog& dialog) {
        auto* feedback = dialog.findChild<QLineEdit*>("OscFeedbackEdit");
        auto* allow = dialog.findChild<QLineEdit*>("OscAllowEdit");
        ASSERT_TRUE(feedback && allow);
        struct Case {
            const char* feedback;
            const char* allow;
            const char* named;
        };
        for (const Case& c : {Case{"127.0.0.1:19914, 127.0.0.1", "10.1.2.0/24", "「127.0.0.1」"},
                              Case{"127.0.0.1:19914", "10.1.2.0/24, 10.0.0.0/33", "「10.0.0.0/33」"}}) {
            feedback->setText(c.feedback);
            allow->setText(c.allow);
            messages.entries.clear();
            QTest::mouseClick(dialog.findChild<QPushButton*>("OKBtn"), Qt::LeftButton);
            EXPECT_TRUE(dialog.isVisible()) << c.named;
            ASSERT_EQ(messages.entries.size(), 1u) << c.named;
            EXPECT_THAT(messages.entries[0].text, HasSubstr(c.named));
            EXPECT_EQ(S().Osc().Lists().FeedbackTargets, "") << "nothing is taken";
            EXPECT_EQ(S().Osc().Lists().AllowFrom, "");
        }
        feedback->setText("127.0.0.1:19914");
        allow->setText("10.1.2.0/24  10.9.9.9");
    });
    EXPECT_EQ(S().Osc().Lists().AllowFrom, "10.1.2.0/24, 10.9.9.9");

    QUdpSocket sender;
    ASSERT_TRUE(sender.bind(QHostAddress::LocalHost, 0));
    const Datagram play = OscMessage("/lumenrill/play").String("top").Bytes();
    sender.writeDatagram(reinterpret_cast<const char*>(play.data()), qint64(play.size()), QHostAddress::LocalHost, 19913);
    const QString refused = QString("OSC: 拒否 127.0.0.1:%1 (1 件)").arg(sender.localPort());
    EXPECT_TRUE(WaitFor([&] { return Panel(4) == refused; })) << Panel(4).toStdString();
    EXPECT_FALSE(S().State().TransportActive);
    EXPECT_FALSE(sender.hasPendingDatagrams()) << "a refused sender is not answered";

    std::vector<std::string> heard;
    EXPECT_TRUE(WaitFor([&] {
        while (target.hasPendingDatagrams()) {
            QByteArray d(int(target.pendingDatagramSize()), '\0');
            d.resize(int(target.readDatagram(d.data(), d.size())));
            heard.push_back(OscText(std::span(reinterpret_cast<const uint8_t*>(d.constData()), size_t(d.size()))));
        }
        return !heard.empty();
    }));
    // The whole state, in one bundle.
    EXPECT_THAT(heard, ElementsAre(::testing::MatchesRegex(
                           "/lumenrill/state stopped; /lumenrill/time [-0-9.]+; /lumenrill/show Evening 4.000")));
    form->close();
    EXPECT_THAT(IniText(), HasSubstr("FeedbackTargets=127.0.0.1:19914"));
    EXPECT_THAT(IniText(), HasSubstr("AllowFrom=10.1.2.0/24, 10.9.9.9"));
}

} // namespace
