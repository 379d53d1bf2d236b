#include "platform/host/StopSignal.h"

#include <atomic>

namespace {

std::atomic<int> raisedSignal{0};

extern "C" void NoteSignal(int signal) {
    raisedSignal.store(signal);
}

} // namespace

StopSignal::StopSignal() {
    raisedSignal.store(0);
    struct sigaction action {};
    action.sa_handler = NoteSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previousInterrupt_);
    sigaction(SIGTERM, &action, &previousTerminate_);
}

StopSignal::~StopSignal() {
    sigaction(SIGINT, &previousInterrupt_, nullptr);
    sigaction(SIGTERM, &previousTerminate_, nullptr);
}

int StopSignal::Raised() const {
    return raisedSignal.load();
}
