// SIGINT and SIGTERM as a request to end the show, like Esc: the frame loop
// notices at the next frame and everything is torn down in order.
#pragma once

// Catches SIGINT and SIGTERM from now on. A second signal of the same kind
// ends the process at once, for a loop that has stopped answering.
void CatchStopSignals();

// The signal caught since CatchStopSignals (SIGINT or SIGTERM), or 0.
int StopSignalCaught();

// The exit status of a run whose output a stop signal cut short: 128 + the
// signal, as a shell reports a process the signal ended; 0 when none was caught.
int StoppedExitStatus();

// "SIGINT" or "SIGTERM", for the line said on stopping.
const char* StopSignalName(int signal);
