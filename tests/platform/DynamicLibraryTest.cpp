// Loading libraries by system path: the mapped file, the ".so" stand-ins for ".dll" names, and
// failures that say why.
#include "platform/DynamicLibrary.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TempFolder.h"
#include "platform/Paths.h"

namespace {

class DynamicLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetDriveRoot(root_);
        std::filesystem::create_directories(platform::MapPath("c:\\") / "Surfcam" / "SrpApiV3");
    }
    // Places the test module at `relative` below drive C.
    void PlaceModule(const std::filesystem::path& relative) {
        std::filesystem::create_directories((platform::MapPath("c:\\") / relative).parent_path());
        std::filesystem::copy_file(TAVRO_TEST_MODULE, platform::MapPath("c:\\") / relative,
                                   std::filesystem::copy_options::overwrite_existing);
    }
    const tavro::testing::TempFolder folder_{"dl"};
    const std::filesystem::path root_ = folder_.path();
};

using Twice = int (*)(int);

TEST_F(DynamicLibraryTest, LoadsByTheMappedPathAndFindsExports) {
    PlaceModule("Surfcam/SrpApiV3/cadlsilent.dll");
    auto loaded = platform::DynamicLibrary::Load("c:\\Surfcam\\SrpApiV3\\cadlsilent.dll");
    ASSERT_TRUE(loaded) << loaded.Describe();
    platform::DynamicLibrary library = std::move(loaded).Value();
    ASSERT_TRUE(library);
    const Twice twice = library.FunctionNamed<Twice>("TestModuleTwice");
    ASSERT_NE(twice, nullptr);
    EXPECT_EQ(twice(21), 42);
    EXPECT_EQ(library.Symbol("SurfcamDllEntryPoint"), nullptr);
    library.Unload();
    EXPECT_FALSE(library);
    EXPECT_EQ(library.Symbol("TestModuleTwice"), nullptr);
}

TEST_F(DynamicLibraryTest, DllNamesFindTheirSharedObjects) {
    struct Case {
        const char* placed;
        const char* loaded;
    } cases[] = {
        {"AddIns/Tavroset.so", "c:\\AddIns\\Tavroset.dll"},
        {"Other/libTavroset.so", "C:\\OTHER\\TAVROSET.DLL"},
        {"Plain/module.so", "c:\\Plain\\module.so"},
    };
    for (const Case& c : cases) {
        PlaceModule(c.placed);
        const auto library = platform::DynamicLibrary::Load(c.loaded);
        ASSERT_TRUE(library) << c.loaded << ": " << library.Describe();
        EXPECT_EQ(library->File().filename(), std::filesystem::path(c.placed).filename());
    }
}

TEST_F(DynamicLibraryTest, FailuresSayWhy) {
    std::ofstream(platform::MapPath("c:\\") / "Surfcam" / "SrpApiV3" / "broken.dll")
        << "not a library";
    for (const char* path : {"c:\\Surfcam\\SrpApiV3\\cadlsilent.dll",
                             "c:\\Surfcam\\SrpApiV3\\broken.dll", "c:\\Surfcam", ""}) {
        const auto library = platform::DynamicLibrary::Load(path);
        EXPECT_FALSE(library) << path;
        EXPECT_FALSE(library.Describe().empty()) << path;
    }
}

}  // namespace
