// SIGINT, SIGTERM and SIGHUP as a request to end the show, like Esc: the
// frame loop notices at the next frame and everything is torn down in order.
#pragma once

// Catches SIGINT, SIGTERM and SIGHUP (unless ignored, as under nohup) from
// now on. A second signal of the same kind ends the process at once, for a
// loop that has stopped answering.
void CatchStopSignals();

// The signal caught since CatchStopSignals, or 0.
int StopSignalCaught();

// The exit status of a run whose output a stop signal cut short: 128 + the
// signal, as a shell reports a process the signal ended; 0 when none was caught.
int StoppedExitStatus();

// "SIGINT", "SIGTERM" or "SIGHUP", for the line said on stopping.
const char* StopSignalName(int signal);
