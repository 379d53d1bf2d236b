// What the show tells the page (window.quorvel8 and the text on the page) and
// the two places where it hands control back to the browser. The page's side
// is site/page.js.
#pragma once

#include <string_view>

// A line the show said, shown on the page as text.
void PageSays(std::string_view line);
// "ready": the logo and "click to start" until the click.
void PageReady();
// Returns once the viewer has clicked (the page starts the sound there).
void PageWaitForClick();
// "playing", the frame's demo time and what the audio layer says of the music.
void PageFrameDrawn(int timeMs);
// Returns at the browser's next animation frame.
void PageNextFrame();
// "still": one frame at timeMs stays on the canvas.
void PageStill(int timeMs);
// "ended": the show is over.
void PageEnded();
// "error" with the line that says why.
void PageFailed(std::string_view line);
