#include "patching/maps_lock.h"
#include "tests/support/temp_dir.h"

#include <future>
#include <gtest/gtest.h>
#include <thread>

namespace quorvell::patching {
namespace {

using namespace std::chrono_literals;

// The lock is held by another thread, as another process would hold it:
// within one thread a Windows mutex is taken again at once.
TEST(MapsFolderLock, WaitsForTheHolderAndGivesUpAfterTheTimeoutNamingTheFolder) {
    testing::TempDir dir;
    std::promise<void> taken;
    std::promise<void> letGo;
    std::thread holder([&] {
        const MapsFolderLock lock(dir.path());
        taken.set_value();
        letGo.get_future().wait();
    });
    taken.get_future().wait();

    int waiting = 0;
    int polls = 0;
    const LockWaitHooks counting{[&] { ++waiting; }, [&] { ++polls; }};
    const auto sameFolder = dir.path() / "."; // spelt otherwise, still the same folder
    try {
        const MapsFolderLock second(sameFolder, counting, 200ms);
        ADD_FAILURE() << "taken while another holds it";
    } catch (const MapsFolderBusy& busy) {
        EXPECT_NE(busy.path().find(dir.path().filename().string()), std::string::npos);
        EXPECT_NE(busy.reason().find("another Quorvell"), std::string::npos) << busy.reason();
    }
    EXPECT_EQ(waiting, 1);
    EXPECT_GE(polls, 2);

    // Let go while the next one waits: it gets the lock then.
    waiting = 0;
    polls = 0;
    const LockWaitHooks releasing{[&] { ++waiting; },
                                  [&] {
                                      if (++polls == 2) {
                                          letGo.set_value();
                                      }
                                  }};
    {
        const MapsFolderLock third(dir.path(), releasing, 10s);
        EXPECT_EQ(waiting, 1);
    }
    holder.join();

    waiting = 0;
    const MapsFolderLock idle(dir.path(), counting);
    EXPECT_EQ(waiting, 0);
}

} // namespace
} // namespace quorvell::patching
