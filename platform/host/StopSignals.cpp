#include "platform/host/StopSignals.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t caughtSignal = 0;

void Remember(int signal) {
    caughtSignal = signal;
}

} // namespace

void CatchStopSignals() {
    struct sigaction action = {};
    action.sa_handler = Remember;
    sigemptyset(&action.sa_mask);
    // NOTE: SA_RESETHAND puts the default back once caught, so a second
    // Ctrl-C kills a show that is stuck.
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

int StopSignalCaught() {
    return caughtSignal;
}

int StoppedExitStatus() {
    return caughtSignal != 0 ? 128 + caughtSignal : 0;
}

const char* StopSignalName(int signal) {
    return signal == SIGINT ? "SIGINT" : "SIGTERM";
}
