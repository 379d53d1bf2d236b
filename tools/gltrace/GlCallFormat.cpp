#include "tools/gltrace/GlCallFormat.h"

#include <GL/gl.h>

#include <cstdio>
#include <string_view>

namespace {

struct EnumName {
    GLenum value;
    const char* name;
};

// Blend factors share their small values with primitive modes and booleans, so
// they are looked up apart from the rest.
constexpr EnumName kBlendFactors[] = {
    {GL_ZERO, "GL_ZERO"},           {GL_ONE, "GL_ONE"},
    {GL_SRC_COLOR, "GL_SRC_COLOR"}, {GL_ONE_MINUS_SRC_COLOR, "GL_ONE_MINUS_SRC_COLOR"},
    {GL_SRC_ALPHA, "GL_SRC_ALPHA"}, {GL_ONE_MINUS_SRC_ALPHA, "GL_ONE_MINUS_SRC_ALPHA"},
    {GL_DST_ALPHA, "GL_DST_ALPHA"}, {GL_ONE_MINUS_DST_ALPHA, "GL_ONE_MINUS_DST_ALPHA"},
    {GL_DST_COLOR, "GL_DST_COLOR"}, {GL_ONE_MINUS_DST_COLOR, "GL_ONE_MINUS_DST_COLOR"},
};

constexpr EnumName kEnums[] = {
    {GL_QUADS, "GL_QUADS"},
    {GL_TRIANGLES, "GL_TRIANGLES"},
    {GL_MODELVIEW, "GL_MODELVIEW"},
    {GL_PROJECTION, "GL_PROJECTION"},
    {GL_TEXTURE, "GL_TEXTURE"},
    {GL_TEXTURE_2D, "GL_TEXTURE_2D"},
    {GL_BLEND, "GL_BLEND"},
    {GL_DEPTH_TEST, "GL_DEPTH_TEST"},
    {GL_CULL_FACE, "GL_CULL_FACE"},
    {GL_LIGHTING, "GL_LIGHTING"},
    {GL_TEXTURE_ENV, "GL_TEXTURE_ENV"},
    {GL_TEXTURE_ENV_MODE, "GL_TEXTURE_ENV_MODE"},
    {GL_MODULATE, "GL_MODULATE"},
    {GL_REPLACE, "GL_REPLACE"},
    {GL_DECAL, "GL_DECAL"},
    {GL_NEVER, "GL_NEVER"},
    {GL_LESS, "GL_LESS"},
    {GL_EQUAL, "GL_EQUAL"},
    {GL_LEQUAL, "GL_LEQUAL"},
    {GL_GREATER, "GL_GREATER"},
    {GL_NOTEQUAL, "GL_NOTEQUAL"},
    {GL_GEQUAL, "GL_GEQUAL"},
    {GL_ALWAYS, "GL_ALWAYS"},
};

template <std::size_t N> const char* Lookup(const EnumName (&table)[N], GLenum value) {
    for (const EnumName& entry : table) {
        if (entry.value == value) {
            return entry.name;
        }
    }
    return nullptr;
}

void AppendArg(std::string& out, const GlCall& call, int index) {
    const GlArg& arg = call.args[index];
    char text[64];
    switch (arg.kind) {
    case GlArgKind::Uint:
        std::snprintf(text, sizeof text, "%lld", arg.integer);
        break;
    case GlArgKind::Bitfield:
        std::snprintf(text, sizeof text, "0x%llx", arg.integer);
        break;
    case GlArgKind::Float:
        std::snprintf(text, sizeof text, "%.9g", arg.real);
        break;
    case GlArgKind::Double:
        std::snprintf(text, sizeof text, "%.17g", arg.real);
        break;
    case GlArgKind::Enum: {
        const auto value = static_cast<GLenum>(arg.integer);
        const char* name = std::string_view(call.name) == "glBlendFunc"
                               ? Lookup(kBlendFactors, value)
                               : Lookup(kEnums, value);
        if (name != nullptr) {
            out += name;
            return;
        }
        std::snprintf(text, sizeof text, "0x%04x", value);
        break;
    }
    }
    out += text;
}

} // namespace

std::string FormatGlCall(const GlCall& call) {
    std::string out = call.name;
    out += '(';
    for (int i = 0; i < call.argCount; ++i) {
        if (i > 0) {
            out += ", ";
        }
        AppendArg(out, call, i);
    }
    out += ')';
    return out;
}

std::vector<std::string> FormatRecordedGlCalls() {
    std::vector<std::string> lines;
    lines.reserve(RecordedGlCalls().size());
    for (const GlCall& call : RecordedGlCalls()) {
        lines.push_back(FormatGlCall(call));
    }
    return lines;
}
