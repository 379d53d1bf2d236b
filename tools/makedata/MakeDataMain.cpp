// makedata: generates the show's data. The build runs it to write demodat/
// and demodat.zip, and the program's icon; --contact-sheet writes a PNG of the
// pictures for a person to look at.
#include "platform/common/Log.h"
#include "tools/makedata/files/ShowFiles.h"
#include "tools/makedata/files/ZipPacker.h"
#include "tools/makedata/pictures/AppIcon.h"
#include "tools/makedata/pictures/ContactSheet.h"

#include <CLI/CLI.hpp>

#include <exception>
#include <string>

int main(int argc, char** argv) {
    CLI::App app{"makedata: generates the pictures of quorvel 8 and packs demodat/ and "
                 "demodat.zip"};
    MakeDataInputs inputs;
    inputs.fontDirectory = QUORVEL_FONT_DIR;
    std::filesystem::path directory;
    std::filesystem::path archive;
    std::filesystem::path contactSheet;
    std::filesystem::path icon;
    app.add_option("--script", inputs.scriptFile,
                   "the timeline script to pack (with --out, --zip)");
    app.add_option("--fonts", inputs.fontDirectory, "the folder of the DejaVu fonts")
        ->capture_default_str();
    app.add_option("--out", directory, "the data folder to write (demodat)");
    app.add_option("--zip", archive, "the archive to write (demodat.zip)");
    app.add_option("--contact-sheet", contactSheet, "a PNG of the nine pictures to write");
    app.add_option("--icon", icon, "the program's icon to write: the logo as a 256x256 PNG");
    CLI11_PARSE(app, argc, argv);
    if (directory.empty() && archive.empty() && contactSheet.empty() && icon.empty()) {
        LogLine("makedata: nothing to write: give --out, --zip, --contact-sheet or --icon");
        return 2;
    }
    const bool packing = !directory.empty() || !archive.empty();
    if (packing && inputs.scriptFile.empty()) {
        LogLine("makedata: --out and --zip need --script");
        return 2;
    }
    try {
        CheckMakeDataInputs(inputs, packing);
        if (packing) {
            const std::vector<GeneratedFile> files = GenerateShowFiles(inputs);
            if (!directory.empty()) {
                WriteShowDirectory(directory, files);
            }
            if (!archive.empty()) {
                PackZip(archive, files);
            }
        }
        if (!contactSheet.empty()) {
            WriteContactSheet(contactSheet, inputs);
        }
        if (!icon.empty()) {
            WriteAppIcon(icon, inputs);
        }
    } catch (const std::exception& error) {
        LogLine(std::string("makedata: ") + error.what());
        return 1;
    }
    return 0;
}
