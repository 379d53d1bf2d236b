// What the show tells the page (window.quorvel8 and the text on the page),
// what it asks of it, and the places where it hands control back to the
// browser. The page's side is site/page.js.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What the page asks for as it hands control back: to go on, or first to
// render the recording it was asked for.
enum class PageAsks { GoOn, Recording };

// A line the show said, shown on the page as a passing notice.
void PageSays(std::string_view line);
// The picture can start: the page offers the start once the sound can too.
void PageReady();
// Returns once the viewer has started the show (the page starts the sound).
void PageWaitForStart();
// "playing" (or "paused"), the frame's demo time and whether it is heard.
void PageFrameDrawn(int timeMs);
// Returns at the browser's next animation frame, once the show is held
// paused for a recording when one was asked for.
PageAsks PageNextFrame();
// Whether the viewer wants the show paused (the page's button and keys).
bool PageWantsPause();
// "still": one frame at timeMs stays on the canvas.
void PageStill(int timeMs);
// Returns once the window has changed size.
void PageWaitForResize();
// "ended": the end screen over the last frame.
void PageEnded();
// Returns once the viewer asks for the show again, or for a recording.
PageAsks PageWaitForReplay();
// "error" with the line that says why.
void PageFailed(std::string_view line);

// A recording the page asks for, as the visitor or script gave it: "WxH",
// the rate, the range (empty: the show's start or end).
struct RecordingAsk {
    std::string size;
    std::string fps;
    std::string start;
    std::string end;
};
RecordingAsk PageRecordingAsked();
// The recording is refused with the line that says why.
void PageRecordingRefused(std::string_view line);
// The recording starts: its frame count, frame size, where the picture lies
// in the frame, the rate, the range's start and the demo time of the music's
// position 0 (NaN: no music plays there). True to go on, false when the page
// could not start it or the visitor cancelled.
bool PageRecordingBegins(std::int64_t frames, int width, int height, int pictureX, int pictureY,
                         int num, int den, int startMs, double musicAnchorMs);
// Frame n is on the canvas; false when the recording stops (cancelled or failed).
bool PageRecordingFrame(std::int64_t frame);
// Every frame was given (complete) or the recording stopped; returns once
// the page has finished or discarded the file.
void PageRecordingEnds(bool complete);
