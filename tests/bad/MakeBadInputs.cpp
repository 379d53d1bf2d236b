// Writes the corpus of bad inputs (tests/data/bad/) that the end-to-end tests
// feed to the program: damaged pictures, archives, modules and scripts. Every
// file is made here from scratch, so the corpus can be rebuilt at any time:
//   make_bad_inputs tests/data/bad
#include "platform/host/output/PngWriter.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestModule.h"

#include <turbojpeg.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<unsigned char>;

constexpr int kWidth = 64;
constexpr int kHeight = 48;

std::vector<std::uint8_t> Gradient() {
    std::vector<std::uint8_t> rgb(kWidth * kHeight * 3);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            std::uint8_t* texel = &rgb[(y * kWidth + x) * 3];
            texel[0] = static_cast<std::uint8_t>(x * 4);
            texel[1] = static_cast<std::uint8_t>(y * 5);
            texel[2] = 128;
        }
    }
    return rgb;
}

Bytes Encode(const std::vector<std::uint8_t>& pixels, int pixelFormat, int subsampling, int flags) {
    tjhandle handle = tjInitCompress();
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    const int result = tjCompress2(handle, pixels.data(), kWidth, 0, kHeight, pixelFormat, &jpeg,
                                   &size, subsampling, 90, flags);
    Bytes bytes;
    if (result == 0) {
        bytes.assign(jpeg, jpeg + size);
    }
    tjFree(jpeg);
    tjDestroy(handle);
    if (result != 0) {
        throw std::runtime_error("JPEG could not be encoded");
    }
    return bytes;
}

// Same picture with four ink channels: a CMYK JPEG as print tools write them.
Bytes CmykJpeg() {
    const std::vector<std::uint8_t> rgb = Gradient();
    std::vector<std::uint8_t> cmyk;
    for (std::size_t i = 0; i < rgb.size(); i += 3) {
        cmyk.insert(cmyk.end(), {static_cast<std::uint8_t>(255 - rgb[i]),
                                 static_cast<std::uint8_t>(255 - rgb[i + 1]),
                                 static_cast<std::uint8_t>(255 - rgb[i + 2]), 0});
    }
    return Encode(cmyk, TJPF_CMYK, TJSAMP_444, 0);
}

// The frame header's height and width, rewritten to claim another size.
Bytes ClaimSize(Bytes jpeg, int width, int height) {
    for (std::size_t i = 0; i + 8 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xff && jpeg[i + 1] == 0xc0) {
            jpeg[i + 5] = static_cast<unsigned char>(height >> 8);
            jpeg[i + 6] = static_cast<unsigned char>(height);
            jpeg[i + 7] = static_cast<unsigned char>(width >> 8);
            jpeg[i + 8] = static_cast<unsigned char>(width);
            return jpeg;
        }
    }
    throw std::runtime_error("no baseline frame header");
}

// Scrambles the entropy-coded data after the scan header: markers included,
// so the decoder meets bytes it cannot place.
Bytes Scramble(Bytes jpeg) {
    std::size_t scan = 0;
    for (std::size_t i = 0; i + 1 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xff && jpeg[i + 1] == 0xda) {
            scan = i;
        }
    }
    std::uint32_t state = 12345;
    for (std::size_t i = scan + 20; i + 2 < jpeg.size(); i += 3) {
        state = state * 1664525u + 1013904223u;
        jpeg[i] = static_cast<unsigned char>(state >> 24);
    }
    return jpeg;
}

Bytes Cut(const Bytes& bytes, std::size_t size) {
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
}

// Cut halfway through the entropy-coded data of the last scan: the headers
// are whole, the picture's lower part is missing.
Bytes CutInScan(const Bytes& jpeg) {
    std::size_t scan = 0;
    for (std::size_t i = 0; i + 1 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xff && jpeg[i + 1] == 0xda) {
            scan = i;
        }
    }
    return Cut(jpeg, scan + (jpeg.size() - scan) / 2);
}

Bytes Text(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

void Write(const fs::path& file, const Bytes& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

Bytes ReadBack(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WritePictures(const fs::path& folder) {
    const Bytes good = Encode(Gradient(), TJPF_RGB, TJSAMP_420, 0);
    Write(folder / "picture-truncated-half.jpg", Cut(good, good.size() / 2));
    Write(folder / "picture-truncated-header.jpg", Cut(good, 100));
    Write(folder / "picture-corrupt-scan.jpg", Scramble(good));
    Write(folder / "picture-cut-in-scan.jpg", CutInScan(good));
    Write(folder / "picture-progressive-cut-in-scan.jpg",
          CutInScan(Encode(Gradient(), TJPF_RGB, TJSAMP_420, TJFLAG_PROGRESSIVE)));
    Write(folder / "picture-cmyk.jpg", CmykJpeg());
    Write(folder / "picture-progressive.jpg",
          Encode(Gradient(), TJPF_RGB, TJSAMP_420, TJFLAG_PROGRESSIVE));
    Write(folder / "picture-over-8192-a-side.jpg", ClaimSize(good, 9000, 16));
    Write(folder / "picture-over-64-mib.jpg", ClaimSize(good, 4100, 4100));
    Write(folder / "picture-empty.jpg", {});
    std::string error;
    const fs::path png = folder / "picture-png-renamed.jpg";
    if (!WritePng(png, kWidth, kHeight, Gradient(), &error)) {
        throw std::runtime_error(png.string() + ": " + error);
    }
}

const std::string kPictureScript = "BGDING 0 1000 1\n";

void WriteArchives(const fs::path& folder) {
    const Bytes picture = Encode(Gradient(), TJPF_RGB, TJSAMP_420, 0);
    const fs::path whole = folder / "archive-truncated.zip";
    WriteTestZip(whole, {{"script.txt", Text(kPictureScript)}, {"quorfoto.jpg", picture}});
    const Bytes zip = ReadBack(whole);
    Write(whole, Cut(zip, zip.size() / 2));
    WriteTestZip(folder / "archive-traversal.zip",
                 {{"script.txt", Text(kPictureScript)}, {"../quorfoto.jpg", picture}});
    WriteTestZip(folder / "archive-bomb.zip",
                 {{"script.txt", Text(kPictureScript)}, {"quorfoto.jpg", Bytes(8u << 20, 0)}}, {},
                 TestZipPacking::Deflated);
}

void WriteModules(const fs::path& folder) {
    const Bytes module = MakeTestModule();
    for (int tenth = 0; tenth < 10; ++tenth) {
        char name[48];
        std::snprintf(name, sizeof name, "module-cut-at-%d0-percent.xm", tenth);
        Write(folder / name, Cut(module, module.size() * static_cast<std::size_t>(tenth) / 10));
    }
}

void WriteScripts(const fs::path& folder) {
    const std::pair<const char*, std::string> scripts[] = {
        {"script-unknown-effect.txt", "BGDING 0 1000 1\nSPARKLE 0 1000 2\n"},
        {"script-malformed-time.txt", "BGDING 0 1:5 1\n"},
        {"script-past-24-hours.txt", "BGDING 0 1440:00.001 1\n"},
        {"script-negative-time.txt", "BGDING -500 1000 1\n"},
        {"script-end-not-after-start.txt", "BGDING 0:05 0:04 1\n"},
        {"script-overlap.txt", "BGDING 0 1000 1\nBGDING 0:00.500 2000 1\n"},
        {"script-malformed-layer.txt", "BGDING 0 1000 top\n"},
        {"script-missing-field.txt", "BGDING 0 1000\n"},
        {"script-malformed-end.txt", "BGDING 0 1000 1\nEND\n"},
        {"script-duplicate-end.txt", "BGDING 0 1000 1\nEND 1000\nEND 2000\n"},
        {"script-no-runs.txt", "# nothing but a comment\n\nEND 0:10\n"},
        {"script-end-at-zero.txt", "BGDING 0 1000 1\nEND 0\n"},
        {"script-end-before-every-run.txt", "BGDING 0 1000 1\nEND 500\n"},
        {"script-line-over-4-kib.txt", "BGDING 0 1000 1 #" + std::string(5000, '=') + "\n"},
        {"script-control-bytes.txt", std::string("BGD\x01NG 0 1000 1\n", 16)},
        {"script-crlf-and-bom.txt", "\xEF\xBB\xBF# show\r\nBGDING 0 1000 1\r\nEND 1000\r\n"},
    };
    for (const auto& [name, text] : scripts) {
        Write(folder / name, Text(text));
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_bad_inputs FOLDER\n");
        return 2;
    }
    try {
        const fs::path folder = argv[1];
        fs::create_directories(folder);
        WritePictures(folder);
        WriteArchives(folder);
        WriteModules(folder);
        WriteScripts(folder);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_bad_inputs: %s\n", e.what());
        return 1;
    }
    return 0;
}
