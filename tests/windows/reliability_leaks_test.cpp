// tests/windows/reliability_leaks_test.cpp - 150 create/draw/destroy cycles of every kind of toolkit
// object with the GDI table filled to 200 free places: a cycle that leaks one GDI object makes the
// toolkit's creations fail within the run. The long run is the stress test of tests/stress.
#include "tests/stress/leak_cycles.h"
#include "tests/windows/harness.h"

#include <gtest/gtest.h>

TEST(Leaks, AHundredAndFiftyCyclesLeaveTheGdiTableAndMemoryAsTheyWere) {
    ASSERT_EQ(harness_start(), 0);
    LeakRun run = run_leak_cycles(150, 30, 200);
    EXPECT_TRUE(run.filled) << "the GDI table has a limit to fill";
    EXPECT_EQ(run.cycles, 150);
    expect_no_leak(run);
    EXPECT_TRUE(harness_exit());
}
