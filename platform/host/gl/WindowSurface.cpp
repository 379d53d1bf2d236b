// Window surface: an SDL2 window (or the whole of one display) with a
// compatibility GL context. The show draws into the largest 4:3 area centred
// in the window, with black bars around it (or fills the window when
// stretched); the area follows the window when it is resized.
//
// NOTE: with no display SDL quietly falls back to its "offscreen" video
// driver, which would "work" and show nothing; that counts as no display.
// Where vsync cannot be had (Xvfb, some drivers) Present paces itself to
// about 60 Hz so the show does not spin a core.
#define GL_GLEXT_PROTOTYPES
#include "platform/host/gl/DrawingAreaLayout.h"
#include "platform/host/gl/GlCapabilities.h"
#include "platform/host/gl/Surface.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPacedFramePeriod = std::chrono::nanoseconds(16'666'667);

// One hold on SDL's video subsystem; SDL counts them, so the audio layer's
// own SDL use is unaffected.
class SdlVideo {
  public:
    SdlVideo() = default;
    SdlVideo(const SdlVideo&) = delete;
    SdlVideo& operator=(const SdlVideo&) = delete;
    ~SdlVideo() {
        if (started_) {
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
        }
    }

    bool Start(std::string* error) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            *error = std::string("window: needs SDL video, found: ") + SDL_GetError();
            return false;
        }
        started_ = true;
        return true;
    }

  private:
    bool started_ = false;
};

struct WindowDeleter {
    void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};

struct ContextDeleter {
    void operator()(void* context) const { SDL_GL_DeleteContext(context); }
};

class WindowSurface final : public Surface {
  public:
    WindowSurface() = default;
    WindowSurface(const WindowSurface&) = delete;
    WindowSurface& operator=(const WindowSurface&) = delete;

    bool Create(const WindowSettings& settings, std::string* error) {
        if (!video_.Start(error)) {
            return false;
        }
        const char* driver = SDL_GetCurrentVideoDriver();
        if (driver == nullptr || std::strcmp(driver, "offscreen") == 0) {
            *error = "window: no display found (SDL has only its offscreen driver)";
            return false;
        }
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
        SDL_Rect place{static_cast<int>(SDL_WINDOWPOS_CENTERED),
                       static_cast<int>(SDL_WINDOWPOS_CENTERED), settings.width, settings.height};
        Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
        if (settings.fullscreen) {
            const int displays = SDL_GetNumVideoDisplays();
            if (settings.display >= displays ||
                SDL_GetDisplayBounds(settings.display, &place) != 0) {
                *error = "window: no display " + std::to_string(settings.display) +
                         " to go full screen on; found " + std::to_string(displays) +
                         " (numbered from 0)";
                return false;
            }
            flags = SDL_WINDOW_OPENGL | SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_ALLOW_HIGHDPI;
        }
        stretch_ = settings.stretch;
        window_.reset(
            SDL_CreateWindow(settings.title.c_str(), place.x, place.y, place.w, place.h, flags));
        if (!window_) {
            *error = std::string("window: needs an OpenGL window, found: ") + SDL_GetError();
            return false;
        }
        if (settings.fullscreen) {
            SDL_ShowCursor(SDL_DISABLE);
        }
        context_.reset(SDL_GL_CreateContext(window_.get()));
        if (!context_) {
            *error = std::string("window: needs an OpenGL compatibility context, found: ") +
                     SDL_GetError();
            return false;
        }
        std::string found;
        if (!CurrentGlHasFixedFunction(&found)) {
            *error = "window: needs OpenGL 1.3 compatibility, found " + found;
            return false;
        }
        const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
        hasFramebuffers_ = std::atoi(version) >= 3 ||
                           SDL_GL_ExtensionSupported("GL_ARB_framebuffer_object") == SDL_TRUE;
        pace_ = settings.vsync && SDL_GL_SetSwapInterval(1) != 0;
        if (!settings.vsync) {
            SDL_GL_SetSwapInterval(0);
        }
        nextFrame_ = Clock::now();
        return true;
    }

    Viewport DrawingArea() const override {
        int width = 0;
        int height = 0;
        SDL_GL_GetDrawableSize(window_.get(), &width, &height);
        return LayOutDrawingArea(width, height, stretch_);
    }

    void BeginFrame() override {
        SDL_GL_MakeCurrent(window_.get(), context_.get());
        BindWindowFramebuffer();
        int width = 0;
        int height = 0;
        SDL_GL_GetDrawableSize(window_.get(), &width, &height);
        if (width != drawableWidth_ || height != drawableHeight_) {
            drawableWidth_ = width;
            drawableHeight_ = height;
            // Both buffers of the swap chain hold stale or undefined bars.
            // NOTE: Mesa's software rasteriser picks up a new window size
            // only at the next swap, so the first of these frames still draws
            // into the old buffers: clear one frame more.
            barFramesToClear_ = 3;
        }
        if (barFramesToClear_ > 0) {
            --barFramesToClear_;
            glPushAttrib(GL_COLOR_BUFFER_BIT | GL_SCISSOR_BIT);
            glDisable(GL_SCISSOR_TEST);
            glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
            glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
            glClear(GL_COLOR_BUFFER_BIT);
            glPopAttrib();
        }
        const Viewport area = LayOutDrawingArea(width, height, stretch_);
        glViewport(area.x, area.y, area.width, area.height);
    }

    void Present() override {
        SDL_GL_SwapWindow(window_.get());
        if (!pace_) {
            return;
        }
        nextFrame_ += kPacedFramePeriod;
        const Clock::time_point now = Clock::now();
        // After a stall (a slow frame, a dragged window) start afresh rather
        // than rush through the frames that were missed.
        if (nextFrame_ + kPacedFramePeriod < now) {
            nextFrame_ = now;
            return;
        }
        std::this_thread::sleep_until(nextFrame_);
    }

    bool QuitRequested() override {
        SDL_Event event;
        while (SDL_PollEvent(&event) != 0) {
            switch (event.type) {
            case SDL_QUIT:
                quit_ = true;
                break;
            case SDL_WINDOWEVENT:
                if (event.window.event == SDL_WINDOWEVENT_CLOSE &&
                    event.window.windowID == SDL_GetWindowID(window_.get())) {
                    quit_ = true;
                }
                break;
            case SDL_KEYDOWN:
                OnKey(event.key.keysym);
                break;
            default:
                break;
            }
        }
        return quit_;
    }

    void ReadPixels(std::span<std::uint8_t> rgb) override {
        const Viewport area = DrawingArea();
        const std::size_t needed = static_cast<std::size_t>(area.width) * area.height * 3;
        // NOTE: the area may have grown since the caller sized its buffer (the
        // window was resized); a short buffer is left as it is rather than
        // written past its end.
        if (rgb.size() < needed || needed == 0) {
            return;
        }
        SDL_GL_MakeCurrent(window_.get(), context_.get());
        BindWindowFramebuffer();
        glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glPixelStorei(GL_PACK_ROW_LENGTH, 0);
        glPixelStorei(GL_PACK_SKIP_ROWS, 0);
        glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
        glReadPixels(area.x, area.y, area.width, area.height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        glPopClientAttrib();
    }

    void* NativeWindow() const override { return window_.get(); }

    bool NextViewerKey(ViewerKey* key) override {
        if (keysTaken_ == keysPressed_) {
            keysTaken_ = keysPressed_ = 0;
            return false;
        }
        *key = keys_[keysTaken_++];
        return true;
    }

    void SetTitle(const char* title) override { SDL_SetWindowTitle(window_.get(), title); }

  private:
    // Esc and Alt+F4 end the show (Alt+F4 itself where no window manager
    // turns it into a close); the transport's keys queue up for the player.
    void OnKey(const SDL_Keysym& key) {
        if (key.sym == SDLK_ESCAPE || (key.sym == SDLK_F4 && (key.mod & KMOD_ALT) != 0)) {
            quit_ = true;
            return;
        }
        ViewerKey viewerKey;
        switch (key.sym) {
        case SDLK_SPACE:
            viewerKey = ViewerKey::PauseResume;
            break;
        case SDLK_LEFT:
            viewerKey = ViewerKey::SeekBack;
            break;
        case SDLK_RIGHT:
            viewerKey = ViewerKey::SeekForward;
            break;
        case SDLK_HOME:
            viewerKey = ViewerKey::Restart;
            break;
        default:
            return;
        }
        if (keysPressed_ < keys_.size()) {
            keys_[keysPressed_++] = viewerKey;
        }
    }

    // Undoes any frame buffer object left bound; a 1.x context has none.
    void BindWindowFramebuffer() {
        if (hasFramebuffers_) {
            glBindFramebuffer(GL_FRAMEBUFFER, 0);
        }
    }

    // Torn down in reverse: context, window, then SDL video.
    SdlVideo video_;
    std::unique_ptr<SDL_Window, WindowDeleter> window_;
    std::unique_ptr<void, ContextDeleter> context_;
    bool hasFramebuffers_ = false;
    bool pace_ = false;
    bool quit_ = false;
    Clock::time_point nextFrame_;
    int drawableWidth_ = 0;
    int drawableHeight_ = 0;
    int barFramesToClear_ = 0;
    bool stretch_ = false;
    std::array<ViewerKey, 16> keys_{};
    std::size_t keysPressed_ = 0;
    std::size_t keysTaken_ = 0;
};

} // namespace

std::unique_ptr<Surface> CreateWindowSurface(const WindowSettings& settings, std::string* error) {
    if (!DisplayAvailable()) {
        *error = "window: no display found (DISPLAY and WAYLAND_DISPLAY are unset)";
        return nullptr;
    }
    if (settings.width <= 0 || settings.height <= 0) {
        *error = "window: needs a positive size, found " + std::to_string(settings.width) + "x" +
                 std::to_string(settings.height);
        return nullptr;
    }
    auto surface = std::make_unique<WindowSurface>();
    if (!surface->Create(settings, error)) {
        return nullptr;
    }
    return surface;
}
