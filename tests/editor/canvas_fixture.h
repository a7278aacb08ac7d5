#pragma once
// The main window offscreen on a fake player and a fake network, opened on a show with
// steps that a test lays out, and pointer events sent as the platform sends them. The
// canvas is at 1 pixel per 10 ms, scrolled to the start: with the usual 1 s lead-in, time t
// lies at canvas x (t + 1000) / 10.

#include "output/fake_network.h"
#include "editor/main_window.h"
#include "engine/fake_audio.h"
#include "support/test_support.h"

#include <QPoint>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class EditState;
class LaneView;
class MarkBar;
class ReferenceView;

struct StepSpec {
    int Line = 0;
    int32_t Time = 0;
    uint32_t Color = 0x0000FF;
    int32_t Brightness = 0;
    bool Selected = false;
};

// Scripted answers of the dialogs; an empty queue cancels.
class ScriptedDialogs final : public SessionPrompts {
public:
    std::deque<std::optional<uint32_t>> colors;
    std::deque<std::optional<int64_t>> times;
    std::deque<std::optional<std::string>> texts;
    std::deque<std::string> groupPaths; // both group file dialogs; empty: cancel
    std::vector<std::string> colorCaptions;
    std::vector<int32_t> timeStarts;
    std::vector<std::pair<std::string, std::string>> inputBoxes; // caption, prompt
    std::vector<std::string> groupFolders;                       // where the open dialog started

    std::string SaveProjectPath(const std::string&) override { return {}; }
    std::string OpenProjectPath() override { return {}; }
    void SetBusy(bool) override {}
    std::optional<uint32_t> StepColor(const std::string& caption, uint32_t) override;
    std::optional<int64_t> StepTime(int32_t time) override;
    std::optional<std::string> InputText(const std::string& caption, const std::string& prompt) override;
    std::string SaveGroupPath() override;
    std::string OpenGroupPath(const std::string& folder) override;
};

class CanvasTest : public ::testing::Test {
protected:
    static constexpr int32_t LeadIn = 1000;

    void SetUp() override;
    void TearDown() override;

    // Writes a show with a 4 s sound and these steps, and opens it in a new window. Without
    // scripted dialogs the window's own dialogs run.
    void StartShow(const std::vector<StepSpec>& steps, const std::string& ini = {}, bool scripted = true,
                   int32_t leadIn = LeadIn, double scale = 1.0);

    EditorSession& S() { return form->Session(); }
    // Tests lay out their shows directly; the window itself only reads the document.
    ProjectData& Doc() { return const_cast<ProjectData&>(form->Session().Document()); }
    // The engine state and the sound as tests arrange them.
    EngineState& Engine() { return const_cast<EngineState&>(form->Session().State()); }
    WavSound& Sound() { return const_cast<WavSound&>(form->Session().Sound()); }
    const EditState& Edit();
    LaneView* Lane();
    MarkBar* Bar();
    ReferenceView* Ref();
    QString Panel(int i);

    // Local x of time t on every canvas pane.
    int X(int32_t t);
    // The centre of step index's painted box on the lane, and of its marker on the mark bar.
    QPoint OnLane(int index);
    QPoint OnMarker(int index);

    void Press(QWidget* w, QPoint p, Qt::KeyboardModifiers keys = {}, Qt::MouseButton button = Qt::LeftButton);
    void Move(QWidget* w, QPoint p, Qt::KeyboardModifiers keys = {}, Qt::MouseButtons held = Qt::LeftButton);
    void Release(QWidget* w, QPoint p, Qt::KeyboardModifiers keys = {}, Qt::MouseButton button = Qt::LeftButton);
    void Click(QWidget* w, QPoint p, Qt::KeyboardModifiers keys = {}, Qt::MouseButton button = Qt::LeftButton);
    // Qt's order: press, release, double-click, release.
    void DoubleClick(QWidget* w, QPoint p, Qt::KeyboardModifiers keys = {});
    void Wheel(QWidget* w, QPoint p, int delta, Qt::KeyboardModifiers keys = {});

    // The times of a line's steps, in list order.
    std::vector<int32_t> Times(int line);
    std::vector<int> Selected(int line);

    TempDir dir;
    FakeNetwork net;
    std::shared_ptr<FakeAudio> audio = std::make_shared<FakeAudio>(SystemClock());
    ScriptedDialogs dialogs;
    RecordingMessages messages;
    std::unique_ptr<MainWindow> form;
};
