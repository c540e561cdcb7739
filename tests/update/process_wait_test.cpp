#include "update/process_wait.h"

#include <gtest/gtest.h>

namespace telvanor {
namespace {

using std::chrono::milliseconds;

// A process that ends after `runsFor` on a clock that each pause moves on by one poll.
struct Simulation {
    explicit Simulation(milliseconds runsFor) : runsFor(runsFor) {}

    WaitEnd wait(milliseconds timeout) {
        return WaitForProcessEnd(
            {[this] { return now < runsFor; }, [this] { return now; }, [this] { now += kPollInterval; }}, timeout);
    }

    milliseconds runsFor;
    milliseconds now{0};
};

TEST(ProcessWait, TimesOutOnceTheLimitIsReached) {
    Simulation run(milliseconds(1000000));
    EXPECT_EQ(run.wait(kUpdaterTimeout), WaitEnd::TimedOut);
    EXPECT_EQ(run.now, kUpdaterTimeout);  // at 150000 ms, not one poll later
}

TEST(ProcessWait, AnEndSeenAtTheLimitIsNoTimeOut) {
    Simulation run(kUpdaterTimeout);
    EXPECT_EQ(run.wait(kUpdaterTimeout), WaitEnd::Ended);
}

}  // namespace
}  // namespace telvanor
