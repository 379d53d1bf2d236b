// What the show tells the page (window.quorvel8 and the text on the page),
// what it asks of it, and the places where it hands control back to the
// browser. The page's side is site/page.js.
#pragma once

#include <string_view>

// A line the show said, shown on the page as a passing notice.
void PageSays(std::string_view line);
// The picture can start: the page offers the start once the sound can too.
void PageReady();
// Returns once the viewer has started the show (the page starts the sound).
void PageWaitForStart();
// "playing" (or "paused"), the frame's demo time and whether it is heard.
void PageFrameDrawn(int timeMs);
// Returns at the browser's next animation frame.
void PageNextFrame();
// Whether the viewer wants the show paused (the page's button and keys).
bool PageWantsPause();
// "still": one frame at timeMs stays on the canvas.
void PageStill(int timeMs);
// Returns once the window has changed size.
void PageWaitForResize();
// "ended": the end screen over the last frame; returns once the viewer asks
// for the show again.
void PageEndedWaitForReplay();
// "error" with the line that says why.
void PageFailed(std::string_view line);
