// Start-up of the desktop panel: from the process start to the main window on screen (the
// panel's --startup-probe prints "shown" from its first event-loop turn after showing the
// window, then exits), and the panel's peak resident memory over that run. Offscreen
// platform, so no display is needed.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Run {
    bool ok = false;
    double seconds_to_shown = 0;
    double peak_rss_mb = 0;
};

[[noreturn]] void ExecPanel(int write_end) {
    dup2(write_end, STDOUT_FILENO);
    int null = open("/dev/null", O_WRONLY);
    if (null >= 0)
        dup2(null, STDERR_FILENO);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    execl(KX_PANEL_PATH, KX_PANEL_PATH, "--startup-probe", static_cast<char*>(nullptr));
    _exit(127);
}

// Reads the child's output until the probe's line arrives.
bool WaitForShown(int read_end) {
    std::string seen;
    char buf[256];
    for (ssize_t n; (n = read(read_end, buf, sizeof buf)) > 0;) {
        seen.append(buf, static_cast<std::size_t>(n));
        if (seen.find("shown\n") != std::string::npos)
            return true;
    }
    return false;
}

Run StartOnce() {
    Run run;
    int fds[2];
    if (pipe(fds) != 0)
        return run;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        ExecPanel(fds[1]);
    }
    close(fds[1]);
    const bool shown = pid > 0 && WaitForShown(fds[0]);
    const auto end = std::chrono::steady_clock::now();
    close(fds[0]);
    int status = 0;
    rusage usage{};
    if (pid > 0)
        wait4(pid, &status, 0, &usage);
    run.ok = shown && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.seconds_to_shown = std::chrono::duration<double>(end - start).count();
    run.peak_rss_mb = static_cast<double>(usage.ru_maxrss) / 1024.0; // Linux reports KiB
    return run;
}

void BM_PanelStartup(benchmark::State& state) {
    double peak = 0;
    for (auto _ : state) {
        const Run run = StartOnce();
        if (!run.ok) {
            state.SkipWithError("the panel did not start and show its window");
            return;
        }
        state.SetIterationTime(run.seconds_to_shown);
        peak = std::max(peak, run.peak_rss_mb);
    }
    state.counters["peak_rss_MB"] = peak;
}
BENCHMARK(BM_PanelStartup)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

BENCHMARK_MAIN();
