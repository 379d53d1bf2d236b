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
    // A closed terminal or SSH session ends the run as Ctrl-C does, unless
    // SIGHUP was ignored when the program started (nohup): then it runs on.
    struct sigaction hangUp = {};
    if (sigaction(SIGHUP, nullptr, &hangUp) == 0 && hangUp.sa_handler != SIG_IGN) {
        sigaction(SIGHUP, &action, nullptr);
    }
}

int StopSignalCaught() {
    return caughtSignal;
}

int StoppedExitStatus() {
    return caughtSignal != 0 ? 128 + caughtSignal : 0;
}

const char* StopSignalName(int signal) {
    switch (signal) {
    case SIGINT:
        return "SIGINT";
    case SIGHUP:
        return "SIGHUP";
    default:
        return "SIGTERM";
    }
}
