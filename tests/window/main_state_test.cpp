#include "window/main_state.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "store/scripted_platform.h"

namespace tavrolin {
namespace {

TEST(MainState, ASlowFileJobLetsTheWindowPaintAndHandsBackItsResult) {
    ScriptedPlatform platform;
    Main main{platform};
    const Status failed = main.whileWindowPaints([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(120));
        return Status::error(err::kDiskFull, "disk full");
    });
    EXPECT_EQ(failed.number(), err::kDiskFull);
    // The window painted in slices while the job ran, and took no input meanwhile.
    EXPECT_GE(platform.pauses.size(), 2u);
    EXPECT_EQ(platform.processEventsCalls, 0);

    platform.pauses.clear();
    EXPECT_TRUE(main.whileWindowPaints([] { return Status{}; }));
}

}  // namespace
}  // namespace tavrolin
