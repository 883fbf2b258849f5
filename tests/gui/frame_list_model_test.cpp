#include <gtest/gtest.h>

#include "app/widgets/frame_list_model.h"

namespace orvex {
namespace {

TEST(FrameListModel, ShowsAppendedItemsInBatchesAndKeepsTheirBytes) {
    FrameListModel model;
    model.Append("HELLO");
    model.Append("caf\xE9");
    EXPECT_EQ(model.rowCount(), 0);
    model.Flush();
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.index(1, 0).data().toString(), QString::fromUtf8("café"));
    model.Flush();
    EXPECT_EQ(model.rowCount(), 2);
    model.Clear();
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(FrameListModel, DuringALoadShowsItemsInGrowingBatches) {
    FrameListModel model;
    model.Append("first");
    model.ShowPending();
    EXPECT_EQ(model.rowCount(), 1);
    for (int i = 0; i < 15; ++i) {
        model.Append("more");
    }
    model.ShowPending();
    ASSERT_EQ(model.rowCount(), 16);
    model.Append("one of sixteen shown is not enough");
    model.ShowPending();
    EXPECT_EQ(model.rowCount(), 16);
    model.Append("two is an eighth");
    model.ShowPending();
    EXPECT_EQ(model.rowCount(), 18);
    model.Append("the end of the load shows the rest");
    model.Flush();
    EXPECT_EQ(model.rowCount(), 19);
}

}  // namespace
}  // namespace orvex
