// A GL that records instead of drawing: every entry point the effects call is
// defined here and appends one GlCall with its exact arguments. Unit tests and
// gltrace link this in place of libGL.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

enum class GlArgKind { Uint, Enum, Bitfield, Float, Double };

struct GlArg {
    GlArgKind kind;
    long long integer; // Uint, Enum, Bitfield
    double real;       // Float (exactly the float passed), Double
};

struct GlCall {
    const char* name; // "glBegin"
    int argCount;
    std::array<GlArg, 6> args;

    std::string_view Name() const { return name; }
    float F(int i) const { return static_cast<float>(args[i].real); }
    double D(int i) const { return args[i].real; }
    long long I(int i) const { return args[i].integer; }
};

std::vector<GlCall>& RecordedGlCalls();
void ClearRecordedGlCalls();

// Names of the recorded calls, in order (for sequence checks).
std::vector<std::string_view> RecordedGlCallNames();
