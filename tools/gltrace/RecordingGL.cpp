// Recording definitions of the GL 1.1 entry points the effects use.
#include "tools/gltrace/RecordingGL.h"

#include <GL/gl.h>

#include <initializer_list>

namespace {

std::vector<GlCall> calls;

GlArg Uint(unsigned v) {
    return {GlArgKind::Uint, v, 0.0};
}
GlArg Enum(GLenum v) {
    return {GlArgKind::Enum, v, 0.0};
}
GlArg Bits(GLbitfield v) {
    return {GlArgKind::Bitfield, v, 0.0};
}
GlArg Float(float v) {
    return {GlArgKind::Float, 0, v};
}
GlArg Double(double v) {
    return {GlArgKind::Double, 0, v};
}

void Record(const char* name, std::initializer_list<GlArg> args = {}) {
    GlCall call{name, static_cast<int>(args.size()), {}};
    int i = 0;
    for (const GlArg& arg : args) {
        call.args[i++] = arg;
    }
    calls.push_back(call);
}

} // namespace

std::vector<GlCall>& RecordedGlCalls() {
    return calls;
}

void ClearRecordedGlCalls() {
    calls.clear();
}

std::vector<std::string_view> RecordedGlCallNames() {
    std::vector<std::string_view> names;
    names.reserve(calls.size());
    for (const GlCall& call : calls) {
        names.push_back(call.name);
    }
    return names;
}

extern "C" {

void glPushAttrib(GLbitfield mask) {
    Record("glPushAttrib", {Bits(mask)});
}
void glPopAttrib() {
    Record("glPopAttrib");
}
void glMatrixMode(GLenum mode) {
    Record("glMatrixMode", {Enum(mode)});
}
void glPushMatrix() {
    Record("glPushMatrix");
}
void glPopMatrix() {
    Record("glPopMatrix");
}
void glLoadIdentity() {
    Record("glLoadIdentity");
}
void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble nearVal,
             GLdouble farVal) {
    Record("glOrtho", {Double(left), Double(right), Double(bottom), Double(top), Double(nearVal),
                       Double(farVal)});
}
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    Record("glTranslatef", {Float(x), Float(y), Float(z)});
}
void glColor3f(GLfloat r, GLfloat g, GLfloat b) {
    Record("glColor3f", {Float(r), Float(g), Float(b)});
}
// The third argument of the texture environment calls the show makes is always a mode.
void glTexEnvi(GLenum target, GLenum pname, GLint param) {
    Record("glTexEnvi", {Enum(target), Enum(pname), Enum(static_cast<GLenum>(param))});
}
void glBindTexture(GLenum target, GLuint texture) {
    Record("glBindTexture", {Enum(target), Uint(texture)});
}
void glEnable(GLenum cap) {
    Record("glEnable", {Enum(cap)});
}
void glDisable(GLenum cap) {
    Record("glDisable", {Enum(cap)});
}
void glBlendFunc(GLenum sfactor, GLenum dfactor) {
    Record("glBlendFunc", {Enum(sfactor), Enum(dfactor)});
}
void glDepthFunc(GLenum func) {
    Record("glDepthFunc", {Enum(func)});
}
void glClear(GLbitfield mask) {
    Record("glClear", {Bits(mask)});
}
void glClearColor(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    Record("glClearColor", {Float(r), Float(g), Float(b), Float(a)});
}
void glBegin(GLenum mode) {
    Record("glBegin", {Enum(mode)});
}
void glEnd() {
    Record("glEnd");
}
void glTexCoord2f(GLfloat s, GLfloat t) {
    Record("glTexCoord2f", {Float(s), Float(t)});
}
void glVertex2f(GLfloat x, GLfloat y) {
    Record("glVertex2f", {Float(x), Float(y)});
}
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    Record("glVertex3f", {Float(x), Float(y), Float(z)});
}

} // extern "C"
