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
    EXPECT_EQ(run.failed_steps, 0) << "in cycle " << run.first_failed_cycle;
    EXPECT_TRUE(run.gdi_works_at_end);
    EXPECT_GE(run.free_at_end, run.free_at_baseline - 10) << "GDI places used up after the first cycles";
    EXPECT_LE((double)run.memory_at_end, run.memory_at_baseline * 1.05) << "private memory grew more than 5 %";
    if (!under_wine()) {
        EXPECT_LE(run.gdi_at_end, run.gdi_at_baseline + 5);
        EXPECT_LE(run.user_at_end, run.user_at_baseline + 5);
    }
    EXPECT_TRUE(harness_exit());
}
