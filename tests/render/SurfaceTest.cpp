// The offscreen surface on Mesa: the context the effects need, exact read-back
// in GL's row order, a working depth buffer; and the window surface where a
// display is reachable.
#include "platform/host/gl/Surface.h"

#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace {

// Rows of 66 RGB pixels are not a multiple of 4 bytes: a read-back left at
// GL's default pack alignment would come out skewed (and overrun).
constexpr int kWidth = 66;
constexpr int kHeight = 50;

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};

class OffscreenSurfaceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        // Stretched: the whole frame is the drawing area, whatever its shape.
        surface_ = CreateOffscreenSurface(kWidth, kHeight, true, &error);
        ASSERT_NE(surface_, nullptr) << error;
        surface_->BeginFrame();
        glViewport(0, 0, kWidth, kHeight);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0.0, 1.0, 0.0, 1.0, -1.0, 1.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClearDepth(1.0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    std::vector<std::uint8_t> Finish() {
        surface_->Present();
        std::vector<std::uint8_t> rgb(kWidth * kHeight * 3);
        surface_->ReadPixels(rgb);
        return rgb;
    }

    static Rgb At(const std::vector<std::uint8_t>& rgb, int x, int y) {
        const std::size_t i = (static_cast<std::size_t>(y) * kWidth + x) * 3;
        return {rgb[i], rgb[i + 1], rgb[i + 2]};
    }

    // A quad over whole pixels [x0, x1) x [y0, y1), counted from the bottom
    // left, drawn in the unit square the effects use.
    static void Quad(int x0, int y0, int x1, int y1, float z) {
        const float left = static_cast<float>(x0) / kWidth;
        const float right = static_cast<float>(x1) / kWidth;
        const float bottom = static_cast<float>(y0) / kHeight;
        const float top = static_cast<float>(y1) / kHeight;
        glBegin(GL_QUADS);
        glVertex3f(left, bottom, z);
        glVertex3f(right, bottom, z);
        glVertex3f(right, top, z);
        glVertex3f(left, top, z);
        glEnd();
    }

    // Every pixel in [x0, x1) x [y0, y1) is inside, every other one outside.
    static void ExpectRectangle(const std::vector<std::uint8_t>& rgb, int x0, int y0, int x1,
                                int y1, Rgb inside, Rgb outside) {
        int wrong = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const bool in = x >= x0 && x < x1 && y >= y0 && y < y1;
                if (At(rgb, x, y) != (in ? inside : outside) && ++wrong <= 5) {
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") from the bottom left";
                }
            }
        }
        EXPECT_EQ(wrong, 0);
    }

    std::unique_ptr<Surface> surface_;
};

TEST_F(OffscreenSurfaceTest, GivesFixedFunctionContextOfRequestedSize) {
    const Viewport area = surface_->DrawingArea();
    EXPECT_EQ(area.x, 0);
    EXPECT_EQ(area.y, 0);
    EXPECT_EQ(area.width, kWidth);
    EXPECT_EQ(area.height, kHeight);
    EXPECT_EQ(surface_->NativeWindow(), nullptr);
    EXPECT_FALSE(surface_->QuitRequested());

    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    ASSERT_NE(version, nullptr);
    int major = 0;
    int minor = 0;
    ASSERT_EQ(std::sscanf(version, "%d.%d", &major, &minor), 2) << version;
    EXPECT_TRUE(major > 1 || minor >= 3) << version;

    // A core profile would answer each of these with GL_INVALID_OPERATION.
    glPushAttrib(GL_ENABLE_BIT);
    glEnable(GL_TEXTURE_2D);
    glPopAttrib();
    glColor3f(1.0f, 1.0f, 1.0f);
    Quad(0, 0, kWidth, kHeight, 0.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << version;
}

TEST_F(OffscreenSurfaceTest, ReadsBackClearColourExactly) {
    glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    const std::vector<std::uint8_t> rgb = Finish();
    ExpectRectangle(rgb, 0, 0, kWidth, kHeight, Rgb{51, 102, 153}, kBlack);
}

TEST_F(OffscreenSurfaceTest, ImmediateModeQuadCoversItsPixels) {
    glColor3f(0.0f, 1.0f, 0.0f);
    Quad(16, 12, 47, 37, 0.0f);
    ExpectRectangle(Finish(), 16, 12, 47, 37, kGreen, kBlack);
}

TEST_F(OffscreenSurfaceTest, FirstRowReadIsBottomOfFrame) {
    glColor3f(1.0f, 0.0f, 0.0f);
    Quad(0, 0, kWidth, kHeight / 2, 0.0f);
    const std::vector<std::uint8_t> rgb = Finish();
    ExpectRectangle(rgb, 0, 0, kWidth, kHeight / 2, kRed, kBlack);
}

TEST_F(OffscreenSurfaceTest, DepthBufferHidesFartherQuad) {
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glColor3f(1.0f, 0.0f, 0.0f);
    Quad(0, 0, kWidth / 2, kHeight, 0.5f); // nearer: glOrtho looks down -z
    glColor3f(0.0f, 1.0f, 0.0f);
    Quad(0, 0, kWidth, kHeight, -0.5f);
    glDisable(GL_DEPTH_TEST);
    const std::vector<std::uint8_t> rgb = Finish();
    ExpectRectangle(rgb, 0, 0, kWidth / 2, kHeight, kRed, kGreen);
}

TEST_F(OffscreenSurfaceTest, ShortReadBufferIsLeftUntouched) {
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    surface_->Present();
    std::vector<std::uint8_t> rgb(kWidth * kHeight * 3, 7);
    surface_->ReadPixels(std::span(rgb).first(rgb.size() - 1));
    EXPECT_EQ(std::count(rgb.begin(), rgb.end(), 7), static_cast<std::ptrdiff_t>(rgb.size()));
}

// Ending one surface must not take the shared EGL display from under another.
TEST_F(OffscreenSurfaceTest, SurvivesAnotherSurfaceComingAndGoing) {
    {
        std::string error;
        std::unique_ptr<Surface> other = CreateOffscreenSurface(8, 8, false, &error);
        ASSERT_NE(other, nullptr) << error;
        other->BeginFrame();
        glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        other->Present();
    }
    surface_->BeginFrame();
    glColor3f(0.0f, 1.0f, 0.0f);
    Quad(16, 12, 47, 37, 0.0f);
    ExpectRectangle(Finish(), 16, 12, 47, 37, kGreen, kBlack);
}

TEST(OffscreenSurfaceCreation, RefusesUnusableSizesWithOneLine) {
    for (const auto& [width, height] : {std::pair{0, 48}, {64, -1}, {1 << 30, 4}}) {
        std::string error;
        EXPECT_EQ(CreateOffscreenSurface(width, height, false, &error), nullptr)
            << width << "x" << height;
        EXPECT_NE(error.find("offscreen: needs"), std::string::npos) << error;
        EXPECT_NE(error.find(std::to_string(width)), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
}

// Sets an environment variable for one scope, restoring it after.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
    ~ScopedEnvironment() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(WindowSurfaceWithoutDisplay, IsRefusedWithOneLine) {
    ScopedEnvironment display("DISPLAY", "");
    ScopedEnvironment wayland("WAYLAND_DISPLAY", nullptr);
    EXPECT_FALSE(DisplayAvailable());
    std::string error;
    EXPECT_EQ(CreateWindowSurface(WindowSettings{}, &error), nullptr);
    EXPECT_NE(error.find("window: no display"), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
}

class WindowSurfaceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!DisplayAvailable()) {
            GTEST_SKIP() << "no display (run under xvfb-run)";
        }
        std::string error;
        WindowSettings settings;
        settings.title = "surface test";
        settings.width = 320;
        settings.height = 240;
        surface_ = CreateWindowSurface(settings, &error);
        ASSERT_NE(surface_, nullptr) << error;
        window_ = static_cast<SDL_Window*>(surface_->NativeWindow());
        ASSERT_NE(window_, nullptr);
    }

    std::unique_ptr<Surface> surface_;
    SDL_Window* window_ = nullptr;
};

TEST_F(WindowSurfaceTest, DrawsAndReadsCentred4By3AreaWithBlackBars) {
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(window_, &width, &height);
    ASSERT_EQ(width * 3, height * 4) << "the window manager resized the window";
    Viewport area = surface_->DrawingArea();
    EXPECT_EQ(area.x, 0);
    EXPECT_EQ(area.y, 0);
    EXPECT_EQ(area.width, width);
    EXPECT_EQ(area.height, height);
    surface_->BeginFrame();
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);

    SDL_SetWindowSize(window_, 400, 240);
    for (int tries = 0; tries < 100 && width != 400; ++tries) {
        surface_->QuitRequested();
        SDL_Delay(10);
        SDL_GL_GetDrawableSize(window_, &width, &height);
    }
    if (width != 400 || height != 240) {
        GTEST_SKIP() << "the window system kept the window at " << width << "x" << height;
    }
    // Mesa's software rasteriser takes up the new size at the next swap.
    surface_->BeginFrame();
    surface_->Present();
    area = surface_->DrawingArea();
    EXPECT_EQ(area.x, 40);
    EXPECT_EQ(area.y, 0);
    EXPECT_EQ(area.width, 320);
    EXPECT_EQ(area.height, 240);

    surface_->BeginFrame();
    glEnable(GL_SCISSOR_TEST);
    glScissor(area.x, area.y, area.width, area.height);
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(area.width) * area.height * 3);
    surface_->ReadPixels(rgb);
    for (std::size_t i = 0; i < rgb.size(); i += 3) {
        ASSERT_EQ(Rgb(rgb[i], rgb[i + 1], rgb[i + 2]), kRed) << "byte " << i;
    }
    std::vector<std::uint8_t> row(400 * 3);
    glReadPixels(0, 120, 400, 1, GL_RGB, GL_UNSIGNED_BYTE, row.data());
    for (int x : {0, 39, 360, 399}) {
        EXPECT_EQ(Rgb(row[x * 3], row[x * 3 + 1], row[x * 3 + 2]), kBlack) << "bar at x " << x;
    }
    surface_->Present();
}

TEST_F(WindowSurfaceTest, EscapeRequestsQuitForGood) {
    EXPECT_FALSE(surface_->QuitRequested());
    SDL_Event escape{};
    escape.type = SDL_KEYDOWN;
    escape.key.windowID = SDL_GetWindowID(window_);
    escape.key.keysym.sym = SDLK_ESCAPE;
    ASSERT_EQ(SDL_PushEvent(&escape), 1) << SDL_GetError();
    EXPECT_TRUE(surface_->QuitRequested());
    EXPECT_TRUE(surface_->QuitRequested()) << "the request was forgotten";
}

// A window of its own: reopening the display within one test is unreliable
// under a virtual X server.
TEST_F(WindowSurfaceTest, ClosingTheWindowRequestsQuit) {
    EXPECT_FALSE(surface_->QuitRequested());
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = SDL_GetWindowID(window_);
    ASSERT_EQ(SDL_PushEvent(&close), 1) << SDL_GetError();
    EXPECT_TRUE(surface_->QuitRequested());
}

} // namespace
