// The fixed-function state the show uses, kept here and handed to WebGL only
// where it changes. Vertices are transformed on the way in (the modelview and
// projection product in float, as the fixed-function pipeline makes it), so
// matrix calls never break a batch; state that changes how gathered vertices
// are drawn draws them first.
#include "platform/web/gl/FixedFunctionGl.h"

#include "platform/common/Log.h"
#include "platform/web/gl/ImmediateBatch.h"
#include "platform/web/gl/Matrix4Stack.h"

#include <webgl/webgl1.h>
#include <webgl/webgl2.h>

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

namespace {

// The state pushed and popped by glPushAttrib; each field names its group.
struct AttribState {
    std::array<float, 4> color{1, 1, 1, 1};                // current
    std::array<float, 2> texcoord{0, 0};                   // current
    bool texture2d = false;                                // enable
    bool blend = false;                                    // enable, colour buffer
    bool depthTest = false;                                // enable, depth buffer
    bool cullFace = false;                                 // enable, polygon
    bool scissorTest = false;                              // enable, scissor
    GLenum blendSource = GL_ONE;                           // colour buffer
    GLenum blendDestination = GL_ZERO;                     // colour buffer
    std::array<bool, 4> colorMask{true, true, true, true}; // colour buffer
    std::array<float, 4> clearColor{0, 0, 0, 0};           // colour buffer
    GLenum depthFunc = GL_LESS;                            // depth buffer
    bool depthMask = true;                                 // depth buffer
    float clearDepth = 1.0f;                               // depth buffer
    GLuint texture = 0;                                    // texture
    GLint envMode = GL_MODULATE;                           // texture
    std::array<GLint, 4> viewport{0, 0, 0, 0};             // viewport
};

struct PushedAttribs {
    GLbitfield mask;
    AttribState state;
};

struct TextureRecord {
    GLuint name;
    bool generateMipmap;
};

struct FixedFunction {
    AttribState state;
    // What WebGL holds: set calls are made only where it differs.
    AttribState applied;
    bool appliedKnown = false;
    std::array<Matrix4Stack, 3> matrices; // modelview, projection, texture
    int matrixMode = 0;
    bool mvpDirty = true;
    GlMatrix mvp{};
    std::array<PushedAttribs, 16> attribStack{};
    std::size_t attribDepth = 0;
    bool inBegin = false;
    bool warnedMode = false;
    std::vector<TextureRecord> textures;
    ImmediateBatch batch;
};

FixedFunction& Gl() {
    static FixedFunction gl;
    return gl;
}

TexturingMode Texturing(const AttribState& s) {
    if (!s.texture2d || s.texture == 0) {
        return TexturingMode::None;
    }
    return s.envMode == GL_REPLACE ? TexturingMode::Replace : TexturingMode::Modulate;
}

void SetCapability(GLenum cap, bool on) {
    (on ? emscripten_glEnable : emscripten_glDisable)(cap);
}

// Hands WebGL what differs from what it holds; the first call hands it all.
void ApplyState() {
    FixedFunction& gl = Gl();
    const AttribState& s = gl.state;
    AttribState& a = gl.applied;
    const bool all = !gl.appliedKnown;
    gl.appliedKnown = true;
    if (all || s.blend != a.blend) {
        SetCapability(GL_BLEND, s.blend);
    }
    if (all || s.depthTest != a.depthTest) {
        SetCapability(GL_DEPTH_TEST, s.depthTest);
    }
    if (all || s.cullFace != a.cullFace) {
        SetCapability(GL_CULL_FACE, s.cullFace);
    }
    if (all || s.scissorTest != a.scissorTest) {
        SetCapability(GL_SCISSOR_TEST, s.scissorTest);
    }
    if (all || s.blendSource != a.blendSource || s.blendDestination != a.blendDestination) {
        emscripten_glBlendFunc(s.blendSource, s.blendDestination);
    }
    if (all || s.colorMask != a.colorMask) {
        emscripten_glColorMask(s.colorMask[0], s.colorMask[1], s.colorMask[2], s.colorMask[3]);
    }
    if (all || s.clearColor != a.clearColor) {
        emscripten_glClearColor(s.clearColor[0], s.clearColor[1], s.clearColor[2], s.clearColor[3]);
    }
    if (all || s.depthFunc != a.depthFunc) {
        emscripten_glDepthFunc(s.depthFunc);
    }
    if (all || s.depthMask != a.depthMask) {
        emscripten_glDepthMask(s.depthMask);
    }
    if (all || s.clearDepth != a.clearDepth) {
        emscripten_glClearDepthf(s.clearDepth);
    }
    if (all || s.texture != a.texture) {
        emscripten_glBindTexture(GL_TEXTURE_2D, s.texture);
    }
    if (all || s.viewport != a.viewport) {
        emscripten_glViewport(s.viewport[0], s.viewport[1], s.viewport[2], s.viewport[3]);
    }
    a = s;
}

// Draws what was gathered with the state it was gathered under.
void DrawGathered() {
    FixedFunction& gl = Gl();
    if (!gl.batch.Empty()) {
        gl.batch.Draw(Texturing(gl.applied));
    }
}

// Called before a change to how gathered vertices are drawn: they are drawn
// first, with the state before the change. So WebGL's state only ever
// differs from ours while nothing is gathered, and ApplyState brings it up
// to date before vertices are gathered or something is cleared or read.
template <typename T> void Change(T& field, const T& value) {
    if (field == value) {
        return;
    }
    DrawGathered();
    field = value;
}

Matrix4Stack& CurrentMatrix() {
    FixedFunction& gl = Gl();
    gl.mvpDirty = true;
    return gl.matrices[gl.matrixMode];
}

void Vertex(float x, float y, float z) {
    FixedFunction& gl = Gl();
    if (!gl.inBegin) {
        return;
    }
    if (gl.mvpDirty) {
        gl.mvp = MultiplyGlMatrices(gl.matrices[1].Top(), gl.matrices[0].Top());
        gl.mvpDirty = false;
    }
    const GlMatrix& m = gl.mvp;
    BatchVertex v;
    for (int row = 0; row < 4; ++row) {
        v.position[row] = m[row] * x + m[4 + row] * y + m[8 + row] * z + m[12 + row];
    }
    v.color = gl.state.color;
    v.texcoord = gl.state.texcoord;
    const Matrix4Stack& texture = gl.matrices[2];
    if (!texture.IsIdentity()) {
        const GlMatrix& t = texture.Top();
        const float s = gl.state.texcoord[0];
        const float r = gl.state.texcoord[1];
        const float w = t[3] * s + t[7] * r + t[15];
        v.texcoord = {(t[0] * s + t[4] * r + t[12]) / w, (t[1] * s + t[5] * r + t[13]) / w};
    }
    gl.batch.AddQuadVertex(v, Texturing(gl.applied));
}

float Clamped(float c) {
    return std::clamp(c, 0.0f, 1.0f);
}

TextureRecord* FindTexture(GLuint name) {
    for (TextureRecord& record : Gl().textures) {
        if (record.name == name) {
            return &record;
        }
    }
    return nullptr;
}

// Restores the groups of mask from pushed, through the same setters.
void RestoreAttribs(GLbitfield mask, const AttribState& pushed) {
    AttribState& s = Gl().state;
    if ((mask & GL_CURRENT_BIT) != 0) {
        s.color = pushed.color;
        s.texcoord = pushed.texcoord;
    }
    if ((mask & GL_ENABLE_BIT) != 0) {
        Change(s.texture2d, pushed.texture2d);
        Change(s.blend, pushed.blend);
        Change(s.depthTest, pushed.depthTest);
        Change(s.cullFace, pushed.cullFace);
        Change(s.scissorTest, pushed.scissorTest);
    }
    if ((mask & GL_COLOR_BUFFER_BIT) != 0) {
        Change(s.blend, pushed.blend);
        Change(s.blendSource, pushed.blendSource);
        Change(s.blendDestination, pushed.blendDestination);
        Change(s.colorMask, pushed.colorMask);
        s.clearColor = pushed.clearColor;
    }
    if ((mask & GL_DEPTH_BUFFER_BIT) != 0) {
        Change(s.depthTest, pushed.depthTest);
        Change(s.depthFunc, pushed.depthFunc);
        Change(s.depthMask, pushed.depthMask);
        s.clearDepth = pushed.clearDepth;
    }
    if ((mask & GL_POLYGON_BIT) != 0) {
        Change(s.cullFace, pushed.cullFace);
    }
    if ((mask & GL_SCISSOR_BIT) != 0) {
        Change(s.scissorTest, pushed.scissorTest);
    }
    if ((mask & GL_TEXTURE_BIT) != 0) {
        Change(s.texture, pushed.texture);
        Change(s.envMode, pushed.envMode);
    }
    if ((mask & GL_VIEWPORT_BIT) != 0) {
        Change(s.viewport, pushed.viewport);
    }
}

bool* CapabilityField(GLenum cap) {
    AttribState& s = Gl().state;
    switch (cap) {
    case GL_TEXTURE_2D:
        return &s.texture2d;
    case GL_BLEND:
        return &s.blend;
    case GL_DEPTH_TEST:
        return &s.depthTest;
    case GL_CULL_FACE:
        return &s.cullFace;
    case GL_SCISSOR_TEST:
        return &s.scissorTest;
    default:
        return nullptr;
    }
}

} // namespace

void FlushFixedFunctionGl() {
    ApplyState();
    DrawGathered();
}

void ReadCanvasPixels(int x, int y, int width, int height, std::span<std::uint8_t> rgb) {
    FlushFixedFunctionGl();
    // WebGL reads RGBA only.
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
    emscripten_glPixelStorei(GL_PACK_ALIGNMENT, 1);
    emscripten_glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    for (std::size_t i = 0; i < rgba.size() / 4 && i * 3 + 2 < rgb.size(); ++i) {
        rgb[i * 3] = rgba[i * 4];
        rgb[i * 3 + 1] = rgba[i * 4 + 1];
        rgb[i * 3 + 2] = rgba[i * 4 + 2];
    }
}

extern "C" {

void glBegin(GLenum mode) {
    FixedFunction& gl = Gl();
    if (mode != GL_QUADS) {
        if (!gl.warnedMode) {
            gl.warnedMode = true;
            char text[64];
            std::snprintf(text, sizeof text, "webgl: glBegin(0x%x) is not drawn; quads are", mode);
            LogLine(text);
        }
        return;
    }
    ApplyState();
    gl.inBegin = true;
    gl.batch.BeginQuads();
}

void glEnd() {
    FixedFunction& gl = Gl();
    if (gl.inBegin) {
        gl.inBegin = false;
        gl.batch.EndQuads();
    }
}

void glVertex2f(GLfloat x, GLfloat y) {
    Vertex(x, y, 0.0f);
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    Vertex(x, y, z);
}

void glColor3f(GLfloat r, GLfloat g, GLfloat b) {
    Gl().state.color = {Clamped(r), Clamped(g), Clamped(b), 1.0f};
}

void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    Gl().state.color = {Clamped(r), Clamped(g), Clamped(b), Clamped(a)};
}

void glTexCoord2f(GLfloat s, GLfloat t) {
    Gl().state.texcoord = {s, t};
}

void glMatrixMode(GLenum mode) {
    FixedFunction& gl = Gl();
    gl.matrixMode = mode == GL_PROJECTION ? 1 : mode == GL_TEXTURE ? 2 : 0;
}

void glLoadIdentity() {
    CurrentMatrix().LoadIdentity();
}

void glPushMatrix() {
    if (!CurrentMatrix().Push()) {
        LogLine("webgl: glPushMatrix past the stack's depth");
    }
}

void glPopMatrix() {
    if (!CurrentMatrix().Pop()) {
        LogLine("webgl: glPopMatrix with one matrix left");
    }
}

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble nearValue,
             GLdouble farValue) {
    CurrentMatrix().Ortho(static_cast<float>(left), static_cast<float>(right),
                          static_cast<float>(bottom), static_cast<float>(top),
                          static_cast<float>(nearValue), static_cast<float>(farValue));
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    CurrentMatrix().Translate(x, y, z);
}

void glEnable(GLenum cap) {
    if (bool* field = CapabilityField(cap)) {
        Change(*field, true);
    }
}

void glDisable(GLenum cap) {
    if (bool* field = CapabilityField(cap)) {
        Change(*field, false);
    }
}

void glBlendFunc(GLenum source, GLenum destination) {
    AttribState& s = Gl().state;
    Change(s.blendSource, source);
    Change(s.blendDestination, destination);
}

void glDepthFunc(GLenum func) {
    Change(Gl().state.depthFunc, func);
}

void glDepthMask(GLboolean flag) {
    Change(Gl().state.depthMask, flag != GL_FALSE);
}

void glColorMask(GLboolean r, GLboolean g, GLboolean b, GLboolean a) {
    Change(Gl().state.colorMask, {r != GL_FALSE, g != GL_FALSE, b != GL_FALSE, a != GL_FALSE});
}

void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
    Gl().state.clearColor = {Clamped(r), Clamped(g), Clamped(b), Clamped(a)};
}

void glClearDepth(GLclampd depth) {
    Gl().state.clearDepth = Clamped(static_cast<float>(depth));
}

void glClear(GLbitfield mask) {
    FlushFixedFunctionGl();
    emscripten_glClear(mask & (GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT));
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    Change(Gl().state.viewport, {x, y, width, height});
}

void glTexEnvi(GLenum target, GLenum name, GLint value) {
    if (target == GL_TEXTURE_ENV && name == GL_TEXTURE_ENV_MODE) {
        Change(Gl().state.envMode, value);
    }
}

void glPushAttrib(GLbitfield mask) {
    FixedFunction& gl = Gl();
    if (gl.attribDepth == gl.attribStack.size()) {
        LogLine("webgl: glPushAttrib past the stack's depth");
        return;
    }
    gl.attribStack[gl.attribDepth++] = {mask, gl.state};
}

void glPopAttrib() {
    FixedFunction& gl = Gl();
    if (gl.attribDepth == 0) {
        LogLine("webgl: glPopAttrib with nothing pushed");
        return;
    }
    const PushedAttribs& pushed = gl.attribStack[--gl.attribDepth];
    RestoreAttribs(pushed.mask, pushed.state);
}

void glGenTextures(GLsizei n, GLuint* names) {
    emscripten_glGenTextures(n, names);
    for (GLsizei i = 0; i < n; ++i) {
        Gl().textures.push_back({names[i], false});
    }
}

void glDeleteTextures(GLsizei n, const GLuint* names) {
    FixedFunction& gl = Gl();
    for (GLsizei i = 0; i < n; ++i) {
        std::erase_if(gl.textures, [&](const TextureRecord& r) { return r.name == names[i]; });
        if (gl.state.texture == names[i]) {
            Change(gl.state.texture, 0u);
        }
    }
    FlushFixedFunctionGl();
    emscripten_glDeleteTextures(n, names);
}

void glBindTexture(GLenum target, GLuint texture) {
    if (target == GL_TEXTURE_2D) {
        Change(Gl().state.texture, texture);
    }
}

void glTexParameteri(GLenum target, GLenum name, GLint value) {
    FlushFixedFunctionGl();
    if (name == GL_GENERATE_MIPMAP) {
        // WebGL makes mipmaps on request: after each upload.
        if (TextureRecord* record = FindTexture(Gl().state.texture)) {
            record->generateMipmap = value != 0;
        }
        return;
    }
    if ((name == GL_TEXTURE_WRAP_S || name == GL_TEXTURE_WRAP_T) && value == GL_CLAMP) {
        value = GL_CLAMP_TO_EDGE;
    }
    emscripten_glTexParameteri(target, name, value);
}

void glPixelStorei(GLenum name, GLint value) {
    emscripten_glPixelStorei(name, value);
}

void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const GLvoid* pixels) {
    FlushFixedFunctionGl();
    emscripten_glTexImage2D(target, level, internalFormat, width, height, border, format, type,
                            pixels);
    const TextureRecord* record = FindTexture(Gl().state.texture);
    if (record != nullptr && record->generateMipmap && level == 0 && width > 0 && height > 0) {
        emscripten_glGenerateMipmap(target);
    }
}

void glGetIntegerv(GLenum name, GLint* values) {
    if (name == GL_TEXTURE_BINDING_2D) {
        *values = static_cast<GLint>(Gl().state.texture);
        return;
    }
    emscripten_glGetIntegerv(name, values);
}

} // extern "C"
