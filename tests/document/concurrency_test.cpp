// The engine's worker reads the lines under the read lock while the user interface edits,
// loads and undoes. Run under ThreadSanitizer this shows the locking is complete.
#include "document_fixture.h"

#include <atomic>
#include <thread>

TEST_F(DocumentTest, EvaluationWhileEditingIsSafe)
{
    doc.FileName = dir / "c.PRJ";
    for (int i = 0; i < 200; ++i)
        doc.AddStep(uint32_t(i), 0, i * 10, 0, false);
    ASSERT_TRUE(doc.SaveProject(false));

    std::atomic<bool> stop{false};
    std::atomic<long> evaluations{0};
    std::thread tick([&] {
        while (!stop) {
            auto lock = doc.ReadLock();
            const int line = doc.CurrentLine;
            for (int l = 0; l < LineCount; ++l)
                doc.EvaluateLine(l, (l == line ? 1000 : 500));
            ++evaluations;
        }
    });
    for (int round = 0; round < 30; ++round) {
        doc.CurrentLine = round % LineCount;
        doc.AddStep(1, 1, round, 0, true);
        doc.SetSelection(1, true);
        DragSteps drag = doc.StartDrag(0);
        drag.Dragged = doc.MoveSelected(3, false, drag.Dragged);
        doc.StretchSelected(drag, round * 11);
        doc.EndTimeDrag(drag.Dragged, round * 5);
        doc.DragBrightness(0, round);
        doc.WheelBrightness(1, -4);
        doc.SetStepTime(1, round);
        doc.CopySelectedAll(false);
        doc.PasteStepsAll(round * 7);
        doc.DeleteSelectedAll();
        doc.Undo();
        doc.LoadProject(dir / "c.PRJ");
    }
    while (evaluations < 10)
        std::this_thread::yield();
    stop = true;
    tick.join();
    EXPECT_EQ(doc.TotalStepCount(), 200);
}
