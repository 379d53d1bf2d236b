#include "platform/host/data/DataSource.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<unsigned char>;

Bytes ToBytes(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

class DataSourceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        entries_ = {
            {"script.txt", ToBytes("BASS 0 1 0\n")},
            {"Pics/Logo.JPG", Bytes{0xff, 0xd8, 0x00, 0x01, 0xff, 0xd9}},
            {"a.txt", ToBytes("lower")},
            {"A.txt", ToBytes("upper")},
        };
        for (const auto& [name, bytes] : entries_) {
            folder_.Write("data/" + name, bytes);
        }
        WriteTestZip(root_ / "data.zip", entries_, {"Pics/"});
        folder_.Write("secret.txt", "outside");
    }

    std::vector<std::unique_ptr<DataSource>> BothSources() {
        std::string error;
        std::vector<std::unique_ptr<DataSource>> sources;
        sources.push_back(OpenDirectorySource(root_ / "data", &error));
        sources.push_back(OpenZipSource(root_ / "data.zip", &error));
        EXPECT_NE(sources[0], nullptr) << error;
        EXPECT_NE(sources[1], nullptr) << error;
        return sources;
    }

    TempFolder folder_;
    const fs::path root_ = folder_.Path();
    std::map<std::string, Bytes> entries_;
};

TEST_F(DataSourceTest, DirectoryAndZipGiveTheSameBytes) {
    for (auto& source : BothSources()) {
        for (const auto& [name, bytes] : entries_) {
            std::string error;
            auto read = source->Read(name, &error);
            ASSERT_TRUE(read) << source->Path() << " " << name << ": " << error;
            EXPECT_EQ(*read, bytes) << source->Path() << " " << name;
        }
    }
}

TEST_F(DataSourceTest, ExactNameWinsThenCaseIsIgnored) {
    for (auto& source : BothSources()) {
        std::string error;
        EXPECT_EQ(source->Read("a.txt", &error), ToBytes("lower")) << source->Path();
        EXPECT_EQ(source->Read("A.txt", &error), ToBytes("upper")) << source->Path();
        EXPECT_EQ(source->Read("pics/logo.jpg", &error), entries_["Pics/Logo.JPG"])
            << source->Path() << ": " << error;
        EXPECT_EQ(source->Read("SCRIPT.TXT", &error), entries_["script.txt"]) << source->Path();
    }
}

TEST_F(DataSourceTest, MissingNamesAndDirectoriesAreNotFound) {
    for (auto& source : BothSources()) {
        for (const char* name : {"nothing.txt", "Pics", "Pics/", "script.txt/x"}) {
            std::string error;
            EXPECT_FALSE(source->Read(name, &error)) << source->Path() << " " << name;
            EXPECT_FALSE(error.empty()) << name;
        }
    }
}

TEST_F(DataSourceTest, NamesReachingOutsideTheDataAreRefused) {
    const std::string absolute = (root_ / "secret.txt").string();
    for (auto& source : BothSources()) {
        for (std::string name :
             {std::string("../secret.txt"), std::string("Pics/../../secret.txt"), std::string(".."),
              absolute, std::string(""), std::string("script.txt\0x", 12)}) {
            std::string error;
            EXPECT_FALSE(source->Read(name, &error)) << source->Path() << " " << name;
            EXPECT_FALSE(error.empty()) << name;
        }
    }
}

TEST_F(DataSourceTest, SymlinkOutOfTheDirectoryIsRefused) {
    fs::create_symlink(root_ / "secret.txt", root_ / "data" / "link.txt");
    std::string error;
    auto source = OpenDirectorySource(root_ / "data", &error);
    ASSERT_TRUE(source) << error;
    EXPECT_FALSE(source->Read("link.txt", &error));
    EXPECT_FALSE(source->Read("LINK.TXT", &error));
}

TEST_F(DataSourceTest, DamagedZipEntryIsAReadError) {
    const fs::path archive = root_ / "data.zip";
    std::string content;
    {
        std::ifstream in(archive, std::ios::binary);
        content.assign(std::istreambuf_iterator<char>(in), {});
    }
    const std::size_t at = content.find("upper");
    ASSERT_NE(at, std::string::npos);
    content[at] = 'X';
    std::ofstream(archive, std::ios::binary) << content;

    std::string error;
    auto source = OpenZipSource(archive, &error);
    ASSERT_TRUE(source) << error;
    EXPECT_FALSE(source->Read("A.txt", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(source->Read("a.txt", &error)) << error;
}

// Zeros deflate about 1030 to 1, past any real data; a dozen bytes still do not.
TEST_F(DataSourceTest, ZipEntryPackedTighterThanAThousandToOneIsRefused) {
    const fs::path archive = root_ / "bomb.zip";
    WriteTestZip(archive, {{"zeros.bin", Bytes(8u << 20, 0)}, {"few.bin", Bytes(12, 0)}}, {},
                 TestZipPacking::Deflated);
    std::string error;
    auto source = OpenZipSource(archive, &error);
    ASSERT_TRUE(source) << error;
    EXPECT_FALSE(source->Read("zeros.bin", &error));
    EXPECT_NE(error.find("compression ratio is over 1000"), std::string::npos) << error;
    EXPECT_TRUE(source->Read("few.bin", &error)) << error;
}

class LocateTest : public DataSourceTest {
  protected:
    void SetUp() override {
        DataSourceTest::SetUp();
        fs::create_directories(work());
        fs::create_directories(exe());
    }
    fs::path work() const { return root_ / "work"; }
    fs::path exe() const { return root_ / "exe"; }
    DataLookup Lookup() const {
        return {"demodat", "demodat.zip", work(), exe(), std::nullopt, {}};
    }
    fs::path Located(const DataLookup& lookup) {
        std::string error;
        auto source = LocateDataSource(lookup, &error);
        return source ? source->Path() : fs::path("error: " + error);
    }
};

TEST_F(LocateTest, SearchesWorkingDirectoryThenExecutablesThenInstallsAndDirectoryBeforeArchive) {
    DataLookup lookup = Lookup();
    lookup.installDirectories = {root_ / "share", root_ / "prefix"};
    fs::create_directories(root_ / "prefix" / "demodat");
    EXPECT_EQ(Located(lookup), root_ / "prefix" / "demodat");
    fs::create_directories(root_ / "share");
    fs::copy_file(root_ / "data.zip", root_ / "share" / "demodat.zip");
    EXPECT_EQ(Located(lookup), root_ / "share" / "demodat.zip");
    fs::copy_file(root_ / "data.zip", exe() / "demodat.zip");
    EXPECT_EQ(Located(lookup), exe() / "demodat.zip");
    fs::create_directories(exe() / "demodat");
    EXPECT_EQ(Located(lookup), exe() / "demodat");
    fs::copy_file(root_ / "data.zip", work() / "demodat.zip");
    EXPECT_EQ(Located(lookup), work() / "demodat.zip");
    fs::create_directories(work() / "demodat");
    EXPECT_EQ(Located(lookup), work() / "demodat");
}

TEST_F(LocateTest, OverrideReplacesTheSearch) {
    fs::create_directories(work() / "demodat");
    DataLookup lookup = Lookup();
    lookup.overridePath = root_ / "data.zip";
    EXPECT_EQ(Located(lookup), root_ / "data.zip");
    lookup.overridePath = root_ / "data";
    EXPECT_EQ(Located(lookup), root_ / "data");
    lookup.overridePath = root_ / "missing";
    EXPECT_NE(Located(lookup).string().find("missing does not exist"), std::string::npos);
    lookup.overridePath = root_ / "secret.txt";
    EXPECT_NE(Located(lookup).string().find("neither a directory nor a .zip"), std::string::npos);
}

TEST_F(LocateTest, FailureNamesWhatWasTried) {
    EXPECT_EQ(Located(Lookup()).string(), "error: no data found: looked for demodat/ and "
                                          "demodat.zip in " +
                                              work().string() + " and " + exe().string());
    DataLookup same = Lookup();
    same.executableDirectory = work();
    EXPECT_EQ(Located(same).string(),
              "error: no data found: looked for demodat/ and demodat.zip in " + work().string());
    // Each place once, in the order searched.
    DataLookup installed = Lookup();
    installed.installDirectories = {root_ / "share", exe() / ".", root_ / "prefix"};
    std::string error;
    std::vector<fs::path> searched;
    EXPECT_FALSE(LocateDataSource(installed, &error, &searched));
    EXPECT_EQ(searched, (std::vector<fs::path>{work(), exe(), root_ / "share", root_ / "prefix"}));
    EXPECT_EQ(error, "no data found: looked for demodat/ and demodat.zip in " + work().string() +
                         ", " + exe().string() + ", " + (root_ / "share").string() + " and " +
                         (root_ / "prefix").string());
}

TEST_F(LocateTest, DamagedArchiveIsReportedNotSkipped) {
    folder_.Write("work/demodat.zip", "not a zip");
    fs::create_directories(exe() / "demodat");
    const std::string result = Located(Lookup()).string();
    EXPECT_EQ(result.rfind("error: ", 0), 0u) << result;
    EXPECT_NE(result.find("demodat.zip"), std::string::npos) << result;
}

} // namespace
