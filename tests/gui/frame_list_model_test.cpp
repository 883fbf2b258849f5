#include <gtest/gtest.h>

#include "app/frame_list_model.h"

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

}  // namespace
}  // namespace orvex
