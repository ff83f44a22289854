// The real program on the virtual display, driven with xdotool as a player drives it: the intro gives
// way to the main menu, whose buttons lead to the level selection and the options screen and back,
// and its exit button ends the program; the level selection leads into act 1, where the cannon fires
// where the mouse points. Each screen is recognised by the colours of a few regions of the display,
// and saved to MORVANE_SCREENSHOT_DIR when that is set. The program runs on a virtual display of the
// test's own, so that no other test's window covers it and no other pointer moves reach it. The
// sanitizer build draws a few frames a second, so every wait polls the display or the program until
// a deadline.
#include "platform/PAL_Window.h"
#include "tests/app/Entry_ProgramWindow.h"
#include "tests/support/Support_Images.h"
#include "tests/support/Support_Scratch.h"
#include "tests/support/Support_Skip.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace
{
using Clock = std::chrono::steady_clock;

constexpr int Width = 1024;
constexpr int Height = 768;

// The display as `import` reads it: rows from the top, three bytes a pixel.
struct Screen
{
    std::vector<u8> rgb;

    const u8* At(int x, int y) const { return rgb.data() + (static_cast<std::size_t>(y) * Width + x) * 3; }

    std::array<int, 3> Average(int left, int top, int width, int height) const
    {
        std::array<long, 3> sum{};
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < left + width; ++x)
                for (int c = 0; c < 3; ++c)
                    sum[c] += At(x, y)[c];
        const long count = static_cast<long>(width) * height;
        return {static_cast<int>(sum[0] / count), static_cast<int>(sum[1] / count), static_cast<int>(sum[2] / count)};
    }

    // The pixels of the rectangle that are plainly red.
    int Red(int left, int top, int width, int height) const
    {
        int red = 0;
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < left + width; ++x)
                red += At(x, y)[0] > 160 && At(x, y)[1] < 90 && At(x, y)[2] < 90 ? 1 : 0;
        return red;
    }

    // The pixels of the rectangle that differ from the other screen's by more than the threshold in
    // a channel.
    int Changed(const Screen& other, int left, int top, int width, int height, int threshold = 32) const
    {
        int changed = 0;
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < left + width; ++x)
                for (int c = 0; c < 3; ++c)
                    if (std::abs(At(x, y)[c] - other.At(x, y)[c]) > threshold)
                    {
                        ++changed;
                        break;
                    }
        return changed;
    }
};

struct Region
{
    int left;
    int top;
    int width;
    int height;
    std::array<int, 3> colour;  // the region's average
};

// A screen of the game told by the average colours of three regions, each channel within 24.
struct Look
{
    const char* name;
    Region regions[3];

    bool On(const Screen& screen) const
    {
        for (const Region& region : regions)
        {
            const std::array<int, 3> average = screen.Average(region.left, region.top, region.width, region.height);
            for (int c = 0; c < 3; ++c)
                if (std::abs(average[c] - region.colour[c]) > 24)
                    return false;
        }
        return true;
    }
};

// The left edge beside the buttons, the whole screen, and the bottom middle.
const Look MainMenu{"the main menu", {{0, 330, 100, 100, {141, 60, 115}}, {0, 0, Width, Height, {133, 93, 105}}, {400, 680, 200, 80, {125, 107, 94}}}};
const Look LevelSelection{"the level selection", {{0, 330, 100, 100, {150, 146, 114}}, {0, 0, Width, Height, {174, 158, 139}}, {400, 680, 200, 80, {222, 204, 164}}}};
const Look Options{"the options screen", {{0, 330, 100, 100, {56, 44, 92}}, {0, 0, Width, Height, {67, 49, 87}}, {400, 680, 200, 80, {99, 56, 120}}}};
// The city along the bottom, the ammunition panel under the cannon, and the city's left end.
const Look PlayLevel{"the play level", {{0, 708, Width, 60, {122, 106, 94}}, {400, 680, 200, 80, {73, 62, 72}}, {0, 700, 100, 60, {159, 143, 125}}}};

// An X server of the game's screen size that picks its own display number. It never resets, so
// the pointer and screenshot clients that come and go beside the game are never dropped.
class OwnDisplay
{
public:
    OwnDisplay()
    {
        int ready[2];
        if (pipe(ready) != 0)
            return;
        char* arguments[] = {const_cast<char*>("Xvfb"), const_cast<char*>("-displayfd"), const_cast<char*>("3"),
                             const_cast<char*>("-nolisten"), const_cast<char*>("tcp"), const_cast<char*>("-noreset"),
                             const_cast<char*>("-screen"), const_cast<char*>("0"), const_cast<char*>("1024x768x24"),
                             nullptr};
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_adddup2(&files, ready[1], 3);
        posix_spawn_file_actions_addclose(&files, ready[0]);
        posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&files, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        if (posix_spawnp(&server, "Xvfb", &files, nullptr, arguments, environ) != 0)
            server = 0;
        posix_spawn_file_actions_destroy(&files);
        close(ready[1]);
        // The server writes its number once it accepts connections.
        std::string number;
        pollfd wait{ready[0], POLLIN, 0};
        char c = 0;
        while (server != 0 && poll(&wait, 1, 60000) == 1 && read(ready[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(ready[0]);
        if (!number.empty())
            name = ":" + number;
    }

    ~OwnDisplay()
    {
        if (server != 0)
        {
            kill(server, SIGTERM);
            waitpid(server, nullptr, 0);
        }
    }

    OwnDisplay(const OwnDisplay&) = delete;
    OwnDisplay& operator=(const OwnDisplay&) = delete;

    // Empty when the server did not come up.
    std::string name;

private:
    pid_t server = 0;
};

class DrivenProgramTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!PAL::Window(16, 16).IsCreated())
            MORVANE_SKIP_WITHOUT_DISPLAY();
        if (std::system("command -v xdotool >/dev/null && command -v import >/dev/null && command -v Xvfb >/dev/null") != 0)
            MORVANE_SKIP("xdotool, ImageMagick's import or Xvfb is not installed");
        display = std::make_unique<OwnDisplay>();
        ASSERT_FALSE(display->name.empty()) << "the test's own X server did not come up";
    }

    // The program never outlives its test, nor its display.
    void TearDown() override
    {
        if (program != 0)
        {
            kill(program, SIGKILL);
            waitpid(program, nullptr, 0);
        }
        display.reset();
    }

    // A shell command on the test's display.
    std::string Run(const std::string& command) const
    {
        std::string output;
        if (FILE* pipe = popen(("DISPLAY=" + display->name + " " + command).c_str(), "r"))
        {
            char buffer[256];
            while (std::fgets(buffer, sizeof buffer, pipe))
                output += buffer;
            pclose(pipe);
        }
        return output;
    }

    // The executable with its standard output in a file; the test's clock starts here.
    void Launch()
    {
        deadline = Clock::now() + std::chrono::seconds(240);
        const std::string path = std::string(MORVANE_BIN_DIR) + "/morvane";
        char* arguments[] = {const_cast<char*>(path.c_str()), nullptr};
        std::vector<std::string> variables{"DISPLAY=" + display->name};
        for (char** variable = environ; *variable; ++variable)
            if (std::string(*variable).rfind("DISPLAY=", 0) != 0)
                variables.emplace_back(*variable);
        std::vector<char*> environment;
        for (std::string& variable : variables)
            environment.push_back(variable.data());
        environment.push_back(nullptr);
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int spawned = posix_spawn(&program, path.c_str(), &files, nullptr, arguments, environment.data());
        posix_spawn_file_actions_destroy(&files);
        ASSERT_EQ(spawned, 0) << path;
        ASSERT_TRUE(WaitFor([&] { return WindowShown(program, display->name); }, "a visible window titled Morvane"));
        window = Run("xdotool search --all --onlyvisible --pid " + std::to_string(program) + " --name '^Morvane$'");
        window = window.substr(0, window.find('\n'));
    }

    // Polls until done or the deadline; false, with a failure naming what was awaited, when the
    // deadline passed or the program ended first. The program's end is reaped here: program is then 0.
    bool WaitFor(const std::function<bool()>& done, const std::string& what)
    {
        while (Clock::now() < deadline)
        {
            const bool ended = program != 0 && waitpid(program, &status, WNOHANG) == program;
            if (ended)
                program = 0;
            if (done())
                return true;
            if (program == 0)
            {
                ADD_FAILURE() << "the program ended (status " << status << ") while waiting for " << what;
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
        Save(Grab(), (std::string("Program_timeout_") + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".png").c_str());
        ADD_FAILURE() << "still waiting for " << what << " at the deadline";
        return false;
    }

    // The look on the display and unchanged over a second, so that fades are over: a fade changes
    // every pixel it covers by a few steps a frame.
    bool WaitForStill(const Look& look)
    {
        Screen before = Grab();
        return WaitFor(
            [&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(800));
                Screen now = Grab();
                const bool still = look.On(now) && now.Changed(before, 0, 0, Width, Height, 4) < Width * Height / 500;
                before = std::move(now);
                return still;
            },
            look.name);
    }

    std::string Output() const
    {
        std::ifstream file(outputPath);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    Screen Grab() const
    {
        Screen screen;
        screen.rgb.resize(static_cast<std::size_t>(Width) * Height * 3);
        if (FILE* pipe = popen(("DISPLAY=" + display->name + " import -window root -depth 8 rgb:- 2>/dev/null").c_str(), "r"))
        {
            const std::size_t read = std::fread(screen.rgb.data(), 1, screen.rgb.size(), pipe);
            pclose(pipe);
            if (read != screen.rgb.size())
                screen.rgb.assign(screen.rgb.size(), 0);
        }
        return screen;
    }

    static void Save(const Screen& screen, const char* fileName)
    {
        const char* folder = std::getenv("MORVANE_SCREENSHOT_DIR");
        if (!folder)
            return;
        TestSupport::Picture picture(Width, Height);
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x)
                picture.Set(x, y, screen.At(x, y)[0], screen.At(x, y)[1], screen.At(x, y)[2], 255);
        TestSupport::WriteFileBytes(std::string(folder) + "/" + fileName, TestSupport::EncodePng(picture));
    }

    void Xdo(const std::string& arguments) const { Run("xdotool " + arguments + " 2>&1"); }

    // The game's window gets the keyboard, whatever the pointer's place.
    void Xdo(const std::string& arguments, bool toTheGame) const
    {
        if (toTheGame && !window.empty())
            Xdo("windowfocus " + window);
        Xdo(arguments);
    }

    // The pointer on a point of the game's world, y up, about the screen centre, and on a still menu
    // screen until the game has drawn it there: a button answers a click only once the cursor has
    // touched it in an earlier frame. The warp that xdotool's absolute move makes is no device
    // motion, which the game's global pointer state waits for; the last pixel is moved as a device
    // moves it.
    void PointAt(int x, int y, bool settle = true)
    {
        const Screen before = Grab();
        Xdo("mousemove " + std::to_string(Width / 2 + x - 1) + " " + std::to_string(Height / 2 - y) + " mousemove_relative 1 0", true);
        if (!settle)
            return;
        // The cursor may stand under a picture there.
        const Clock::time_point limit = Clock::now() + std::chrono::seconds(3);
        while (Clock::now() < limit && Grab().Changed(before, 0, 0, Width, Height, 4) == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        Screen last = Grab();
        WaitFor(
            [&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(500));
                Screen now = Grab();
                const bool still = now.Changed(last, 0, 0, Width, Height, 4) == 0;
                last = std::move(now);
                return still;
            },
            "the cursor at rest");
    }

    // The game polls its input once a frame and a loaded machine draws few of them: the key or
    // button is held until the program shows it saw the press, or for 4 s. True when it did.
    bool Hold(const std::string& what, const std::function<bool()>& seen)
    {
        const std::string which = what == "key" ? " Escape" : " 1";
        Xdo(what + "down" + which, true);
        const Clock::time_point limit = Clock::now() + std::chrono::seconds(4);
        bool saw = false;
        while (Clock::now() < limit && !(saw = seen()))
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        Xdo(what + "up" + which);
        return saw;
    }

    // Presses again while the program shows nothing of it: a press that a slow frame never saw,
    // or one made while the menu still waits for the intro's end, is lost. A press whose answer
    // has begun is never repeated, however slowly it goes on: the next screen would take the
    // second press (the level selection's back button stands over the main menu's exit).
    void HoldUntilSeen(const std::string& what, const std::function<bool()>& seen,
                       const std::function<bool()>& begun = nullptr)
    {
        for (int attempt = 0; attempt < 4 && Clock::now() < deadline; ++attempt)
            if (Hold(what, seen) || (begun && begun()))
                return;
    }

    // A click on a menu button fades the black cover in; the button or the first steps of the
    // fade show that it was taken.
    void Click()
    {
        const Screen before = Grab();
        HoldUntilSeen(
            "mouse", [&] { return Grab().Changed(before, 0, 0, Width, Height, 8) > Width * Height / 4; },
            [&] { return Grab().Changed(before, 0, 0, Width, Height, 4) > Width * Height / 500; });
    }

    void SkipTheIntro()
    {
        ASSERT_TRUE(WaitFor([&] { return Output().find("HXstart\n") != std::string::npos; }, "the first logo"));
        HoldUntilSeen("key", [&] { return Output().find("Final\n") != std::string::npos; });
        ASSERT_TRUE(WaitFor([&] { return Output().find("Final\n") != std::string::npos; }, "the intro's last state"));
        ASSERT_TRUE(WaitForStill(MainMenu));
    }

    void Press(int x, int y, const Look& next)
    {
        PointAt(x, y);
        Click();
        ASSERT_TRUE(WaitForStill(next));
    }

    std::unique_ptr<OwnDisplay> display;
    TestSupport::ScratchFolder scratch{"driven-program"};
    const std::string outputPath = scratch.PathOf("stdout.txt");
    pid_t program = 0;
    std::string window;
    int status = 0;
    Clock::time_point deadline;
};

TEST_F(DrivenProgramTest, TheMenusLeadToTheLevelSelectionAndTheOptionsAndBackAndExitEndsTheProgram)
{
    Launch();
    ASSERT_TRUE(WaitFor([&] { return Output().find("HXstart\n") != std::string::npos; }, "the first logo"));
    // The logo shows once its fade has darkened the middle of the white screen.
    ASSERT_TRUE(WaitFor([&] { return Grab().Average(312, 234, 400, 300)[1] < 200; }, "the first logo shown"));
    Save(Grab(), "Program_intro.png");
    SkipTheIntro();
    EXPECT_EQ(Output().rfind("Final\n"), Output().size() - 6) << Output();
    Save(Grab(), "Program_main_menu.png");

    Press(-2, 70, LevelSelection);
    Save(Grab(), "Program_level_selection.png");
    Press(-413, -307, MainMenu);
    Press(-315, -214, Options);
    Save(Grab(), "Program_options.png");
    Press(412, -263, MainMenu);
    Save(Grab(), "Program_main_menu_again.png");

    // At the bottom edge: the options button's rectangle reaches over most of the exit button.
    PointAt(-470, -383);
    Click();
    ASSERT_TRUE(WaitFor([&] { return program == 0; }, "the program's end"));
    ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(DrivenProgramTest, FromTheIntroIntoAct1WhereTheCannonFiresAtTheMouse)
{
    Launch();
    SkipTheIntro();
    Press(-2, 70, LevelSelection);
    PointAt(-237, 52);
    Click();
    ASSERT_TRUE(WaitFor([&] { return PlayLevel.On(Grab()); }, PlayLevel.name));
    // The first enemies walk in at the top, beside the aiming guide's dots, which run up the middle,
    // and above the crosshair, whose pieces spin at rest.
    PointAt(0, 150, false);
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const Screen start = Grab();
    ASSERT_TRUE(WaitFor(
        [&] {
            const Screen now = Grab();
            return now.Changed(start, 0, 0, 440, 170) + now.Changed(start, 584, 0, 440, 170) > 300;
        },
        "enemies on the field"));
    Save(Grab(), "Program_act1.png");

    // Each click fires: the crosshair turns red while the cannon cools down, and white again.
    auto crosshairRed = [](const Screen& screen) { return screen.Red(452, 174, 120, 120) > 150; };
    int shots = 0;
    for (int shot = 0; shot < 3; ++shot)
    {
        Screen after;
        bool fired = false;
        HoldUntilSeen("mouse", [&] {
            after = Grab();
            return fired = crosshairRed(after);
        });
        shots += fired ? 1 : 0;
        if (fired)
            Save(after, "Program_act1_shot.png");
        WaitFor([&] { return !crosshairRed(Grab()); }, "the cannon cooled down");
    }
    EXPECT_EQ(shots, 3);
    EXPECT_TRUE(PlayLevel.On(Grab()));

    kill(program, SIGTERM);
    ASSERT_EQ(waitpid(program, &status, 0), program);
    program = 0;
    ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
}  // namespace
