#include "commands/lock_wait.hpp"

#include <pthread.h>
#include <signal.h>
#include <sys/file.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <mutex>

namespace kavrel {
namespace {

using Clock = std::chrono::steady_clock;

int wakeSignal() {
    return SIGRTMIN;
}

// The signal only has to end the blocked flock with EINTR: a handler that does nothing,
// installed without SA_RESTART, does exactly that.
void installWakeHandler() {
    static std::once_flag installed;
    std::call_once(installed, [] {
        struct sigaction action {};
        action.sa_handler = [](int) {};
        sigemptyset(&action.sa_mask);
        ::sigaction(wakeSignal(), &action, nullptr);
    });
}

timespec toTimespec(std::chrono::nanoseconds span) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(span);
    return {static_cast<time_t>(seconds.count()), static_cast<long>((span - seconds).count())};
}

// A timer that signals this thread at the deadline and again every few milliseconds after
// it, so a signal that lands just before flock is entered cannot leave flock blocked.
class WakeTimer {
  public:
    explicit WakeTimer(std::chrono::milliseconds limit) {
        sigset_t wake;
        sigemptyset(&wake);
        sigaddset(&wake, wakeSignal());
        pthread_sigmask(SIG_UNBLOCK, &wake, &previous_);
        sigevent event{};
        event.sigev_notify = SIGEV_THREAD_ID;
        event.sigev_signo = wakeSignal();
        event._sigev_un._tid = ::gettid();
        armed_ = ::timer_create(CLOCK_MONOTONIC, &event, &timer_) == 0;
        if (armed_) {
            itimerspec when{};
            when.it_value = toTimespec(std::max(limit, std::chrono::milliseconds(1)));
            when.it_interval = toTimespec(std::chrono::milliseconds(20));
            ::timer_settime(timer_, 0, &when, nullptr);
        }
    }
    WakeTimer(const WakeTimer&) = delete;
    WakeTimer& operator=(const WakeTimer&) = delete;
    ~WakeTimer() {
        if (armed_) {
            ::timer_delete(timer_);
        }
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
    bool armed() const { return armed_; }

  private:
    timer_t timer_{};
    sigset_t previous_{};
    bool armed_ = false;
};

} // namespace

int lockWithin(int fd, std::chrono::milliseconds limit) {
    // Almost always the lock is free or held for the milliseconds of another Print.
    int result;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result < 0 && errno == EINTR);
    if (result == 0) {
        return 0;
    }
    if (errno != EWOULDBLOCK) {
        return errno;
    }

    installWakeHandler();
    const Clock::time_point deadline = Clock::now() + limit;
    WakeTimer timer(limit);
    if (!timer.armed()) {
        return errno;
    }
    while (::flock(fd, LOCK_EX) < 0) {
        if (errno != EINTR) {
            return errno;
        }
        if (Clock::now() >= deadline) {
            return EWOULDBLOCK;
        }
    }
    return 0;
}

} // namespace kavrel
