// The project settings dialog over a fake host that holds a real patch: cell edits and
// their keys, the load check on the DMX frame, the buttons' questions, the times, and what
// OK and Cancel hand back.
#include "dialogs/patch_grid.h"
#include "dialogs/project_settings_dialog.h"
#include "engine/dmx_frame.h"
#include "settings/ini_file.h"
#include "common/paths.h"
#include "support/test_support.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <numeric>

namespace {

void Key(QWidget* widget, int key, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

class FakeProjectHost final : public ProjectSettingsHost {
public:
    FakeProjectHost()
    {
        for (auto& entry : play.DmxPatch)
            entry = -1;
    }
    int32_t PatchEntry(int entry) const override { return play.DmxPatch[size_t(entry)]; }
    void SetPatchEntries(int first, std::span<const int32_t> sources) override
    {
        for (size_t k = 0; k < sources.size(); ++k)
            play.DmxPatch[size_t(first) + k] = sources[k];
        ++modified;
    }
    void MarkModified() override { ++modified; }
    void SetCheckGroup(int32_t group) override { play.CheckGroup = group; }
    void CloseSound() override { ++closes; }
    void ReopenSound() override { ++reopens; }

    PlayGlobals play;
    int modified = 0;
    int closes = 0;
    int reopens = 0;
};

// The browse button's file dialog: answers with path, as the desktop's dialog gives it.
class ScriptedSoundChoice final : public ProjectSettingsPrompts {
public:
    QString path; // empty: cancelled
    QString SoundFilePath(const QString&, bool) override { return path; }
};

class ProjectSettingsDialogTest : public ::testing::Test {
protected:
    ProjectSettingsDialogTest() { SetExeDir(dir.Path() + "/"); }

    // Runs the dialog from start; inside, does `act` and presses OK or Cancel.
    std::optional<ProjectSettingsValues> Run(const ProjectSettingsValues& start, const std::function<void()>& act,
                                             bool ok = true)
    {
        QTimer::singleShot(0, &dialog, [&] {
            act();
            dialog.findChild<QPushButton*>(ok ? "OKBtn" : "CancelBtn")->click();
            // An OK refused leaves the dialog open: Cancel ends it, and nothing comes back.
            if (dialog.isVisible())
                dialog.findChild<QPushButton*>("CancelBtn")->click();
        });
        return dialog.Execute("プロジェクトの設定", start);
    }
    QModelIndex Cell(int entry) const { return dialog.Grid()->Model()->index(entry / 3 + 1, entry % 3 + 1); }
    QLineEdit* Editor(int entry) const { return qobject_cast<QLineEdit*>(dialog.Grid()->indexWidget(Cell(entry))); }
    // The pointer on a cell, through the dialog's window as the desktop sends it.
    void Click(int entry) { QTest::mouseClick(dialog.windowHandle(), Qt::LeftButton, {}, CellCentre(entry)); }
    void DoubleClick(int entry) { QTest::mouseDClick(dialog.windowHandle(), Qt::LeftButton, {}, CellCentre(entry)); }
    QPoint CellCentre(int entry) const
    {
        return dialog.Grid()->viewport()->mapTo(&dialog, dialog.Grid()->visualRect(Cell(entry)).center());
    }
    // Types text on the cell: the first key opens the editor, Enter commits.
    void Type(int entry, const QString& text)
    {
        dialog.Grid()->setCurrentIndex(Cell(entry));
        QTest::keyClicks(dialog.Grid(), text.left(1));
        QLineEdit* editor = Editor(entry);
        ASSERT_NE(editor, nullptr);
        QTest::keyClicks(editor, text.mid(1));
        Key(editor, Qt::Key_Return);
        QApplication::processEvents(); // the editor commits after handling the key
    }
    // Files dragged from a file manager (their URLs, and their names as text) and let go
    // over widget, delivered to the dialog's window as the desktop does.
    void DropFiles(QWidget* widget, const QStringList& files)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& file : files)
            urls << QUrl::fromLocalFile(file);
        data.setUrls(urls);
        data.setText(files.join('\n'));
        const QPoint at = widget->mapTo(&dialog, widget->rect().center());
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(dialog.windowHandle(), &enter);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(dialog.windowHandle(), &drop);
    }
    std::array<uint8_t, DmxSlots> Frame() const
    {
        LineColors colours{};
        colours[0] = 0x302010;
        std::array<uint8_t, DmxSlots> frame{};
        BuildDmxFrame(colours, host.play.DmxPatch, host.play.CheckGroup, frame.data());
        return frame;
    }

    TempDir dir;
    RecordingMessages messages;
    IniFile ini{dir / "lumenrill.INI"};
    FakeProjectHost host;
    ScriptedSoundChoice soundChoice;
    ProjectSettingsDialog dialog{host, ini, nullptr, &soundChoice};
};

TEST_F(ProjectSettingsDialogTest, CellEditsApplyOnCommitEscDiscardsAndKeysClear)
{
    Run({}, [&] {
        dialog.Pages()->setCurrentIndex(1);
        Type(0, "13");
        Type(510, "2R");
        // Typing without committing changes nothing.
        dialog.Grid()->setCurrentIndex(Cell(5));
        Key(dialog.Grid(), Qt::Key_7, "7");
        Key(dialog.Grid()->indexWidget(Cell(5)), Qt::Key_Escape);
        QApplication::processEvents(); // as between two key presses of a person
        Type(3, "9R");
    });
    EXPECT_EQ(host.play.DmxPatch[0], 12);
    EXPECT_EQ(host.play.DmxPatch[1], 13);
    EXPECT_EQ(host.play.DmxPatch[2], 14);
    EXPECT_EQ(host.play.DmxPatch[510], 3) << "slot 511: line 2 red";
    EXPECT_EQ(host.play.DmxPatch[511], 4) << "slot 512: line 2 green, and no slot 513";
    EXPECT_EQ(host.play.DmxPatch[5], -1) << "Esc discards";
    EXPECT_EQ(host.play.DmxPatch[3], -1);
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].kind, "beep");
    EXPECT_EQ(dialog.Grid()->Model()->data(Cell(0), Qt::DisplayRole).toString(), "Line 5(R)");
    EXPECT_EQ(dialog.Grid()->Model()->data(Cell(0), Qt::EditRole).toString(), "13") << "the editor opens on e + 1";
    EXPECT_EQ(dialog.Grid()->Model()->data(Cell(3), Qt::DisplayRole).toString(), "__");
    EXPECT_FALSE(dialog.Grid()->Model()->flags(dialog.Grid()->Model()->index(171, 3)) & Qt::ItemIsEnabled)
        << "row 171 ends at slot 512";

    Run({}, [&] {
        dialog.Pages()->setCurrentIndex(1);
        dialog.Grid()->setFocus();
        dialog.Grid()->setCurrentIndex(Cell(0));
        Key(dialog.Grid(), Qt::Key_Delete);
        EXPECT_EQ(dialog.Grid()->currentIndex(), Cell(1)) << "Delete moves on";
        Key(dialog.Grid(), Qt::Key_Backspace);
        EXPECT_EQ(dialog.Grid()->currentIndex(), Cell(1)) << "Backspace stays";
        dialog.Grid()->setCurrentIndex(Cell(511));
        Key(dialog.Grid(), Qt::Key_Delete);
        EXPECT_EQ(dialog.Grid()->currentIndex(), Cell(511)) << "no entry after slot 512";
    });
    EXPECT_EQ(host.play.DmxPatch[0], -1);
    EXPECT_EQ(host.play.DmxPatch[1], -1);
    EXPECT_EQ(host.play.DmxPatch[2], 14);
    EXPECT_EQ(host.play.DmxPatch[511], -1);
}

TEST_F(ProjectSettingsDialogTest, ACellOpenedAndLeftUnchangedKeepsThePatch)
{
    host.SetPatchEntries(0, std::vector<int32_t>{0, 2, 1}); // slots 1 to 3: 1R, 1B, 1G
    host.modified = 0;
    std::array<int32_t, 3> afterLooking{};
    int modifiedAfterLooking = -1;
    Run({}, [&] {
        dialog.Pages()->setCurrentIndex(1);
        QApplication::processEvents(); // the page is laid out
        // Opened to look, closed with Enter.
        DoubleClick(0);
        ASSERT_NE(Editor(0), nullptr);
        EXPECT_EQ(Editor(0)->text(), "1");
        Key(Editor(0), Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_EQ(Editor(0), nullptr);
        // Opened to look, left by clicking another cell.
        DoubleClick(0);
        ASSERT_NE(Editor(0), nullptr);
        Click(4);
        EXPECT_EQ(Editor(0), nullptr);
        EXPECT_EQ(dialog.Grid()->currentIndex(), Cell(4));
        std::copy_n(host.play.DmxPatch.begin(), 3, afterLooking.begin());
        modifiedAfterLooking = host.modified;

        // The same text typed anew is a patch: the red source fills green and blue again.
        DoubleClick(0);
        ASSERT_NE(Editor(0), nullptr);
        QTest::keyClick(Editor(0), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(Editor(0), "1");
        Key(Editor(0), Qt::Key_Return);
        QApplication::processEvents();
    });
    EXPECT_EQ(afterLooking, (std::array<int32_t, 3>{0, 2, 1}));
    EXPECT_EQ(modifiedAfterLooking, 0) << "the show stays unmodified";
    EXPECT_EQ(host.play.DmxPatch[1], 1);
    EXPECT_EQ(host.play.DmxPatch[2], 2);
    EXPECT_EQ(host.modified, 1);
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(ProjectSettingsDialogTest, LoadCheckFollowsTheRowOnTheFrameAndEndsWithThePage)
{
    std::array<uint8_t, DmxSlots> checked{}, afterPage{};
    Run({}, [&] {
        host.SetPatchEntries(12, std::vector<int32_t>{0, 1, 2});
        dialog.Pages()->setCurrentIndex(1);
        dialog.Grid()->setCurrentIndex(Cell(12)); // row 5: slots 13 to 15
        dialog.CheckOnButton()->click();
        EXPECT_EQ(host.play.CheckGroup, 4);
        checked = Frame();
        dialog.Grid()->setCurrentIndex(Cell(15));
        EXPECT_EQ(host.play.CheckGroup, 5) << "the check moves with the row";
        dialog.Pages()->setCurrentIndex(2);
        EXPECT_TRUE(dialog.CheckOffButton()->isChecked());
        afterPage = Frame();
        dialog.Pages()->setCurrentIndex(1);
        dialog.CheckOnButton()->click();
    });
    EXPECT_EQ(checked[12], 255);
    EXPECT_EQ(checked[13], 255);
    EXPECT_EQ(checked[14], 255);
    EXPECT_EQ(checked[15], 0);
    EXPECT_EQ(afterPage[12], 0x10) << "back to the patch: line 1 red";
    EXPECT_EQ(afterPage[14], 0x30);
    EXPECT_EQ(host.play.CheckGroup, CheckGroupOff) << "hiding the dialog ends the check";
}

TEST_F(ProjectSettingsDialogTest, ThroughPatchAndClearAllAskFirst)
{
    messages.answers = {Answer::No, Answer::Yes, Answer::Yes};
    Run({}, [&] {
        dialog.findChild<QPushButton*>("ThrPatBtn")->click();
        EXPECT_EQ(host.play.DmxPatch[23], -1) << "refused";
        dialog.findChild<QPushButton*>("ThrPatBtn")->click();
        EXPECT_EQ(host.play.DmxPatch[23], 23);
        EXPECT_EQ(host.play.DmxPatch[24], -1);
        dialog.findChild<QPushButton*>("AllClrBtn")->click();
    });
    EXPECT_EQ(host.play.DmxPatch[0], -1);
    ASSERT_EQ(messages.entries.size(), 3u);
    EXPECT_EQ(messages.entries[0].text, "スルーパッチしてもよいですか");
    EXPECT_EQ(messages.entries[2].text, "全てのパッチを解除してもよいですか");
}

TEST_F(ProjectSettingsDialogTest, TimesTitleAndSoundComeBackOnlyWithOk)
{
    ProjectSettingsValues start{"Show", "song.wav", 10000, 2500};
    auto result = Run(start, [&] {
        EXPECT_EQ(dialog.LeadInBox()->currentText(), "10");
        EXPECT_EQ(dialog.RunOutBox()->currentText(), "2") << "whole seconds";
        dialog.LeadInBox()->setCurrentIndex(0);
    });
    ASSERT_TRUE(result);
    EXPECT_EQ(result->PrePlayTime, 0);
    EXPECT_EQ(result->PostPlayTime, 2000);
    EXPECT_FALSE(result->TitleChanged);
    EXPECT_FALSE(result->SoundChanged);

    // A stored time beyond the list selects nothing; OK keeps it.
    result = Run({"", "", 45000, -1000}, [&] { EXPECT_EQ(dialog.LeadInBox()->currentIndex(), -1); });
    ASSERT_TRUE(result);
    EXPECT_EQ(result->PrePlayTime, 45000);
    EXPECT_EQ(result->PostPlayTime, -1000);

    result = Run(start, [&] { Key(dialog.TitleEdit(), Qt::Key_Exclam, "!"); }, false);
    EXPECT_FALSE(result);
    EXPECT_EQ(host.reopens, 0) << "nothing was closed";
    result = Run(start, [&] { Key(dialog.TitleEdit(), Qt::Key_Exclam, "!"); });
    ASSERT_TRUE(result);
    EXPECT_TRUE(result->TitleChanged);
    EXPECT_EQ(result->Title, "Show!");
}

TEST_F(ProjectSettingsDialogTest, AChosenSoundClosesThePlayerAtOnceAndCancelReopensIt)
{
    const std::string sound = dir / "music/a.wav";
    std::filesystem::create_directories(dir / "music");
    WriteBytes(sound, Bytes(64, 0));
    auto result = Run({"", "old.wav"}, [&] {
        dialog.ChooseSound(sound);
        EXPECT_EQ(host.closes, 1);
        EXPECT_EQ(dialog.SoundFileEdit()->text(), "music/a.wav") << "inside the executable's folder: relative";
    }, false);
    EXPECT_FALSE(result);
    EXPECT_EQ(host.reopens, 1);

    result = Run({"", "old.wav"}, [&] { dialog.ChooseSound(dir / "missing.wav"); });
    ASSERT_TRUE(result);
    EXPECT_TRUE(result->SoundChanged);
    EXPECT_EQ(result->SoundFile, "") << "a missing file empties the edit";
    EXPECT_EQ(host.reopens, 1) << "OK takes the choice";
}

TEST_F(ProjectSettingsDialogTest, AFileDroppedOnAFieldChoosesTheSound)
{
    const std::string sound = dir / "music/a.wav";
    std::filesystem::create_directories(dir / "music");
    WriteBytes(sound, Bytes(64, 0));
    for (const char* target : {"WavFileEdit", "TitleEdit", "RefWavBtn"}) {
        const int closes = host.closes;
        const auto result = Run({"Show", "old.wav"}, [&] {
            DropFiles(dialog.findChild<QWidget*>(target), {QString::fromStdString(sound)});
        });
        ASSERT_TRUE(result) << target;
        EXPECT_EQ(result->SoundFile, "music/a.wav") << target;
        EXPECT_TRUE(result->SoundChanged) << target;
        EXPECT_EQ(result->Title, "Show") << target << ": nothing is written into a field";
        EXPECT_EQ(host.closes, closes + 1) << target;
    }
}

TEST_F(ProjectSettingsDialogTest, ASoundNameTheShowCannotKeepIsRefusedAndTheOldOneStays)
{
    // Stored relative to the executable's folder (the test's folder): 260 UTF-16 units,
    // one more than the project file holds.
    const std::string folder = dir / std::string(200, 'd');
    const std::string tooLong = folder + "/" + std::string(260 - 201 - 4, 'e') + ".wav";
    const std::string undecodable = dir / "odd/\xFF.wav";
    std::filesystem::create_directories(folder);
    std::filesystem::create_directories(dir / "odd");
    WriteBytes(tooLong, Bytes(64, 0));
    WriteBytes(undecodable, Bytes(64, 0));
    const std::string tooLongMessage = "ファイル名が長すぎます(259文字まで): " + tooLong;
    const std::string undecodableMessage = "ファイル名に使えない文字が含まれています: " + dir / "odd/\uFFFD.wav";

    enum class Way { Browse, Drop, TypeAndOk };
    struct Case {
        const char* what;
        Way way;
        std::string path;
        std::string message;
    } cases[] = {
        {"browsed, too long", Way::Browse, tooLong, tooLongMessage},
        {"browsed, not UTF-8", Way::Browse, undecodable, undecodableMessage},
        {"dropped, too long", Way::Drop, tooLong, tooLongMessage},
        {"dropped, not UTF-8", Way::Drop, undecodable, undecodableMessage},
        {"dropped in its folder, not UTF-8", Way::Drop, dir / "odd", undecodableMessage},
        {"typed, too long", Way::TypeAndOk, tooLong, tooLongMessage},
    };
    for (const Case& c : cases) {
        messages.entries.clear();
        const int closes = host.closes;
        // Qt hands names over decoded, as the desktop's file dialog and a drop give them.
        const QString name = QFile::decodeName(QByteArray::fromStdString(c.path));
        const auto result = Run({"Show", "old.wav"}, [&] {
            switch (c.way) {
            case Way::Browse:
                soundChoice.path = name;
                QTest::mouseClick(dialog.BrowseSoundButton(), Qt::LeftButton);
                break;
            case Way::Drop:
                DropFiles(dialog.SoundFileEdit(), {name});
                break;
            case Way::TypeAndOk:
                dialog.SoundFileEdit()->selectAll();
                QTest::keyClicks(dialog.SoundFileEdit(), name);
                QTest::mouseClick(dialog.findChild<QPushButton*>("OKBtn"), Qt::LeftButton);
                EXPECT_TRUE(dialog.isVisible()) << c.what << ": OK is refused";
                break;
            }
            EXPECT_EQ(dialog.SoundFileEdit()->text().toStdString(), "old.wav") << c.what;
        });
        ASSERT_TRUE(result) << c.what;
        EXPECT_EQ(result->SoundFile, "old.wav") << c.what;
        EXPECT_FALSE(result->SoundChanged) << c.what;
        EXPECT_EQ(host.closes, closes) << c.what << ": the player keeps the old sound";
        ASSERT_EQ(messages.entries.size(), 1u) << c.what;
        EXPECT_EQ(messages.entries[0].kind, "error");
        EXPECT_EQ(messages.entries[0].text, c.message) << c.what;
    }
}

TEST_F(ProjectSettingsDialogTest, ThePatchPageShowsItsThreeSlotColumnsWholeAtTheDefaultSize)
{
    std::vector<int32_t> straight(24);
    std::iota(straight.begin(), straight.end(), 0);
    host.SetPatchEntries(0, straight);
    Run({}, [&] {
        dialog.Pages()->setCurrentIndex(1);
        QApplication::processEvents();
        dialog.grab().save("/tmp/lumenrill-patch-page.png");
        const PatchGrid* grid = dialog.Grid();
        EXPECT_FALSE(grid->horizontalScrollBar()->isVisible());
        EXPECT_LE(grid->columnViewportPosition(3) + grid->columnWidth(3), grid->viewport()->width())
            << "the third slot column ends inside the view";
    });
}

TEST(ActionDialogCaptionTest, UpToTheBracketWithoutAmpersandsAndDots)
{
    EXPECT_EQ(ActionDialogCaption("プロジェクトの設定(&S)..."), "プロジェクトの設定");
    EXPECT_EQ(ActionDialogCaption("プロジェクトの新規作成(&N)"), "プロジェクトの新規作成");
    EXPECT_EQ(ActionDialogCaption("&Open..."), "Open");
}

} // namespace
