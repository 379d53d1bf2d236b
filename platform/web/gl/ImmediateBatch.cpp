#include "platform/web/gl/ImmediateBatch.h"

#include "platform/common/Log.h"

#include <webgl/webgl1.h>
#include <webgl/webgl2.h>

#include <cstdint>
#include <string>

namespace {

const char* const kVertexShader = R"(#version 300 es
layout(location = 0) in vec4 position;
layout(location = 1) in vec4 color;
layout(location = 2) in vec2 texcoord;
out vec4 vColor;
out vec2 vTexcoord;
void main() {
    gl_Position = position;
    vColor = color;
    vTexcoord = texcoord;
}
)";

// mode: 0 the colour alone, 1 modulated by the texel, 2 the texel.
const char* const kFragmentShader = R"(#version 300 es
precision highp float;
uniform sampler2D picture;
uniform int mode;
in vec4 vColor;
in vec2 vTexcoord;
out vec4 fragment;
void main() {
    if (mode == 0) {
        fragment = vColor;
    } else if (mode == 1) {
        fragment = vColor * texture(picture, vTexcoord);
    } else {
        fragment = texture(picture, vTexcoord);
    }
}
)";

GLuint CompileShader(GLenum kind, const char* source) {
    const GLuint shader = emscripten_glCreateShader(kind);
    emscripten_glShaderSource(shader, 1, &source, nullptr);
    emscripten_glCompileShader(shader);
    GLint compiled = 0;
    emscripten_glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled == 0) {
        char log[512] = {};
        emscripten_glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        LogLine(std::string("webgl: the drawing shader does not compile: ") + log);
    }
    return shader;
}

} // namespace

ImmediateBatch::ImmediateBatch() : vertices_(kCapacity) {}

void ImmediateBatch::MakeGlObjects() {
    made_ = true;
    program_ = emscripten_glCreateProgram();
    const GLuint vertex = CompileShader(GL_VERTEX_SHADER, kVertexShader);
    const GLuint fragment = CompileShader(GL_FRAGMENT_SHADER, kFragmentShader);
    emscripten_glAttachShader(program_, vertex);
    emscripten_glAttachShader(program_, fragment);
    emscripten_glLinkProgram(program_);
    emscripten_glDeleteShader(vertex);
    emscripten_glDeleteShader(fragment);
    emscripten_glUseProgram(program_);
    modeUniform_ = emscripten_glGetUniformLocation(program_, "mode");
    emscripten_glUniform1i(emscripten_glGetUniformLocation(program_, "picture"), 0);

    emscripten_glGenVertexArrays(1, &vertexArray_);
    emscripten_glBindVertexArray(vertexArray_);
    emscripten_glGenBuffers(1, &vertexBuffer_);
    emscripten_glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    emscripten_glBufferData(GL_ARRAY_BUFFER, kCapacity * sizeof(BatchVertex), nullptr,
                            GL_DYNAMIC_DRAW);
    const auto stride = static_cast<GLsizei>(sizeof(BatchVertex));
    emscripten_glEnableVertexAttribArray(0);
    emscripten_glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, stride,
                                     reinterpret_cast<void*>(offsetof(BatchVertex, position)));
    emscripten_glEnableVertexAttribArray(1);
    emscripten_glVertexAttribPointer(1, 4, GL_FLOAT, GL_FALSE, stride,
                                     reinterpret_cast<void*>(offsetof(BatchVertex, color)));
    emscripten_glEnableVertexAttribArray(2);
    emscripten_glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride,
                                     reinterpret_cast<void*>(offsetof(BatchVertex, texcoord)));

    std::vector<std::uint16_t> indices;
    indices.reserve(kCapacity / 4 * 6);
    for (std::size_t quad = 0; quad < kCapacity / 4; ++quad) {
        const auto v = static_cast<std::uint16_t>(quad * 4);
        for (const int corner : {0, 1, 2, 0, 2, 3}) {
            indices.push_back(static_cast<std::uint16_t>(v + corner));
        }
    }
    emscripten_glGenBuffers(1, &indexBuffer_);
    emscripten_glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
    emscripten_glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                            static_cast<GLsizeiptr>(indices.size() * sizeof(std::uint16_t)),
                            indices.data(), GL_STATIC_DRAW);
}

void ImmediateBatch::BeginQuads() {
    quadsStart_ = count_;
}

void ImmediateBatch::AddQuadVertex(const BatchVertex& vertex, TexturingMode mode) {
    if ((count_ - quadsStart_) % 4 == 0 && count_ + 4 > kCapacity) {
        Draw(mode);
    }
    vertices_[count_++] = vertex;
}

void ImmediateBatch::EndQuads() {
    count_ = quadsStart_ + (count_ - quadsStart_) / 4 * 4;
    quadsStart_ = count_;
}

void ImmediateBatch::Draw(TexturingMode mode) {
    const std::size_t quads = count_ / 4;
    if (quads == 0) {
        count_ = quadsStart_ = 0;
        return;
    }
    if (!made_) {
        MakeGlObjects();
    }
    if (modeSet_ != static_cast<int>(mode)) {
        modeSet_ = static_cast<int>(mode);
        emscripten_glUniform1i(modeUniform_, modeSet_);
    }
    emscripten_glBufferSubData(GL_ARRAY_BUFFER, 0,
                               static_cast<GLsizeiptr>(quads * 4 * sizeof(BatchVertex)),
                               vertices_.data());
    emscripten_glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(quads * 6), GL_UNSIGNED_SHORT,
                              nullptr);
    // A quad begun and not yet ended moves to the front.
    const std::size_t carried = count_ - quads * 4;
    for (std::size_t i = 0; i < carried; ++i) {
        vertices_[i] = vertices_[quads * 4 + i];
    }
    count_ = carried;
    quadsStart_ = 0;
}
