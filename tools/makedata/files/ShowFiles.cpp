#include "tools/makedata/files/ShowFiles.h"

#include "tools/makedata/files/JpegEncoder.h"
#include "tools/makedata/pictures/ShowPictures.h"
#include "tools/makedata/soundtrack/SoundtrackComposer.h"

#include <fstream>
#include <functional>
#include <future>
#include <iterator>
#include <stdexcept>

namespace {

using FileMaker = std::function<std::vector<unsigned char>(const MakeDataInputs&)>;

std::vector<unsigned char> CopyScript(const MakeDataInputs& inputs) {
    std::ifstream in(inputs.scriptFile, std::ios::binary);
    if (!in) {
        throw std::runtime_error("script: [" + inputs.scriptFile.string() + "] cannot be read");
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::pair<std::string, FileMaker>> FileMakers() {
    std::vector<std::pair<std::string, FileMaker>> makers;
    for (const ShowPicture& picture : ShowPictures()) {
        makers.emplace_back(std::string(picture.name), [paint = picture.paint](const auto& in) {
            return EncodeJpeg(paint(in));
        });
    }
    makers.emplace_back("Ar_8peos.xm", [](const MakeDataInputs&) { return ComposeSoundtrack(); });
    makers.emplace_back("script.txt", CopyScript);
    return makers;
}

} // namespace

std::vector<GeneratedFile> GenerateShowFiles(const MakeDataInputs& inputs) {
    std::vector<std::pair<std::string, std::future<std::vector<unsigned char>>>> pending;
    for (auto& [name, make] : FileMakers()) {
        pending.emplace_back(name, std::async(std::launch::async, make, std::cref(inputs)));
    }
    std::vector<GeneratedFile> files;
    for (auto& [name, bytes] : pending) {
        files.push_back({name, bytes.get()});
    }
    return files;
}

void WriteShowDirectory(const std::filesystem::path& directory,
                        const std::vector<GeneratedFile>& files) {
    std::filesystem::create_directories(directory);
    for (const GeneratedFile& file : files) {
        const std::filesystem::path path = directory / file.name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(file.bytes.data()),
                  static_cast<std::streamsize>(file.bytes.size()));
        if (!out.flush()) {
            throw std::runtime_error("data: [" + path.string() + "] cannot be written");
        }
    }
}
