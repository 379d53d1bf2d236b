// Immediate-mode vertices gathered into one buffer and drawn with one small
// shader: quads become two triangles each, split on the diagonal from the
// first to the third vertex as the fixed-function rasteriser splits them (the
// warps' texture coordinates follow the split).
// The buffer is made once; drawing allocates nothing.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

struct BatchVertex {
    std::array<float, 4> position; // clip space
    std::array<float, 4> color;
    std::array<float, 2> texcoord;
};

// How a fragment gets its colour: the vertex colour alone, or modulated by
// or replaced with the bound texture's texel.
enum class TexturingMode { None = 0, Modulate = 1, Replace = 2 };

class ImmediateBatch {
  public:
    ImmediateBatch();
    ImmediateBatch(const ImmediateBatch&) = delete;
    ImmediateBatch& operator=(const ImmediateBatch&) = delete;

    // Marks where a glBegin's quads start.
    void BeginQuads();
    // Adds a vertex of the quads begun; draws what is gathered first when a
    // quad would not fit.
    void AddQuadVertex(const BatchVertex& vertex, TexturingMode mode);
    // Drops the vertices of a quad left incomplete at glEnd.
    void EndQuads();
    // Draws what is gathered (with the GL state as it is now) and empties it.
    void Draw(TexturingMode mode);
    bool Empty() const { return count_ == 0; }

  private:
    void MakeGlObjects();

    // 16-bit indices reach 65536 vertices: 16384 quads a draw.
    static constexpr std::size_t kCapacity = 65536;
    std::vector<BatchVertex> vertices_;
    std::size_t count_ = 0;
    std::size_t quadsStart_ = 0;
    bool made_ = false;
    unsigned int program_ = 0;
    unsigned int vertexBuffer_ = 0;
    unsigned int indexBuffer_ = 0;
    unsigned int vertexArray_ = 0;
    int modeUniform_ = -1;
    int modeSet_ = -1;
};
