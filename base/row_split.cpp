// base/row_split.cpp - the helper thread and the bands of rows it shares with the caller.
//
// NOTE: the rows are handed out in bands from a shared counter rather than in two fixed halves, so a
//       helper that another program keeps off its core costs the caller only the band it holds.
// NOTE: the helper is never stopped. Between jobs it waits on its event holding no lock, and a caller
//       returns only once the helper has finished its bands, so at the process's end it is simply
//       ended with the other threads. Only a caller that is terminated mid-job (Exit after a hung
//       worker) leaves it running its last bands, and the process ends right after that.
//
// Thread: the worker thread calls; the helper thread only runs bands of the job in hand.

#include "base/row_split.h"

#include <windows.h>

#include <atomic>

//----------------------------------------------------------------------------------
// State
//----------------------------------------------------------------------------------

// Below this many bytes a job runs on the calling thread alone: waking the helper costs more
static const size_t SPLIT_MIN_BYTES = (size_t)4 << 20;
// Bands per job: enough that the two threads end together, few enough that a band is large
static const int SPLIT_BANDS = 32;

static HANDLE helper_thread, work_ready, work_done;
static std::atomic<int> split_busy{0};   // 1 while a job is shared

// The job in hand
static RowJob job_routine;
static void *job_context;
static int job_rows, job_band;
static std::atomic<int> job_next{0};   // the next band to take

//----------------------------------------------------------------------------------
// Bands
//----------------------------------------------------------------------------------

// Takes bands of the job in hand until none is left
static void run_bands(void) {
    for (;;) {
        int band = job_next.fetch_add(1, std::memory_order_relaxed);
        long long first = (long long)band * job_band;
        if (first >= job_rows) return;
        long long last = first + job_band < job_rows ? first + job_band : job_rows;
        job_routine(job_context, (int)first, (int)last);
    }
}

// Thread procedure of the helper: one share of each job, for the life of the process
static DWORD WINAPI helper_main(LPVOID) {
    for (;;) {
        if (WaitForSingleObject(work_ready, INFINITE) != WAIT_OBJECT_0) return 0;
        run_bands();
        SetEvent(work_done);
    }
}

// Starts the helper thread on first use; false when it cannot be had
static bool helper_ready(void) {
    if (helper_thread) return true;
    if (!work_ready) work_ready = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (!work_done) work_done = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (!work_ready || !work_done) return false;
    helper_thread = CreateThread(nullptr, 64 * 1024, helper_main, nullptr, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    return helper_thread != nullptr;
}

//----------------------------------------------------------------------------------
// Calls
//----------------------------------------------------------------------------------

// Runs job over rows 0..rows-1 on both threads when it is large, else here alone
void split_rows(RowJob job, void *context, int rows, size_t bytes) {
    if (rows <= 0) return;
    int idle = 0;
    if (rows < 2 || bytes < SPLIT_MIN_BYTES || !split_busy.compare_exchange_strong(idle, 1)) {
        job(context, 0, rows);
        return;
    }
    if (!helper_ready()) {
        split_busy.store(0);
        job(context, 0, rows);
        return;
    }
    job_routine = job;
    job_context = context;
    job_rows = rows;
    job_band = (rows + SPLIT_BANDS - 1) / SPLIT_BANDS;
    job_next.store(0, std::memory_order_relaxed);
    SetEvent(work_ready);   // publishes the job to the helper
    run_bands();
    WaitForSingleObject(work_done, INFINITE);
    split_busy.store(0);
}
