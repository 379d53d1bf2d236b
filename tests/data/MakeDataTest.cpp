// makedata as the build runs it: the same bytes on every run, in demodat/ and
// in demodat.zip alike, and one clear line when its input is bad.
#include "platform/host/data/DataSource.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>

namespace {

const std::string kMakeData = MAKEDATA_PROGRAM;
const std::filesystem::path kBuild = QUORVEL8_DATA_DIR;
const std::filesystem::path kScript =
    std::filesystem::path(QUORVEL8_SOURCE_DIR) / "data/script.txt";

const std::vector<std::string> kShowFiles = {
    "quorfoto.jpg", "blaat.jpg", "logo.jpg",  "flare.jpg",   "wortel.jpg", "pakje.jpg",
    "Snoep.jpg",    "boek.jpg",  "Dralm.jpg", "Ar_8peos.xm", "script.txt",
};

std::vector<unsigned char> ReadWhole(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    EXPECT_TRUE(in) << file;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::set<std::string> ZipEntryNames(const std::filesystem::path& archive) {
    std::set<std::string> names;
    int code = 0;
    zip_t* zip = zip_open(archive.c_str(), ZIP_RDONLY, &code);
    if (zip == nullptr) {
        ADD_FAILURE() << archive << " does not open";
        return names;
    }
    for (zip_int64_t i = 0; i < zip_get_num_entries(zip, 0); ++i) {
        names.insert(zip_get_name(zip, static_cast<zip_uint64_t>(i), 0));
    }
    zip_discard(zip);
    return names;
}

TEST(MakeDataTest, BuildsDirectoryAndZipHoldTheSameFilesByteForByte) {
    std::string error;
    const auto directory = OpenDirectorySource(kBuild / "demodat", &error);
    ASSERT_TRUE(directory) << error;
    const auto archive = OpenZipSource(kBuild / "demodat.zip", &error);
    ASSERT_TRUE(archive) << error;
    for (const std::string& name : kShowFiles) {
        const auto fromDirectory = directory->Read(name, &error);
        ASSERT_TRUE(fromDirectory) << name << ": " << error;
        const auto fromArchive = archive->Read(name, &error);
        ASSERT_TRUE(fromArchive) << name << ": " << error;
        EXPECT_FALSE(fromDirectory->empty()) << name;
        EXPECT_TRUE(*fromDirectory == *fromArchive) << name;
    }
    EXPECT_EQ(ZipEntryNames(kBuild / "demodat.zip"),
              std::set<std::string>(kShowFiles.begin(), kShowFiles.end()));
    EXPECT_EQ(directory->Read("script.txt", &error), ReadWhole(kScript));
}

TEST(MakeDataTest, TwoRunsWriteTheSameBytesAsTheBuild) {
    TempFolder first;
    TempFolder second;
    for (const TempFolder* out : {&first, &second}) {
        const ProgramResult run = RunProgram(
            kMakeData, {"--script", kScript.string(), "--out", (out->Path() / "demodat").string(),
                        "--zip", (out->Path() / "demodat.zip").string()});
        ASSERT_EQ(run.exitStatus, 0) << run.err;
    }
    for (const std::string& name : kShowFiles) {
        const auto built = ReadWhole(kBuild / "demodat" / name);
        EXPECT_TRUE(ReadWhole(first.Path() / "demodat" / name) == built) << name;
        EXPECT_TRUE(ReadWhole(second.Path() / "demodat" / name) == built) << name;
    }
    // The archive too: no time of the run slips into it.
    const auto builtZip = ReadWhole(kBuild / "demodat.zip");
    EXPECT_TRUE(ReadWhole(first.Path() / "demodat.zip") == builtZip);
    EXPECT_TRUE(ReadWhole(second.Path() / "demodat.zip") == builtZip);
}

TEST(MakeDataTest, BadInputIsOneLineAndWritesNothing) {
    TempFolder out;
    const auto demodat = out.Path() / "demodat";
    const struct {
        std::vector<std::string> args;
        int status;
        std::string says;
    } cases[] = {
        {{"--script", (out.Path() / "missing.txt").string(), "--out", demodat.string()},
         1,
         "missing.txt] cannot be read"},
        {{"--script", kScript.string(), "--fonts", (out.Path() / "nofonts").string(), "--out",
          demodat.string()},
         1,
         "nofonts] is not a folder"},
        {{"--out", demodat.string()}, 2, "need --script"},
        {{"--script", kScript.string()}, 2, "nothing to write"},
    };
    for (const auto& bad : cases) {
        const ProgramResult run = RunProgram(kMakeData, bad.args);
        EXPECT_EQ(run.exitStatus, bad.status) << run.err;
        EXPECT_NE(run.err.find(bad.says), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_FALSE(std::filesystem::exists(demodat)) << run.err;
    }
}

TEST(MakeDataTest, ContactSheetIsOnePng) {
    TempFolder out;
    const auto sheet = out.Path() / "sheet.png";
    const ProgramResult run = RunProgram(kMakeData, {"--contact-sheet", sheet.string()});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const auto bytes = ReadWhole(sheet);
    const std::vector<unsigned char> signature = {0x89, 'P', 'N', 'G'};
    ASSERT_GT(bytes.size(), signature.size());
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), bytes.begin()));
}

} // namespace
