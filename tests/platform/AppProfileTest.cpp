// Application profiles: integers kept in the library's ini file in the mapped Windows folder.
#include "platform/AppProfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "TempFolder.h"
#include "platform/Paths.h"

namespace {

class AppProfileTest : public ::testing::Test {
protected:
    void SetUp() override { platform::SetDriveRoot(root_); }
    const tavro::testing::TempFolder folder_{"profile"};
    const std::filesystem::path root_ = folder_ / "drives";
};

TEST_F(AppProfileTest, MissingKeysGiveTheDefaultWithoutCreatingAnything) {
    const platform::AppProfile profile("Ravelink03");
    EXPECT_EQ(profile.GetProfileInt("ProgressBox", "Top", 0), 0);
    EXPECT_EQ(profile.GetProfileInt("ProgressBox", "Left", -3), -3);
    EXPECT_FALSE(std::filesystem::exists(root_));
}

TEST_F(AppProfileTest, ValuesOutliveTheProfileObjectInTheWindowsFolder) {
    {
        const platform::AppProfile profile("Ravelink03");
        ASSERT_TRUE(profile.WriteProfileInt("ProgressBox", "Top", 120));
        ASSERT_TRUE(profile.WriteProfileInt("ProgressBox", "Left", -40));
        ASSERT_TRUE(profile.WriteProfileInt("ProgressBox", "Top", 130));
    }
    const platform::AppProfile again("Ravelink03");
    EXPECT_EQ(again.IniPath(), "c:\\Windows\\Ravelink03.ini");
    EXPECT_EQ(again.GetProfileInt("progressbox", "top", 0), 130);
    EXPECT_EQ(again.GetProfileInt("ProgressBox", "Left", 0), -40);
    std::ifstream in(platform::MapPath("c:\\") / "Windows" / "Ravelink03.ini", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "[ProgressBox]\r\nTop=130\r\nLeft=-40\r\n");
    // Another library's profile is a file of its own.
    EXPECT_EQ(platform::AppProfile("Tavroset").GetProfileInt("ProgressBox", "Top", 7), 7);
}

TEST_F(AppProfileTest, AFailedWriteIsReported) {
    // A file where the Windows folder should be: neither folder nor profile can be made.
    std::filesystem::create_directories(platform::MapPath("c:\\"));
    std::ofstream(platform::MapPath("c:\\") / "Windows") << "not a folder";
    const platform::Status result =
        platform::AppProfile("Ravelink03").WriteProfileInt("ProgressBox", "Top", 1);
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.Describe().empty());
}

}  // namespace
