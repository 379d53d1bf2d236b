// What the show draws into: a window on the desktop or an offscreen frame
// buffer. Each back end lives in its own file; platform headers stay there.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

struct Viewport {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The developer's transport keys, as a window hands them over.
enum class ViewerKey { PauseResume, SeekBack, SeekForward, Restart };

class Surface {
  public:
    virtual ~Surface() = default;
    // The 4:3 drawing area in pixels; its size is what the effects' Init gets.
    virtual Viewport DrawingArea() const = 0;
    // Makes the surface's frame buffer the GL draw target for the next frame.
    virtual void BeginFrame() = 0;
    // Shows the finished frame (window) or finishes it (offscreen).
    virtual void Present() = 0;
    // Handles pending window events; true once the viewer asked to quit
    // (Esc, closing the window).
    virtual bool QuitRequested() = 0;
    // What ReadPixels reads: the drawing area in a window; offscreen, the
    // whole frame, the picture and its bars.
    virtual Viewport FrameArea() const { return DrawingArea(); }
    // Reads FrameArea of the last frame as RGB8, bottom row first. rgb must
    // hold width * height * 3 bytes.
    virtual void ReadPixels(std::span<std::uint8_t> rgb) = 0;
    // Native window for GetForegroundWindow, or null.
    virtual void* NativeWindow() const = 0;
    // The next transport key pressed since the events were last handled;
    // false when none is left (and always offscreen).
    virtual bool NextViewerKey(ViewerKey*) { return false; }
    // The window's title; offscreen there is none.
    virtual void SetTitle(const char*) {}
};

struct WindowSettings {
    std::string title;
    int width = 1024;
    int height = 768;
    bool vsync = true;
    bool fullscreen = false; // the desktop's resolution on display, cursor hidden
    int display = 0;
    bool stretch = false; // fill the window instead of keeping 4:3
};

// The offscreen drawing area when no size is asked for: screenshots, shots and
// captures alike.
inline constexpr int kOffscreenDefaultWidth = 1280;
inline constexpr int kOffscreenDefaultHeight = 960;

// True when a window system is reachable (X11 or Wayland).
bool DisplayAvailable();

// Null with *error set (one line: what was needed, what was found).
std::unique_ptr<Surface> CreateWindowSurface(const WindowSettings& settings, std::string* error);
// The drawing area keeps the show's 4:3 centred between black bars, as a
// window does, unless stretch fills the frame with it.
std::unique_ptr<Surface> CreateOffscreenSurface(int width, int height, bool stretch,
                                                std::string* error);
