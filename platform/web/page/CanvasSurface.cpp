#include "platform/web/page/CanvasSurface.h"

#include "platform/host/gl/DrawingAreaLayout.h"
#include "platform/web/gl/FixedFunctionGl.h"
#include "platform/web/page/PageBridge.h"
#include "platform/web/page/RenderScale.h"

#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr const char* kCanvas = "#canvas";
// More device pixels than this add nothing a viewer sees in these pictures.
constexpr double kMostPixelRatio = 2.0;
constexpr double kMostWidth = 2560.0;
constexpr double kMostHeight = 1920.0;
// The smallest size slow frames may bring the picture down to.
constexpr double kLeastWidth = 640.0;
constexpr double kLeastHeight = 480.0;

class CanvasSurface final : public Surface {
  public:
    CanvasSurface(EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context, CanvasResolution resolution)
        : context_(context), adaptive_(resolution == CanvasResolution::Adaptive) {
        FitToWindow();
    }

    ~CanvasSurface() override { emscripten_webgl_destroy_context(context_); }

    Viewport DrawingArea() const override { return area_; }

    void BeginFrame() override { FitToWindow(); }

    void Present() override { FlushFixedFunctionGl(); }

    bool QuitRequested() override { return false; }

    void ReadPixels(std::span<std::uint8_t> rgb) override {
        ReadCanvasPixels(area_.x, area_.y, area_.width, area_.height, rgb);
    }

    void* NativeWindow() const override { return nullptr; }

    // The page's pause button and keys say what the viewer wants; the player
    // hears each change as its pause key.
    bool NextViewerKey(ViewerKey* key) override {
        const bool wanted = PageWantsPause();
        if (wanted == paused_) {
            return false;
        }
        paused_ = wanted;
        *key = ViewerKey::PauseResume;
        return true;
    }

    void Hold(int width, int height) {
        held_ = width > 0 && height > 0;
        if (held_) {
            Resize(width, height);
        } else {
            FitToWindow();
        }
    }

  private:
    void Resize(int width, int height) {
        if (width != width_ || height != height_) {
            width_ = width;
            height_ = height;
            emscripten_set_canvas_element_size(kCanvas, width, height);
            area_ = LayOutDrawingArea(width, height, false);
        }
    }

    // The full size is the canvas's size on the page in device pixels, within
    // the caps: in a 1280x960 window at one device pixel a CSS pixel, the
    // picture is exactly those pixels. Playing, slow frames lower it.
    void FitToWindow() {
        if (held_) {
            return;
        }
        double cssWidth = 0.0;
        double cssHeight = 0.0;
        emscripten_get_element_css_size(kCanvas, &cssWidth, &cssHeight);
        const double ratio = std::min(emscripten_get_device_pixel_ratio(), kMostPixelRatio);
        const double cap =
            std::min({1.0, kMostWidth / (cssWidth * ratio), kMostHeight / (cssHeight * ratio)});
        const double fullWidth = std::max(1.0, std::round(cssWidth * ratio * cap));
        const double fullHeight = std::max(1.0, std::round(cssHeight * ratio * cap));
        double scale = 1.0;
        if (adaptive_) {
            if (fullWidth != fullWidth_ || fullHeight != fullHeight_) {
                // Each window size finds its own scale, from the full size down.
                scale_ = RenderScale(std::max(kLeastWidth / fullWidth, kLeastHeight / fullHeight));
            }
            scale_.Frame(emscripten_get_now());
            scale = scale_.Scale();
        }
        fullWidth_ = fullWidth;
        fullHeight_ = fullHeight;
        Resize(static_cast<int>(std::lround(fullWidth * scale)),
               static_cast<int>(std::lround(fullHeight * scale)));
    }

    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context_;
    const bool adaptive_;
    RenderScale scale_{1.0};
    double fullWidth_ = 0.0;
    double fullHeight_ = 0.0;
    int width_ = 0;
    int height_ = 0;
    bool paused_ = false;
    bool held_ = false;
    Viewport area_;
};

} // namespace

void HoldCanvasSize(Surface& canvas, int width, int height) {
    static_cast<CanvasSurface&>(canvas).Hold(width, height);
}

std::unique_ptr<Surface> CreateCanvasSurface(CanvasResolution resolution, std::string* error) {
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.majorVersion = 2;
    attributes.minorVersion = 0;
    // The effects write destination alpha; the page must not show it.
    attributes.alpha = EM_FALSE;
    attributes.depth = EM_TRUE;
    attributes.stencil = EM_FALSE;
    attributes.antialias = EM_FALSE;
    // A still frame is kept to be read back; a live frame need not be, and
    // keeping it costs a copy each frame.
    attributes.preserveDrawingBuffer = resolution == CanvasResolution::Full;
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context =
        emscripten_webgl_create_context(kCanvas, &attributes);
    if (context <= 0 ||
        emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS) {
        *error = "webgl: the show needs WebGL 2, which this browser does not give";
        return nullptr;
    }
    return std::make_unique<CanvasSurface>(context, resolution);
}
