// What the 1PPS wait costs on Linux, measured without modem-line hardware. TIOCMIWAIT sleeps
// in the kernel until the serial driver's interrupt wakes it; the same wake-up path is timed
// here with a thread blocked in read() on a pipe ("edge"). A stop request or a time-out ends
// the wait with a signal whose handler does nothing ("interrupt"). A 1 ms TIOCGICOUNT poll, the
// alternative, would add 0.5 ms on average and 1 ms at worst to every edge.
//
//   modem_line_wake [--samples N]      last line: JSON with p50/p99 of both, in microseconds
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <pthread.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<size_t>(p * values.size()))];
}

// One wake-up: the waiter blocks in read(); `wake` ends the block; microseconds from the wake
// to the waiter running again.
template <typename Wake> double measureOnce(Wake wake)
{
    int fds[2];
    if (pipe(fds) != 0)
        std::exit(1);
    std::atomic<bool> blocked { false };
    std::atomic<int64_t> wokeAt { 0 };
    pthread_t waiterId {};
    std::atomic<bool> haveId { false };
    std::thread waiter([&] {
        waiterId = pthread_self();
        haveId = true;
        char byte = 0;
        blocked = true;
        (void)!read(fds[0], &byte, 1);
        wokeAt = Clock::now().time_since_epoch().count();
    });
    while (!blocked || !haveId)
        std::this_thread::yield();
    std::this_thread::sleep_for(std::chrono::milliseconds(2)); // surely inside read() now
    const int64_t start = Clock::now().time_since_epoch().count();
    wake(fds[1], waiterId);
    waiter.join();
    close(fds[0]);
    close(fds[1]);
    return static_cast<double>(wokeAt - start) / 1000.0;
}

} // namespace

int main(int argc, char** argv)
{
    int samples = 200;
    if (argc == 3 && !std::strcmp(argv[1], "--samples"))
        samples = std::max(1, std::atoi(argv[2]));

    struct sigaction action { };
    action.sa_handler = [](int) {};
    sigemptyset(&action.sa_mask);
    sigaction(SIGRTMIN + 7, &action, nullptr);

    std::vector<double> edge;
    std::vector<double> interrupt;
    for (int i = 0; i < samples; ++i) {
        edge.push_back(measureOnce([](int fd, pthread_t) { (void)!write(fd, "x", 1); }));
        interrupt.push_back(
            measureOnce([](int, pthread_t waiter) { pthread_kill(waiter, SIGRTMIN + 7); }));
    }
    std::printf("{\"samples\":%d,\"edge_wake_p50_us\":%.1f,\"edge_wake_p99_us\":%.1f,"
                "\"interrupt_p50_us\":%.1f,\"interrupt_p99_us\":%.1f}\n",
        samples, percentile(edge, 0.5), percentile(edge, 0.99), percentile(interrupt, 0.5),
        percentile(interrupt, 0.99));
    return 0;
}
