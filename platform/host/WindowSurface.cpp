// Window surface: an SDL2 window with a compatibility GL context. The show
// draws into the largest 4:3 area centred in the window, with black bars
// around it; the area follows the window when it is resized.
//
// NOTE: with no display SDL quietly falls back to its "offscreen" video
// driver, which would "work" and show nothing; that counts as no display.
// Where vsync cannot be had (Xvfb, some drivers) Present paces itself to
// about 60 Hz so the show does not spin a core.
#define GL_GLEXT_PROTOTYPES
#include "platform/host/GlCapabilities.h"
#include "platform/host/Surface.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
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

Viewport Centred4By3(int width, int height) {
    Viewport area;
    if (static_cast<std::int64_t>(width) * 3 >= static_cast<std::int64_t>(height) * 4) {
        area.height = height;
        area.width = static_cast<int>(static_cast<std::int64_t>(height) * 4 / 3);
    } else {
        area.width = width;
        area.height = static_cast<int>(static_cast<std::int64_t>(width) * 3 / 4);
    }
    area.x = (width - area.width) / 2;
    area.y = (height - area.height) / 2;
    return area;
}

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
        window_.reset(SDL_CreateWindow(
            settings.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, settings.width,
            settings.height, SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI));
        if (!window_) {
            *error = std::string("window: needs an OpenGL window, found: ") + SDL_GetError();
            return false;
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
        return Centred4By3(width, height);
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
        const Viewport area = Centred4By3(width, height);
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
                if (event.key.keysym.sym == SDLK_ESCAPE) {
                    quit_ = true;
                }
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

  private:
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
