// bench/request_bench.cpp - the request hand-over's round trip: the main thread posts a request, the
// worker thread carries it out on its next pass, the main thread sees the result.
//
//   vrx_bench_requests <results> [count]
//
// Hosts the real toolkit in this process (main window, worker thread) and times count creation
// requests (9001) for image number 256, which the worker answers with 4 without touching the image
// table, so only the hand-over itself is measured. Appends the median and the 99th percentile in
// milliseconds to the results file.

#include "tests/windows/toolkit.h"
#include "bench/bench_common.h"

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <vector>

// Start is never chosen here
int user_routine(void) { return 0; }


// Dispatches the main thread's messages for about ms milliseconds
static void pump_for(int ms) {
    double end = now_ms() + ms;
    while (now_ms() < end) {
        pump_messages();
        Sleep(1);
    }
}

int main(int argc, char **argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: vrx_bench_requests <results> [count]\n");
        return 2;
    }
    int count = argc >= 3 ? atoi(argv[2]) : 1000;
    if (count < 1) count = 1;
    if (vrx_startup(GetModuleHandleW(nullptr)) != 0) return 1;
    pump_for(500);   // the worker's first passes and the start-up's own messages

    std::vector<double> times;
    int wrong = 0;
    for (int i = 0; i < count; i++) {
        double start = now_ms();
        int result = request_create_image(256, "bench", 1, 1, 32);
        times.push_back(now_ms() - start);
        if (result != 4) wrong++;
    }
    std::sort(times.begin(), times.end());
    FILE *f = fopen(argv[1], "a");
    if (f) {
        fprintf(f, "requests.median_ms %.3f\n", times[times.size() / 2]);
        fprintf(f, "requests.p99_ms %.3f\n", times[(times.size() * 99) / 100]);
        fprintf(f, "requests.count %d\n", count);
        fclose(f);
    }

    exit_procedure();
    // The message loop runs to its quit message (at most 5 s), as the program's own loop would.
    run_to_quit(5000);
    vrx_shutdown();
    if (wrong) fprintf(stderr, "bench: %d requests did not answer 4\n", wrong);
    return wrong ? 1 : 0;
}
