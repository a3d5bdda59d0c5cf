#include "platform/stop_request.h"

#ifdef _WIN32
#include <condition_variable>
#include <mutex>
#include <windows.h>
#else
#include <csignal>
#include <pthread.h>
#endif

namespace kx::platform {

#ifdef _WIN32
namespace {

std::mutex g_mutex;
std::condition_variable g_requested_cv;
bool g_requested = false;

// Windows calls this on a thread of its own, so it may take the lock. For a closed console
// the process ends when it returns; the sockets are closed by then.
BOOL WINAPI OnConsoleEvent(DWORD) {
    {
        std::lock_guard lock(g_mutex);
        g_requested = true;
    }
    g_requested_cv.notify_all();
    return TRUE;
}

} // namespace

void CatchStopRequests() {
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

void WaitForStopRequest() {
    std::unique_lock lock(g_mutex);
    g_requested_cv.wait(lock, [] { return g_requested; });
}

#else
namespace {

sigset_t StopSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}

} // namespace

// Threads started later inherit the blocked signals, so only sigwait ever takes them.
void CatchStopRequests() {
    const sigset_t set = StopSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

void WaitForStopRequest() {
    const sigset_t set = StopSignals();
    int signal = 0;
    sigwait(&set, &signal);
}
#endif

} // namespace kx::platform
