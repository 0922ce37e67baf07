// Opening a record file as a technician meets it, measured from outside: the
// time from starting a program on the file to its verdict colours on the
// screen, after a second of idle before each start (a machine that has been
// idle runs the first burst of work slower) and back to back. The real
// viewer runs beside the stock Qt table (bench_view_figures --show stock:
// the same texts and verdict backgrounds in a QTableView); the four-record
// file gives what every start costs, the largest file less that is the
// file's own cost.
//
// Run under X with a window manager (scripts/x-session.sh starts both):
//   DISPLAY=:60 bench_exec_to_colours [--benchmark_filter=...]
// Names read ExecToColours/<program>/<records>/idle_ms:<gap>. With
// ORVIK50_BEFORE naming another build of the viewer, it runs as "before".
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <benchmark/benchmark.h>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

Display* display = nullptr;

// A pixel of the pass verdict's pure green anywhere in the upper part of the
// screen, looked at line by line (every fourth line: a row is taller).
bool VerdictGreenOnScreen()
{
    const int screen = DefaultScreen(display);
    const Window root = RootWindow(display, screen);
    const int width = DisplayWidth(display, screen);
    const int height = std::min(DisplayHeight(display, screen), 600);
    for (int y = 0; y < height; y += 4) {
        XImage* line = XGetImage(display, root, 0, y, static_cast<unsigned>(width), 1, AllPlanes, ZPixmap);
        if (!line)
            continue;
        bool green = false;
        for (int x = 0; x < width && !green; ++x)
            green = (XGetPixel(line, x, 0) & 0xFFFFFF) == 0x00FF00;
        XDestroyImage(line);
        if (green)
            return true;
    }
    return false;
}

std::vector<std::string> Command(const std::string& program, int records)
{
    const std::string file = records == 65535 ? "large.bin" : "records-" + std::to_string(records) + ".bin";
    if (program == "stock")
        return {BENCH_VIEW_FIGURES, "--show", "stock", std::to_string(records)};
    const char* before = std::getenv("ORVIK50_BEFORE");
    return {program == "before" && before ? before : ORVIK50_VIEWER, std::string(ORVIK_SAMPLES_DIR) + "/" + file};
}

// Starts the command, waits for the colours, ends it; seconds from start to
// colours, or -1 when none came within ten seconds.
double StartToColours(const std::vector<std::string>& command)
{
    std::vector<char*> argv;
    for (const std::string& word : command)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    const Clock::time_point start = Clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    double seconds = -1;
    while (Clock::now() - start < std::chrono::seconds(10)) {
        if (VerdictGreenOnScreen()) {
            seconds = std::chrono::duration<double>(Clock::now() - start).count();
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    // The window gone before the next start.
    while (VerdictGreenOnScreen())
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return seconds;
}

void BM_ExecToColours(benchmark::State& state, const std::string& program)
{
    const int records = static_cast<int>(state.range(0));
    const auto idle = std::chrono::milliseconds(state.range(1));
    const std::vector<std::string> command = Command(program, records);
    for (auto _ : state) {
        std::this_thread::sleep_for(idle);
        const double seconds = StartToColours(command);
        if (seconds < 0) {
            state.SkipWithError("no verdict colours on the screen");
            return;
        }
        state.SetIterationTime(seconds);
    }
}

void Sizes(benchmark::internal::Benchmark* bench)
{
    bench->ArgNames({"", "idle_ms"});
    for (const int idle : {1000, 0})
        for (const int records : {4, 65535})
            bench->Args({records, idle});
    bench->UseManualTime()->Iterations(5)->Repetitions(1)->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char** argv)
{
    display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display (set DISPLAY; scripts/x-session.sh starts one)\n");
        return 1;
    }
    for (const char* program : {"ours", "stock", "before"})
        if (std::string(program) != "before" || std::getenv("ORVIK50_BEFORE"))
            benchmark::RegisterBenchmark(("BM_ExecToColours/" + std::string(program)).c_str(), BM_ExecToColours,
                                         std::string(program))
                ->Apply(Sizes);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    XCloseDisplay(display);
    return 0;
}
