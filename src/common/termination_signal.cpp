#include "common/termination_signal.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace {

volatile sig_atomic_t received = 0;
int pipeFds[2] = {-1, -1};

void OnSignal(int signal)
{
    const int saved = errno;
    received = signal;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = write(pipeFds[1], &byte, 1);
    errno = saved;
}

} // namespace

bool InstallTerminationSignals()
{
    if (pipeFds[0] >= 0)
        return true;
    if (pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    return sigaction(SIGINT, &action, nullptr) == 0 && sigaction(SIGTERM, &action, nullptr) == 0 &&
           sigaction(SIGHUP, &action, nullptr) == 0;
}

int TerminationSignal() { return received; }

int TerminationFd() { return pipeFds[0]; }
