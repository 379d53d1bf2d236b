// The program's standard streams and what it reports on standard output
// (--help, --version, the --check report). A report that does not arrive is a
// failure: every write is checked, and a standard output that was closed
// counts as one. A reader that has gone ends the program quietly, as in any
// pipeline (SIGPIPE keeps its default action).
#pragma once

// First thing in the program: a closed standard input, output or error is
// opened onto a device that takes nothing (/dev/null, /dev/full), so that no
// file opened later takes its number and gets lines meant for the terminal.
void OpenClosedStandardStreams();

// printf onto standard output; a failure is kept for FinishReport.
void Report(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Flushes standard output. status when everything reported arrived; else one
// line (quorvel8: cannot write the report: REASON) and 2, or, when the reader
// has gone and SIGPIPE was ignored, quietly 128 + SIGPIPE.
int FinishReport(int status);
