// Start-up time seen from outside: from CreateProcess until the program's
// first window is visible, for Kvoro (its New Game dialog) and for the bare
// one-window program, taken in turns so that both meet the same machine.
// Prints every run, then minimum and median of each and their ratio.
// start_bench <runs> <kvoro.exe> <bare_window.exe>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "driver/desktop.h"

namespace {

struct Subject {
    const char* name;
    const char* path;
    const char* caption;
    std::vector<double> milliseconds;
};

// Milliseconds until the window shows; negative when it never does.
double TimeToWindow(const Subject& subject) {
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    kvoro::e2e::ChildProcess child;
    if (!child.Start(subject.path)) return -1;
    do {
        QueryPerformanceCounter(&now);
        if (kvoro::e2e::FindTopLevel(child.id(), subject.caption))
            return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
        Sleep(1);
    } while (child.WaitForExit(0) == STILL_ACTIVE && now.QuadPart - start.QuadPart < 30 * frequency.QuadPart);
    return -1;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: start_bench <runs> <kvoro.exe> <bare_window.exe>\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    Subject subjects[] = {{"kvoro", argv[2], "New Game", {}}, {"bare", argv[3], "Bare", {}}};
    for (int run = 0; run < runs; ++run) {
        for (Subject& subject : subjects) {
            const double ms = TimeToWindow(subject);
            if (ms < 0) {
                std::fprintf(stderr, "%s showed no \"%s\" window\n", subject.name, subject.caption);
                return 1;
            }
            subject.milliseconds.push_back(ms);
            std::printf("run %2d  %-5s %7.1f ms\n", run + 1, subject.name, ms);
        }
    }
    for (const Subject& subject : subjects) {
        const auto fastest = *std::min_element(subject.milliseconds.begin(), subject.milliseconds.end());
        std::printf("%-5s min %7.1f ms  median %7.1f ms\n", subject.name, fastest, Median(subject.milliseconds));
    }
    std::printf("kvoro/bare  min %.2f  median %.2f\n",
                *std::min_element(subjects[0].milliseconds.begin(), subjects[0].milliseconds.end()) /
                    *std::min_element(subjects[1].milliseconds.begin(), subjects[1].milliseconds.end()),
                Median(subjects[0].milliseconds) / Median(subjects[1].milliseconds));
    return 0;
}
