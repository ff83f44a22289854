#include "platform/PAL_FileSystem.h"
#include "core/PAL_Path.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace
{
class FileSystemTest : public ::testing::Test
{
protected:
    FileSystemTest()
    {
        root = std::filesystem::temp_directory_path() /
               ("morvane_fs_" + std::to_string(getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(root / "Saves" / "nested");
        for (const char* name : {"b_replayData", "A_gameSaved", "a_gameSaved"})
        {
            std::FILE* file = std::fopen((root / "Saves" / name).c_str(), "w");
            std::fputs("x", file);
            std::fclose(file);
        }
    }
    ~FileSystemTest() override { std::filesystem::remove_all(root); }

    // The directory as the system writes paths: the directory, then "\Saves".
    Core::String Saves() const { return Core::String(root.string()) + "\\Saves"; }

    std::filesystem::path root;
};

TEST(PathTest, BackslashesBecomeSlashesAndNothingElseChanges)
{
    EXPECT_EQ(PAL::ToOSPath("/opt/game\\Resources\\Sounds\\IceAOE.ogg"), "/opt/game/Resources/Sounds/IceAOE.ogg");
    EXPECT_EQ(PAL::ToOSPath("START_BACKGROUD.png"), "START_BACKGROUD.png");
    EXPECT_EQ(PAL::ToOSPath(""), "");
}

TEST(PathTest, SplittingTakesTheLastSeparatorOfEitherKind)
{
    std::string_view directory;
    std::string_view name;
    PAL::SplitPath("C:\\Game\\run.exe", directory, name);
    EXPECT_EQ(directory, "C:\\Game");
    EXPECT_EQ(name, "run.exe");
    PAL::SplitPath("/usr/games/morvane", directory, name);
    EXPECT_EQ(directory, "/usr/games");
    EXPECT_EQ(name, "morvane");
    PAL::SplitPath("run.exe", directory, name);
    EXPECT_EQ(directory, "run.exe");
    EXPECT_EQ(name, "run.exe");
}

TEST(PathTest, TheExecutableIsThisTestProgram)
{
    const std::string directory = PAL::GetExecutableDirectory();
    const std::string name = PAL::GetExecutableName();
    EXPECT_EQ(name, "tests_platform");
    EXPECT_EQ(std::filesystem::path(directory) / name, std::filesystem::canonical("/proc/self/exe"));
    EXPECT_NE(directory.back(), '/');
}

TEST_F(FileSystemTest, ListingIsSortedAndAppendsToWhatIsThere)
{
    Core::List<Core::String> entries{"kept"};
    PAL::ListDirectory(Saves(), entries);
    EXPECT_EQ(entries, (Core::List<Core::String>{"kept", ".", "..", "A_gameSaved", "a_gameSaved", "b_replayData", "nested"}));
}

TEST_F(FileSystemTest, ListingADirectoryThatDoesNotExistAddsNothing)
{
    Core::List<Core::String> entries{"kept"};
    PAL::ListDirectory(Saves() + "\\missing", entries);
    PAL::ListDirectory(Saves() + "\\A_gameSaved", entries);
    EXPECT_EQ(entries, Core::List<Core::String>{"kept"});
}

TEST_F(FileSystemTest, OnlyPlainFilesAreNeitherDirectoriesNorSystemFiles)
{
    const Core::String file = Saves() + "\\A_gameSaved";
    EXPECT_FALSE(PAL::IsDirectory(file));
    EXPECT_FALSE(PAL::IsSystemFile(file));

    EXPECT_TRUE(PAL::IsDirectory(Saves() + "\\nested"));
    EXPECT_FALSE(PAL::IsSystemFile(Saves() + "\\nested"));

    EXPECT_TRUE(PAL::IsSystemFile("/dev/null"));
    EXPECT_FALSE(PAL::IsDirectory("/dev/null"));

    // An entry that cannot be read answers true to both, so listings skip it.
    EXPECT_TRUE(PAL::IsDirectory(Saves() + "\\missing"));
    EXPECT_TRUE(PAL::IsSystemFile(Saves() + "\\missing"));
}

TEST_F(FileSystemTest, FilesOpenThroughTheirSystemPath)
{
    std::FILE* file = PAL::OpenFile((Saves() + "\\a_gameSaved").View(), "rb");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(std::fgetc(file), 'x');
    std::fclose(file);
    EXPECT_EQ(PAL::OpenFile((Saves() + "\\A_GAMESAVED").View(), "rb"), nullptr);
}
}  // namespace
