#include "platform/web/page/CanvasSurface.h"

#include "platform/host/gl/DrawingAreaLayout.h"
#include "platform/web/gl/FixedFunctionGl.h"

#include <emscripten/html5.h>

#include <cmath>

namespace {

constexpr const char* kCanvas = "#canvas";

class CanvasSurface final : public Surface {
  public:
    explicit CanvasSurface(EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context) : context_(context) {
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

  private:
    // The drawing buffer follows the canvas's size on the page in device
    // pixels: in a 1280x960 window at one device pixel a CSS pixel, the picture
    // is exactly those pixels.
    void FitToWindow() {
        double cssWidth = 0.0;
        double cssHeight = 0.0;
        emscripten_get_element_css_size(kCanvas, &cssWidth, &cssHeight);
        const double scale = emscripten_get_device_pixel_ratio();
        const int width = std::max(1, static_cast<int>(std::lround(cssWidth * scale)));
        const int height = std::max(1, static_cast<int>(std::lround(cssHeight * scale)));
        if (width != width_ || height != height_) {
            width_ = width;
            height_ = height;
            emscripten_set_canvas_element_size(kCanvas, width, height);
            area_ = LayOutDrawingArea(width, height, false);
        }
    }

    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context_;
    int width_ = 0;
    int height_ = 0;
    Viewport area_;
};

} // namespace

std::unique_ptr<Surface> CreateCanvasSurface(std::string* error) {
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.majorVersion = 2;
    attributes.minorVersion = 0;
    // The effects write destination alpha; the page must not show it.
    attributes.alpha = EM_FALSE;
    attributes.depth = EM_TRUE;
    attributes.stencil = EM_FALSE;
    attributes.antialias = EM_FALSE;
    attributes.preserveDrawingBuffer = EM_TRUE;
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context =
        emscripten_webgl_create_context(kCanvas, &attributes);
    if (context <= 0 ||
        emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS) {
        *error = "webgl: the show needs WebGL 2, which this browser does not give";
        return nullptr;
    }
    return std::make_unique<CanvasSurface>(context);
}
