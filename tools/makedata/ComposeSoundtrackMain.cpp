// compose_soundtrack OUT.xm: writes the show's module to a file, to listen to
// or inspect it outside the show.
#include "tools/makedata/SoundtrackComposer.h"

#include <cstdio>
#include <fstream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: compose_soundtrack OUT.xm\n");
        return 2;
    }
    const std::vector<unsigned char> bytes = ComposeSoundtrack();
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "compose_soundtrack: [%s] cannot be written\n", argv[1]);
        return 1;
    }
    std::printf("%s: %zu bytes\n", argv[1], bytes.size());
    return 0;
}
