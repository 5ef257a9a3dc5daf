// The sleeps of the main loops, followed through the loop's clock and sleep
// instead of the wall clock: only the loop that starts on the title screen
// sleeps after a quick frame, and every menu refresh sleeps 30 ms first.
#include "GameOnScreen.h"

#include "application/GameManager.h"
#include "menus/Menu.h"
#include "platform/Sleep.h"
#include "world/NiveauManager.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

using play_test::GameOnScreen;

class LoopTimeTest : public GameOnScreen {
protected:
    void SetUp() override
    {
        GameOnScreen::SetUp();
        platform::setSleepHandler([this](unsigned int ms) {
            sleeps.push_back(ms);
            now += ms;
        });
    }

    void TearDown() override
    {
        platform::setTicksSource(nullptr);
        platform::setSleepHandler(nullptr);
        GameOnScreen::TearDown();
    }

    // Each reading of the loop's clock is `step` ms after the one before
    // (plus the sleeps taken). The loop reads it once before its first
    // frame and three times a frame (its dt, its start, its end), so a
    // frame's own work seems to take `step` ms. The loop is told to end at
    // the last reading of frame `frames`.
    void runFramesOf(int step, int frames)
    {
        platform::setTicksSource([this, step, frames]() {
            if (++readings == 3 * frames + 1)
                jeu->quit = true;
            now += step;
            return now;
        });
    }

    std::vector<unsigned int> sleeps;
    unsigned int now = 1000;
    int readings = 0;
};

enum class Loop { TitleScreen, CommandLineLevel };
enum class Mode { Menus, Game };

struct PacingCase {
    const char* name;
    Loop loop;
    Mode mode;
    int frameMs;
    std::vector<unsigned int> sleepsPerFrame;
};

void PrintTo(const PacingCase& c, std::ostream* out) { *out << c.name; }

class LoopPacing : public LoopTimeTest, public ::testing::WithParamInterface<PacingCase> {};

TEST_P(LoopPacing, SleepsAfterQuickFramesOnlyInTheTitleScreenLoop)
{
    const PacingCase c = GetParam();
    const int frames = 4;
    runFramesOf(c.frameMs, frames);
    if (c.loop == Loop::TitleScreen) {
        if (c.mode == Mode::Game) {
            jeu->gameManager = startInPlay(1);
            jeu->niveau = NiveauManager::niveauManager;
            jeu->menuMode = 0;
        }
        jeu->boucle();
    } else {
        jeu->boucle("Views.Tester");
    }

    std::vector<unsigned int> expected;
    for (int i = 0; i < frames; ++i)
        expected.insert(expected.end(), c.sleepsPerFrame.begin(), c.sleepsPerFrame.end());
    EXPECT_EQ(expected, sleeps);
}

INSTANTIATE_TEST_SUITE_P(
    Loops, LoopPacing,
    ::testing::Values(
        PacingCase{"TitleScreenLoopInAGameQuickFrames", Loop::TitleScreen, Mode::Game, 9, {3}},
        PacingCase{"TitleScreenLoopInAGameShortFrames", Loop::TitleScreen, Mode::Game, 15, {1}},
        PacingCase{"TitleScreenLoopInAGameLongFrames", Loop::TitleScreen, Mode::Game, 16, {}},
        // A menu frame lasts its refresh's 30 ms sleep at least: too long
        // for a pacing sleep.
        PacingCase{"TitleScreenLoopInTheMenus", Loop::TitleScreen, Mode::Menus, 1, {30}},
        PacingCase{"CommandLineLoopQuickFrames", Loop::CommandLineLevel, Mode::Game, 1, {}},
        PacingCase{"CommandLineLoopShortFrames", Loop::CommandLineLevel, Mode::Game, 12, {}}),
    [](const ::testing::TestParamInfo<PacingCase>& info) { return info.param.name; });

// --- the menu refresh --------------------------------------------------------

// A menu that notes how many sleeps had been taken when it was refreshed.
class SleepWitnessMenu : public Menu {
public:
    explicit SleepWitnessMenu(const std::vector<unsigned int>& sleeps)
        : Menu(0, 0, 1, 1), sleeps(sleeps) {}
    void refresh(long) override { sleepsAtRefresh.push_back(sleeps.size()); }

    const std::vector<unsigned int>& sleeps;
    std::vector<std::size_t> sleepsAtRefresh;
};

using MenuRefresh = LoopTimeTest;

TEST_F(MenuRefresh, SleepsThirtyMsBeforeTheMenuRefreshes)
{
    SleepWitnessMenu* menu = new SleepWitnessMenu(sleeps);
    jeu->currentMenu = menu;
    jeu->menuMode = 1;
    jeu->refresh(16);
    jeu->refresh(40);
    EXPECT_EQ((std::vector<unsigned int>{30, 30}), sleeps);
    EXPECT_EQ((std::vector<std::size_t>{1, 2}), menu->sleepsAtRefresh);
}

TEST_F(MenuRefresh, AGameFrameDoesNotSleep)
{
    jeu->gameManager = startInPlay(1);
    jeu->niveau = NiveauManager::niveauManager;
    jeu->menuMode = 0;
    jeu->refresh(16);
    jeu->refresh(40);
    EXPECT_TRUE(sleeps.empty());
}

} // namespace
