// Offscreen surface: a compatibility GL context through EGL with no window
// system, drawing into a frame buffer object. Capture, screenshots and the
// render tests draw here.
//
// NOTE: the context is made current with no EGL surface, so there is no
// default frame buffer: nothing may draw or read before the FBO is bound.
// The EGL display is shared by every offscreen surface in the process.
#define GL_GLEXT_PROTOTYPES
#include "platform/host/gl/DrawingAreaLayout.h"
#include "platform/host/gl/GlCapabilities.h"
#include "platform/host/gl/Surface.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string_view>
#include <vector>

namespace {

bool HasExtension(const char* list, std::string_view name) {
    if (list == nullptr) {
        return false;
    }
    std::string_view rest(list);
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find(' '), rest.size());
        if (rest.substr(0, end) == name) {
            return true;
        }
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return false;
}

std::string EglErrorText() {
    char text[32];
    std::snprintf(text, sizeof text, "EGL error 0x%04x", static_cast<unsigned>(eglGetError()));
    return text;
}

std::mutex displayMutex;
std::vector<EGLDisplay> initialisedDisplays;

// NOTE: a display, once initialised, stays so until the process exits.
// eglTerminate would pull it from under any other surface still alive, and
// makes Mesa unload its driver, stranding what the driver had allocated.
bool InitialiseDisplayOnce(EGLDisplay display, std::string* error) {
    std::lock_guard lock(displayMutex);
    if (std::find(initialisedDisplays.begin(), initialisedDisplays.end(), display) !=
        initialisedDisplays.end()) {
        return true;
    }
    if (eglInitialize(display, nullptr, nullptr) != EGL_TRUE) {
        *error = "offscreen: needs an EGL display that initialises, found " + EglErrorText();
        return false;
    }
    initialisedDisplays.push_back(display);
    return true;
}

// Mesa's surfaceless platform needs no window system; the device platform is
// the way in on machines whose driver lacks it.
EGLDisplay FindDisplay(std::string* error) {
    const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (HasExtension(clientExtensions, "EGL_MESA_platform_surfaceless")) {
        const EGLDisplay display =
            eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
        if (display != EGL_NO_DISPLAY) {
            return display;
        }
    }
    if (HasExtension(clientExtensions, "EGL_EXT_platform_device")) {
        const auto queryDevices =
            reinterpret_cast<PFNEGLQUERYDEVICESEXTPROC>(eglGetProcAddress("eglQueryDevicesEXT"));
        EGLDeviceEXT device = nullptr;
        EGLint count = 0;
        if (queryDevices != nullptr && queryDevices(1, &device, &count) == EGL_TRUE && count > 0) {
            const EGLDisplay display =
                eglGetPlatformDisplay(EGL_PLATFORM_DEVICE_EXT, device, nullptr);
            if (display != EGL_NO_DISPLAY) {
                return display;
            }
        }
    }
    *error = "offscreen: needs EGL with the surfaceless or device platform, found ";
    *error += clientExtensions != nullptr ? "neither" : "no EGL client extensions";
    return EGL_NO_DISPLAY;
}

class EglContext {
  public:
    EglContext() = default;
    EglContext(const EglContext&) = delete;
    EglContext& operator=(const EglContext&) = delete;
    ~EglContext() {
        if (context_ == EGL_NO_CONTEXT) {
            return;
        }
        if (eglGetCurrentContext() == context_) {
            eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        }
        eglDestroyContext(display_, context_);
    }

    bool Create(EGLDisplay display, std::string* error) {
        if (!HasExtension(eglQueryString(display, EGL_EXTENSIONS), "EGL_KHR_surfaceless_context")) {
            *error = "offscreen: needs EGL_KHR_surfaceless_context, found an EGL without it";
            return false;
        }
        if (eglBindAPI(EGL_OPENGL_API) != EGL_TRUE) {
            *error = "offscreen: needs desktop OpenGL through EGL, found " + EglErrorText();
            return false;
        }
        // No surface is ever made from the config: it only has to render OpenGL.
        const EGLint configAttributes[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_SURFACE_TYPE,
                                           EGL_PBUFFER_BIT, EGL_NONE};
        EGLConfig config = nullptr;
        EGLint count = 0;
        if (eglChooseConfig(display, configAttributes, &config, 1, &count) != EGL_TRUE ||
            count < 1) {
            *error = "offscreen: needs an EGL config that renders OpenGL, found none";
            return false;
        }
        // Version 1.0 with the compatibility profile: the highest version that
        // keeps the fixed-function pipeline and immediate mode.
        const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                            EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
        context_ = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
        if (context_ == EGL_NO_CONTEXT) {
            *error = "offscreen: needs an OpenGL compatibility context, found " + EglErrorText();
            return false;
        }
        display_ = display;
        if (!MakeCurrent()) {
            *error =
                "offscreen: needs a context current without a surface, found " + EglErrorText();
            return false;
        }
        return true;
    }

    // Another surface may have taken the thread's current context since.
    bool MakeCurrent() const {
        return eglGetCurrentContext() == context_ ||
               eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_) == EGL_TRUE;
    }

  private:
    EGLDisplay display_ = EGL_NO_DISPLAY;
    EGLContext context_ = EGL_NO_CONTEXT;
};

// The picture is drawn into a frame buffer of the drawing area's size at its
// origin, so a picture between bars has the very pixels it has alone. Where
// the frame is larger, each finished picture is copied into the middle of a
// second, black frame buffer, which is what is read back.
class OffscreenSurface final : public Surface {
  public:
    OffscreenSurface(int width, int height, bool stretch)
        : width_(width), height_(height), area_(LayOutDrawingArea(width, height, stretch)) {}
    OffscreenSurface(const OffscreenSurface&) = delete;
    OffscreenSurface& operator=(const OffscreenSurface&) = delete;

    ~OffscreenSurface() override {
        if (context_.MakeCurrent()) {
            glBindFramebuffer(GL_FRAMEBUFFER, 0);
            picture_.Delete();
            frame_.Delete();
        }
    }

    bool Create(std::string* error) {
        const EGLDisplay display = FindDisplay(error);
        if (display == EGL_NO_DISPLAY || !InitialiseDisplayOnce(display, error) ||
            !context_.Create(display, error)) {
            return false;
        }
        std::string found;
        if (!CurrentGlHasFixedFunction(&found)) {
            *error = "offscreen: needs OpenGL 1.3 compatibility through EGL, found " + found;
            return false;
        }
        if (!CanHoldFramebuffers(error) ||
            !picture_.Create(area_.width, area_.height, true, error)) {
            return false;
        }
        if (Barred()) {
            if (!frame_.Create(width_, height_, false, error)) {
                return false;
            }
            glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
            glClear(GL_COLOR_BUFFER_BIT);
        }
        glBindFramebuffer(GL_FRAMEBUFFER, picture_.framebuffer);
        glViewport(0, 0, area_.width, area_.height);
        return true;
    }

    Viewport DrawingArea() const override { return {0, 0, area_.width, area_.height}; }
    Viewport FrameArea() const override { return {0, 0, width_, height_}; }

    void BeginFrame() override {
        context_.MakeCurrent();
        glBindFramebuffer(GL_FRAMEBUFFER, picture_.framebuffer);
        glViewport(0, 0, area_.width, area_.height);
    }

    void Present() override {
        if (Barred()) {
            glBindFramebuffer(GL_READ_FRAMEBUFFER, picture_.framebuffer);
            glBindFramebuffer(GL_DRAW_FRAMEBUFFER, frame_.framebuffer);
            glBlitFramebuffer(0, 0, area_.width, area_.height, area_.x, area_.y,
                              area_.x + area_.width, area_.y + area_.height, GL_COLOR_BUFFER_BIT,
                              GL_NEAREST);
            glBindFramebuffer(GL_FRAMEBUFFER, picture_.framebuffer);
        }
        glFinish();
    }

    bool QuitRequested() override { return false; }

    void ReadPixels(std::span<std::uint8_t> rgb) override {
        const std::size_t needed = static_cast<std::size_t>(width_) * height_ * 3;
        // NOTE: a short buffer would be written past its end; leave it as it is.
        if (rgb.size() < needed || !context_.MakeCurrent()) {
            return;
        }
        glBindFramebuffer(GL_FRAMEBUFFER, Barred() ? frame_.framebuffer : picture_.framebuffer);
        glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glPixelStorei(GL_PACK_ROW_LENGTH, 0);
        glPixelStorei(GL_PACK_SKIP_ROWS, 0);
        glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
        glReadPixels(0, 0, width_, height_, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        glPopClientAttrib();
        glBindFramebuffer(GL_FRAMEBUFFER, picture_.framebuffer);
    }

    void* NativeWindow() const override { return nullptr; }

  private:
    // An RGBA8 frame buffer object, with a depth buffer where the show draws.
    struct Target {
        GLuint framebuffer = 0;
        GLuint colour = 0;
        GLuint depth = 0;

        bool Create(int width, int height, bool withDepth, std::string* error) {
            glGenRenderbuffers(1, &colour);
            glBindRenderbuffer(GL_RENDERBUFFER, colour);
            glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
            if (withDepth) {
                glGenRenderbuffers(1, &depth);
                glBindRenderbuffer(GL_RENDERBUFFER, depth);
                glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
            }
            glBindRenderbuffer(GL_RENDERBUFFER, 0);
            glGenFramebuffers(1, &framebuffer);
            glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
            glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                      colour);
            if (withDepth) {
                glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER,
                                          depth);
            }
            const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
            if (status != GL_FRAMEBUFFER_COMPLETE) {
                char text[96];
                std::snprintf(text, sizeof text,
                              "offscreen: needs a complete RGBA8 + depth frame buffer, found "
                              "status 0x%04x",
                              static_cast<unsigned>(status));
                *error = text;
                return false;
            }
            return true;
        }

        void Delete() {
            if (framebuffer != 0) {
                glDeleteFramebuffers(1, &framebuffer);
                glDeleteRenderbuffers(1, &colour);
                glDeleteRenderbuffers(1, &depth);
            }
        }
    };

    bool Barred() const { return area_.width != width_ || area_.height != height_; }

    bool CanHoldFramebuffers(std::string* error) {
        const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
        const bool hasFramebuffers =
            (version != nullptr && std::atoi(version) >= 3) ||
            HasExtension(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)),
                         "GL_ARB_framebuffer_object");
        if (!hasFramebuffers) {
            *error = "offscreen: needs OpenGL frame buffer objects, found ";
            *error += version != nullptr ? version : "no version";
            return false;
        }
        GLint maxSize = 0;
        glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &maxSize);
        if (width_ > maxSize || height_ > maxSize) {
            *error = "offscreen: needs a size of at most " + std::to_string(maxSize) + "x" +
                     std::to_string(maxSize) + ", found " + std::to_string(width_) + "x" +
                     std::to_string(height_);
            return false;
        }
        return true;
    }

    // Torn down in reverse: the frame buffers in the destructor's body, while
    // the context can still be made current, then the context.
    EglContext context_;
    int width_;
    int height_;
    Viewport area_; // where the picture sits in the frame
    Target picture_;
    Target frame_;
};

} // namespace

std::unique_ptr<Surface> CreateOffscreenSurface(int width, int height, bool stretch,
                                                std::string* error) {
    if (width <= 0 || height <= 0) {
        *error = "offscreen: needs a positive size, found " + std::to_string(width) + "x" +
                 std::to_string(height);
        return nullptr;
    }
    auto surface = std::make_unique<OffscreenSurface>(width, height, stretch);
    if (!surface->Create(error)) {
        return nullptr;
    }
    return surface;
}
