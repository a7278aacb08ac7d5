#include "editor/canvas_fixture.h"

#include "common/paths.h"
#include "editor/canvas_rows.h"
#include "editor/edit_state.h"
#include "editor/panes/lane_view.h"
#include "editor/panes/mark_bar.h"
#include "editor/panes/reference_view.h"
#include "editor/step_geometry.h"
#include "editor/view_state.h"
#include "support/wav_writer.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>

#include <fstream>

namespace {

template <class T>
T Take(std::deque<T>& q)
{
    if (q.empty())
        return T{};
    T v = q.front();
    q.pop_front();
    return v;
}

} // namespace

std::optional<uint32_t> ScriptedDialogs::StepColor(const std::string& caption, uint32_t)
{
    colorCaptions.push_back(caption);
    return Take(colors);
}

std::optional<int64_t> ScriptedDialogs::StepTime(int32_t time)
{
    timeStarts.push_back(time);
    return Take(times);
}

std::optional<std::string> ScriptedDialogs::InputText(const std::string& caption, const std::string& prompt)
{
    inputBoxes.emplace_back(caption, prompt);
    return Take(texts);
}

std::string ScriptedDialogs::SaveGroupPath() { return Take(groupPaths); }

std::string ScriptedDialogs::OpenGroupPath(const std::string& folder)
{
    groupFolders.push_back(folder);
    return Take(groupPaths);
}

void CanvasTest::SetUp() { SetExeDir(dir.Path() + "/"); }

void CanvasTest::TearDown()
{
    if (form)
        form->close();
    form.reset();
}

void CanvasTest::StartShow(const std::vector<StepSpec>& steps, const std::string& ini, bool scripted, int32_t leadIn,
                           double scale)
{
    const std::string sound = dir / "show.wav";
    WavLayout wav;
    wav.data = Tone16(4.0, 44100, 2, 440, 12000, 6000);
    WriteBytes(sound, WavBytes(wav));
    audio->sounds[sound] = FakeSound{4000, {}};
    {
        PlayGlobals play;
        ProjectData doc(play);
        doc.Title = u"Canvas";
        doc.SetSoundPath(sound);
        doc.FileName = dir / "show.PRJ";
        doc.SetNewShowPatch(); // slot 3l+1 to 3l+3 show line l
        play.PrePlayTime = leadIn;
        play.PostPlayTime = 1000;
        for (const StepSpec& s : steps) {
            doc.CurrentLine = s.Line;
            doc.AddStep(s.Color, s.Brightness, s.Time, 0, false);
        }
        doc.CurrentLine = 0;
        ASSERT_TRUE(doc.SaveProject(false));
    }
    std::ofstream(dir / "lumenrill.INI") << "[Project]\nPrjFile=" << (dir / "show.PRJ") << "\n" << ini;
    MainWindowOptions o;
    o.ExeDir = dir.Path() + "/";
    o.SettingsPath = dir / "lumenrill.INI";
    o.Audio = audio;
    o.Platform = net.Platform();
    o.Prompts = scripted ? &dialogs : nullptr;
    form = std::make_unique<MainWindow>(std::move(o));
    form->resize(1000, 700);
    form->show();
    ASSERT_TRUE(QTest::qWaitFor([this] { return form->Started(); }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([this] { return S().State().Play.SoundDuration == 4000; }, 3000));
    form->ApplyScale();
    form->View().SetScale(scale, S().State().Play.PlayPosition);
    form->View().SetScrollPosition(0);
    std::vector<StepPos> selected;
    for (const StepSpec& s : steps) {
        const TStepList& line = Doc().Lines[size_t(s.Line)];
        for (size_t i = 0; i < line.size(); ++i)
            if (s.Selected && line[i].Time == s.Time)
                selected.push_back({s.Line, int(i)});
    }
    Doc().SelectSteps(selected);
    // Nothing done so far is an edit.
    Doc().ClearUndo();
    QApplication::processEvents();
}

const EditState& CanvasTest::Edit() { return S().Edit(); }
LaneView* CanvasTest::Lane() { return form->Rows()->Lane(); }
MarkBar* CanvasTest::Bar() { return form->Rows()->MarkBarPane(); }
ReferenceView* CanvasTest::Ref() { return form->Rows()->ReferencePane(); }
QString CanvasTest::Panel(int i) { return form->Status(StatusPanel(i))->text(); }

int CanvasTest::X(int32_t t) { return form->View().XOfTime(t) - form->View().ScrollPosition(); }

QPoint CanvasTest::OnLane(int index)
{
    const TStepRec& s = Doc().Lines[size_t(Doc().CurrentLine.load())][size_t(index)];
    return {X(s.Time), RowOfBrightness(s.Brightness, Lane()->height())};
}

QPoint CanvasTest::OnMarker(int index)
{
    const TStepRec& s = Doc().Lines[size_t(Doc().CurrentLine.load())][size_t(index)];
    return {X(s.Time), (MarkerTop + MarkerBottom) / 2};
}

namespace {

void SendMouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held,
               Qt::KeyboardModifiers keys)
{
    QMouseEvent e(type, QPointF(p), w->mapToGlobal(QPointF(p)), button, held, keys);
    QApplication::sendEvent(w, &e);
}

} // namespace

void CanvasTest::Press(QWidget* w, QPoint p, Qt::KeyboardModifiers keys, Qt::MouseButton button)
{
    SendMouse(w, QEvent::MouseButtonPress, p, button, button, keys);
}

void CanvasTest::Move(QWidget* w, QPoint p, Qt::KeyboardModifiers keys, Qt::MouseButtons held)
{
    SendMouse(w, QEvent::MouseMove, p, Qt::NoButton, held, keys);
}

void CanvasTest::Release(QWidget* w, QPoint p, Qt::KeyboardModifiers keys, Qt::MouseButton button)
{
    SendMouse(w, QEvent::MouseButtonRelease, p, button, Qt::NoButton, keys);
}

void CanvasTest::Click(QWidget* w, QPoint p, Qt::KeyboardModifiers keys, Qt::MouseButton button)
{
    Press(w, p, keys, button);
    Release(w, p, keys, button);
}

void CanvasTest::DoubleClick(QWidget* w, QPoint p, Qt::KeyboardModifiers keys)
{
    Click(w, p, keys);
    SendMouse(w, QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton, keys);
    Release(w, p, keys);
}

void CanvasTest::Wheel(QWidget* w, QPoint p, int delta, Qt::KeyboardModifiers keys)
{
    QWheelEvent e(QPointF(p), w->mapToGlobal(QPointF(p)), QPoint(), QPoint(0, delta), Qt::NoButton, keys,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

std::vector<int32_t> CanvasTest::Times(int line)
{
    std::vector<int32_t> out;
    for (const TStepRec& s : Doc().Lines[size_t(line)])
        out.push_back(s.Time);
    return out;
}

std::vector<int> CanvasTest::Selected(int line)
{
    std::vector<int> out;
    const TStepList& l = Doc().Lines[size_t(line)];
    for (size_t i = 0; i < l.size(); ++i)
        if (l[i].Selected)
            out.push_back(int(i));
    return out;
}
