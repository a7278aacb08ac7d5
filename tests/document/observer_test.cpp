// What the document reports to its observers, and when.
#include "document_fixture.h"

#include <chrono>
#include <functional>
#include <future>
#include <thread>

namespace {

// Records every report, and whether another thread could take the read lock while it was
// being told (it could not if the edit still held the write lock).
class Recorder final : public DocumentObserver {
public:
    explicit Recorder(ProjectData& doc) : doc_(doc) { doc_.AddObserver(*this); }
    ~Recorder() override
    {
        doc_.RemoveObserver(*this);
        for (std::thread& t : readers_)
            t.join();
    }

    void DocumentChanged(const DocumentChange& change) override
    {
        changes.push_back(change);
        // A reader that is still blocked is joined at the end, after the edit let go.
        std::promise<void> taken;
        std::future<void> reading = taken.get_future();
        readers_.emplace_back([this, taken = std::move(taken)]() mutable {
            auto lock = doc_.ReadLock();
            taken.set_value();
        });
        lockFree = lockFree && reading.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
        stepsSeen = doc_.TotalStepCount();
    }

    std::vector<DocumentChange> changes;
    bool lockFree = true;
    int stepsSeen = -1;

private:
    ProjectData& doc_;
    std::vector<std::thread> readers_;
};

DocumentChange Change(uint8_t lines, bool selection, bool header, bool modified, bool undo)
{
    DocumentChange c;
    c.Lines = lines;
    c.Selection = selection;
    c.Header = header;
    c.Modified = modified;
    c.Undo = undo;
    return c;
}

std::string Describe(const std::vector<DocumentChange>& changes)
{
    std::string s;
    for (const DocumentChange& c : changes)
        s += "{lines " + std::to_string(c.Lines) + (c.Selection ? " selection" : "") + (c.Header ? " header" : "") +
             (c.Modified ? " modified" : "") + (c.Undo ? " undo" : "") + "} ";
    return s;
}

} // namespace

TEST_F(DocumentTest, ObserversHearOfEditsUndoAndSelectionOnceTheLockIsFree)
{
    Fill(0, {{1000}, {2000}});
    Fill(3, {{500}});
    Recorder r(doc);

    struct Case {
        const char* name;
        std::function<void()> edit;
        std::vector<DocumentChange> expected;
    };
    const Case cases[] = {
        {"first undoable edit", [&] { doc.AddStep(0, 0, 1500, 0, true); },
         {Change(LineBit(0), false, false, true, true)}},
        {"another edit: Modified and undo stay as they were", [&] { doc.AddStep(0, 0, 9000, 0, true); },
         {Change(LineBit(0), false, false, false, false)}},
        {"selection", [&] { doc.SetSelection(1, true); }, {Change(0, true, false, false, false)}},
        {"the same selection again", [&] { doc.SetSelection(1, true); }, {}},
        {"a move over two lines, one report", [&] { doc.MoveSelected(10, false); },
         {Change(LineBit(0) | LineBit(3), false, false, false, false)}},
        {"a cut: copy, snapshot and delete in one report", [&] { doc.CopySelectedAll(true); },
         {Change(LineBit(0) | LineBit(3), true, false, false, false)}},
        {"undo", [&] { doc.Undo(); }, {Change(LineBit(0) | LineBit(3), true, false, false, false)}},
        {"undo back to the first", [&] {
             doc.Undo();
             doc.Undo();
         },
         {Change(LineBit(0) | LineBit(3), true, false, false, false), Change(LineBit(0), false, false, false, true)}},
        {"undo with no history", [&] { doc.Undo(); }, {}},
        {"brightness up: no snapshot", [&] { doc.BrightnessUp(0); }, {Change(LineBit(0), false, false, false, false)}},
        {"title", [&] { doc.SetTitle(u"夜"); }, {Change(0, false, true, false, false)}},
        {"scratch plot positions", [&] {
             const PlotPoint p[] = {{{0, 0}, 3, 4}};
             doc.SetPlotPoints(p);
         },
         {}},
    };
    for (const Case& c : cases) {
        r.changes.clear();
        c.edit();
        EXPECT_EQ(r.changes, c.expected) << c.name << ": " << Describe(r.changes);
    }
    EXPECT_TRUE(r.lockFree);
}

TEST_F(DocumentTest, ObserversHearOfLoadsAndSaves)
{
    const std::string path = dir / "show.PRJ";
    WriteBytes(path, Concat({CurrentHeader(), StepBytes(2, 100, 0, 0, 0, 1), StepBytes(6, 100, 0, 0, 0)}));
    Fill(0, {{1000}});
    doc.PushUndo();
    doc.Modified = true;
    Recorder r(doc);

    EXPECT_EQ(doc.LoadProject(path), 3);
    EXPECT_EQ(r.changes, (std::vector{Change(LineBit(0) | LineBit(2) | LineBit(6), true, true, true, true)}))
        << Describe(r.changes);
    EXPECT_EQ(r.stepsSeen, 2) << "told once the new show is in place";

    r.changes.clear();
    doc.AddStep(0, 0, 0, 0, true);
    doc.FileName = dir / "saved.PRJ";
    r.changes.clear();
    ASSERT_TRUE(doc.SaveProject(false));
    EXPECT_EQ(r.changes, (std::vector{Change(0, true, false, true, true)}))
        << "the save deselects, clears the history and the mark: " << Describe(r.changes);

    r.changes.clear();
    EXPECT_EQ(doc.LoadProject(dir / "missing.PRJ"), 0);
    EXPECT_EQ(r.changes, (std::vector{Change(LineBit(0) | LineBit(2) | LineBit(6), false, false, false, false)}))
        << Describe(r.changes);
    EXPECT_TRUE(r.lockFree);
}

TEST_F(DocumentTest, AnObserverMayEditAndLeaveWhileItIsTold)
{
    struct Editor final : DocumentObserver {
        ProjectData& doc;
        int calls = 0;
        explicit Editor(ProjectData& d) : doc(d) {}
        void DocumentChanged(const DocumentChange& change) override
        {
            ++calls;
            doc.RemoveObserver(*this);
            if (change.Lines)
                doc.SetSelection(1, true); // edits again: a second report follows
        }
    } editor(doc);
    Recorder r(doc);
    doc.AddObserver(editor);
    doc.AddObserver(editor); // once is enough
    doc.AddStep(0, 0, 0, 0, false);
    EXPECT_EQ(editor.calls, 1);
    EXPECT_EQ(doc.CountSelectedAll(), 1);
    EXPECT_EQ(r.changes.size(), 2u) << Describe(r.changes);
}
