// Writes that fail after the file was created: /dev/full accepts the open and refuses the data.
#include "core/geometry/FENode.h"
#include "core/model/ModelSet.h"
#include "io/unv/UnvWriter.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace
{
TEST(UnvWriter, FullDiskFailsTheWrite)
{
    if (access("/dev/full", W_OK) != 0)
        GTEST_SKIP() << "/dev/full is not available";
    for (int nodes : {3, 50000})
    {
        SCOPED_TRACE(nodes); // a few lines fail at the close, many at a write
        CModelSet model;
        for (int id = 1; id <= nodes; ++id)
            ASSERT_TRUE(model.AddNode(new CFENode(id, CPoint3D(id, 0.0, 0.0))));
        CUnvWriter writer(&model, &model);
        EXPECT_FALSE(writer.WriteUnv("/dev/full"));
        ASSERT_EQ(1u, writer.GetErrorKeys().size());
        EXPECT_EQ("Exception_write", writer.GetErrorKeys()[0]);
    }
}
} // namespace
