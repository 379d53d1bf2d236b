// The one flow of a run of the show, the same on every platform: RunApp hands
// the registered show to a platform's runner, which reads its own settings
// and data; the script is read and the times asked for checked against it;
// the session is brought up and kept until EndApp; the show plays live (or a
// runner renders its frames offscreen); a run that fails ends the process
// with its status. Each platform's runner supplies only what differs and
// defines RunApp and EndApp over these (NativeRunner.cpp; the page's
// PageRunner.cpp).
#pragma once

#include "host/DemoGL.h"
#include "platform/host/ShowSession.h"
#include "platform/host/options/RequestedTimes.h"
#include "platform/host/play/LivePlayer.h"
#include "platform/host/play/RegisteredShow.h"

#include <optional>

// A platform's runner: plays the registered show as argv asks and returns the
// exit status (0: played or answered; 2: refused or failed, with one line;
// 128 + a signal: cut short by it).
using PlatformRunner = int (*)(int argc, char** argv, const RegisteredShow& show);

// What RunApp does: the registered show, with RunApp's title, to `runner`. A
// status other than 0 takes the show down and ends the process with it.
// Memory that runs out on the way (ShortOfMemory, or any std::bad_alloc)
// is one line and status 2, never an abort.
int RunRegisteredShow(HINSTANCE instance, const char* title, PlatformRunner runner);
// What EndApp does: the session kept since the run is taken down.
void EndRegisteredShow();

// The show's script read from the source and the times asked for checked
// against it; none, with every error said one line each (file:line: what is
// wrong), when it cannot be read, has errors or the times do not fit.
std::optional<Timeline> LoadRunTimeline(DataSource& source, const RegisteredShow& show,
                                        const RequestedTimes& times);

// Brings the session up with the registered effects and the timeline, kept
// until EndRegisteredShow; null, with its line said, when it cannot open.
ShowSession* OpenRunSession(const RegisteredShow& show, Timeline timeline, ShowSession::Plan plan);

// Plays live until the show ends (never with loop) or the viewer quits.
// watchScript: reload the script as it changes.
// afterFrame (null: none) runs after each frame with its demo time: the page
// hands control to the browser there.
// atEnd (null: none) makes the end a pause: the last frame and the music are
// held, nothing is taken down, and once atEnd returns the show plays again
// from the start (the page, where nothing but the end stops a show).
void PlayLive(ShowSession& session, const RegisteredShow& show, const LiveSettings& settings,
              bool watchScript, void (*afterFrame)(int timeMs), void (*atEnd)() = nullptr);
