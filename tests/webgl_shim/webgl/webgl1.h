// Stands in for emscripten's WebGL headers, so the browser build's GL layer runs
// on Mesa in the tests: each emscripten_gl call is the GL call of that name.
#pragma once

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#define emscripten_glAttachShader glAttachShader
#define emscripten_glBindBuffer glBindBuffer
#define emscripten_glBufferData glBufferData
#define emscripten_glBufferSubData glBufferSubData
#define emscripten_glCompileShader glCompileShader
#define emscripten_glCreateProgram glCreateProgram
#define emscripten_glCreateShader glCreateShader
#define emscripten_glDeleteShader glDeleteShader
#define emscripten_glDrawElements glDrawElements
#define emscripten_glEnableVertexAttribArray glEnableVertexAttribArray
#define emscripten_glGenBuffers glGenBuffers
#define emscripten_glGetShaderInfoLog glGetShaderInfoLog
#define emscripten_glGetShaderiv glGetShaderiv
#define emscripten_glGetUniformLocation glGetUniformLocation
#define emscripten_glLinkProgram glLinkProgram
#define emscripten_glShaderSource glShaderSource
#define emscripten_glUniform1i glUniform1i
#define emscripten_glUseProgram glUseProgram
#define emscripten_glVertexAttribPointer glVertexAttribPointer
#define emscripten_glBindVertexArray glBindVertexArray
#define emscripten_glGenVertexArrays glGenVertexArrays
