// The renderer's guard: an operation that runs out of memory is logged and noted once for the
// view to tell; other failures are only logged.
#include "render/RenderLog.h"

#include <gtest/gtest.h>
#include <new>
#include <stdexcept>

TEST(RenderLog, AnOperationOutOfMemoryIsNotedOnce)
{
    render_log::TakeMemoryShortage();
    struct Case
    {
        const char* what;
        void (*operation)();
        bool isShortOfMemory;
    };
    const Case cases[] = {
        {"done", [] {}, false},
        {"out of memory", [] { throw std::bad_alloc(); }, true},
        {"another failure", [] { throw std::runtime_error("failed"); }, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        EXPECT_NO_THROW(render_log::RunLogged("RenderLog_test", c.operation));
        EXPECT_EQ(c.isShortOfMemory, render_log::TakeMemoryShortage());
        EXPECT_FALSE(render_log::TakeMemoryShortage());
    }
}
