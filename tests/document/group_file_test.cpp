#include "document_fixture.h"

TEST_F(DocumentTest, GroupFileRoundTripAtTheCursor)
{
    Fill(0, {{5000, 0x0000FF}, {5200, 0x00FF00}, {9000}});
    Fill(3, {{5100, 0xFF0000, -20}});
    Select(0, {0, 1});
    Select(3, {0});
    ASSERT_TRUE(doc.SaveGroup(dir / "g.GRP"));

    const Bytes b = ReadBytes(dir / "g.GRP");
    ASSERT_EQ(b.size(), 3 * 52u);
    EXPECT_EQ(GetI32(b, 0), 0);
    EXPECT_EQ(GetI32(b, 4), 0);
    EXPECT_EQ(GetI32(b, 8), 200) << "duration as in memory";
    EXPECT_EQ(GetI32(b, 52 + 4), 200);
    EXPECT_EQ(GetI32(b, 104), 3);
    EXPECT_EQ(GetI32(b, 104 + 4), 100);
    EXPECT_EQ(b[20], 0);
    EXPECT_EQ(doc.Lines[0][0].Time, 5000) << "the show is not changed";

    doc.SetSelection(0, true);
    Select(0, {2});
    doc.UndoList.clear();
    doc.Modified = false;
    EXPECT_EQ(doc.LoadGroup(dir / "g.GRP", -1000), 3);
    EXPECT_EQ(Times(0), (std::vector<int32_t>{-1000, -800, 5000, 5200, 9000}));
    EXPECT_EQ(Times(3), (std::vector<int32_t>{-900, 5100}));
    EXPECT_EQ(doc.CountSelectedAll(), 3) << "only the loaded steps are selected";
    EXPECT_EQ(doc.Lines[0][0].Selected, 1);
    EXPECT_EQ(doc.Lines[0][0].Duration, 200) << "durations recomputed";
    EXPECT_EQ(doc.Lines[3][0].Brightness, -20);
    EXPECT_TRUE(doc.Modified);
    doc.Undo();
    EXPECT_EQ(Times(0), (std::vector<int32_t>{5000, 5200, 9000}));

    EXPECT_EQ(doc.LoadGroup(dir / "g.GRP", 5000), 3);
    EXPECT_EQ(Times(0), (std::vector<int32_t>{5000, 5000, 5200, 5200, 9000})) << "loading twice doubles";
}

TEST_F(DocumentTest, GroupFileReadingSkipsBadRecordsAndPartialTails)
{
    WriteBytes(dir / "bad.GRP", Concat({StepBytes(0, 0, 0, 1, 0), StepBytes(9, 0, 0, 2, 0),
                                        StepBytes(7, 10, 0, 3, 0), Bytes(6, 0xFF)}));
    EXPECT_EQ(doc.LoadGroup(dir / "bad.GRP", 0), 2);
    EXPECT_EQ(doc.Lines[7][0].Time, 10);

    WriteBytes(dir / "110.GRP", Concat({StepBytes(1, 0, 0, 1, 0), StepBytes(1, 5, 0, 2, 0), Bytes(6, 0)}));
    EXPECT_EQ(doc.LoadGroup(dir / "110.GRP", 0), 2);

    doc.Modified = false;
    const size_t undo = doc.UndoList.size();
    EXPECT_EQ(doc.LoadGroup(dir / "none.GRP", 0), 0);
    EXPECT_TRUE(doc.Modified);
    EXPECT_EQ(doc.UndoList.size(), undo);
}
