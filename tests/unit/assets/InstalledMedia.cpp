// Every picture, sound, music and the model that the game loads is in the
// staged installation, in a form its loaders accept.
#include <gtest/gtest.h>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>
#include "AssetFormats.h"

using namespace assetcheck;
namespace fs = std::filesystem;

namespace {
const std::string stage = KORVELIN_STAGE_DIR;
const std::vector<std::string> qualities = {"High", "Low"};
const std::vector<std::string> ratios = {"Ratio-4-3", "Ratio-16-10"};

std::string at(const std::string& relative) { return stage + "/" + relative; }

// Block types the game can draw: every type with its own look, the used
// block, every moving type and the two plain-bounce ranges.
std::vector<int> drawnBlockTypes() {
    std::vector<int> t = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 20, 21, 22, 23, 24,
                          25, 26, 27, 28, 30, 31, 32, 33, 34, 100, 101};
    for (int m = 50; m <= 61; ++m) t.push_back(m);
    for (int p = 200; p <= 399; ++p) t.push_back(p);
    return t;
}

std::vector<std::string> officialLevels() {
    std::vector<std::string> out;
    std::error_code ec;
    const std::regex name("Level_[0-9]+-[0-9]+\\.kzl");
    for (auto& e : fs::directory_iterator(std::string(KORVELIN_SOURCE_DIR) + "/data/Levels/Official", ec))
        if (std::regex_match(e.path().filename().string(), name)) out.push_back(e.path().string());
    return out;
}

// Every level the installation ships: the official ones and the sample
// custom levels.
std::vector<std::string> shippedLevels() {
    std::vector<std::string> out = officialLevels();
    std::error_code ec;
    for (auto& e : fs::directory_iterator(std::string(KORVELIN_SOURCE_DIR) + "/data/Levels/Custom", ec))
        if (e.path().extension() == ".kzl") out.push_back(e.path().string());
    return out;
}

void expectTexturePng(const std::string& relative, bool powerOfTwo = true) {
    SCOPED_TRACE(relative);
    ImageInfo info;
    std::string why;
    ASSERT_TRUE(checkPng(at(relative), info, why)) << why;
    if (powerOfTwo) {
        EXPECT_TRUE(isPowerOfTwo(info.width)) << "width " << info.width;
        EXPECT_TRUE(isPowerOfTwo(info.height)) << "height " << info.height;
    }
}

ImageInfo expectTextureTga(const std::string& relative) {
    SCOPED_TRACE(relative);
    ImageInfo info;
    std::string why;
    EXPECT_TRUE(checkTga(at(relative), info, why)) << why;
    EXPECT_TRUE(isPowerOfTwo(info.width)) << "width " << info.width;
    EXPECT_TRUE(isPowerOfTwo(info.height)) << "height " << info.height;
    return info;
}
}  // namespace

TEST(InstalledMedia, MenuBackgroundsAndPauseOverlayInEveryQualityAndRatio) {
    for (auto& q : qualities)
        for (auto& r : ratios) {
            for (std::string f : {"menu.png", "menu1.png", "menu2.png", "menu3.png", "menu4.png", "menuKZ.png", "menuKZ2.png"})
                expectTexturePng("Images/Menus/" + q + "/" + r + "/" + f);
            expectTextureTga("Images/Menus/" + q + "/" + r + "/menuPause.tga");
        }
}

TEST(InstalledMedia, TitlePictureIs512Square) {
    ImageInfo info;
    std::string why;
    ASSERT_TRUE(checkPng(at("Images/Menus/premenu.png"), info, why)) << why;
    EXPECT_EQ(info.width, 512);
    EXPECT_EQ(info.height, 512);
}

TEST(InstalledMedia, PauseOverlayIsMostlyTransparent) {
    std::vector<uint8_t> d = readFile(at("Images/Menus/High/Ratio-4-3/menuPause.tga"));
    ASSERT_GT(d.size(), 18u);
    size_t clear = 0, pixels = (d.size() - 18) / 4;
    for (size_t i = 0; i < pixels; ++i)
        if (d[18 + i * 4 + 3] < 128) ++clear;
    EXPECT_GT(clear, pixels / 2);
}

TEST(InstalledMedia, ListWidgetsAndBoard) {
    for (auto& q : qualities) {
        expectTexturePng("Images/Interface/" + q + "/ScrollBar.png");
        expectTexturePng("Images/Interface/" + q + "/checkBox.png");
        expectTextureTga("Images/Interface/" + q + "/board.tga");
    }
}

TEST(InstalledMedia, BackgroundOfEveryShippedLevelAndBlueSky) {
    std::set<std::string> names = {"blueSky"};
    for (auto& path : shippedLevels()) {
        LevelInfo level;
        if (readLevel(path, level)) names.insert(level.background);
    }
    for (auto& name : names)
        for (auto& q : qualities)
            for (auto& r : ratios) expectTexturePng("Images/Backgrounds/" + q + "/" + r + "/" + name + ".png");
}

TEST(InstalledMedia, BlockImagesAreTwiceAsWideAsHigh) {
    for (int type : drawnBlockTypes())
        for (auto& q : qualities) {
            std::string path = "Images/Blocks/" + q + "/" + std::to_string(type) + ".tga";
            ImageInfo info = expectTextureTga(path);
            EXPECT_EQ(info.width, 2 * info.height) << path;
        }
}

TEST(InstalledMedia, EveryBlockTypeOfTheShippedLevelsHasAnImage) {
    std::set<int> drawn;
    for (int t : drawnBlockTypes()) drawn.insert(t);
    for (auto& path : shippedLevels()) {
        LevelInfo level;
        ASSERT_TRUE(readLevel(path, level)) << path;
        for (int type : level.cells)
            if (type != 0) {
                EXPECT_TRUE(drawn.count(type)) << path << " uses block type " << type << " without an image";
            }
    }
}

TEST(InstalledMedia, PlayerSkinsAreSquareAndMarkersExist) {
    std::vector<std::string> skins = {"player_0", "player_1", "player_2", "player_3", "player_4", "player_ghost",
                                      "player_shadow"};
    for (auto& s : skins) {
        ImageInfo info = expectTextureTga("Images/Player/" + s + ".tga");
        EXPECT_EQ(info.width, info.height) << s;
    }
    expectTextureTga("Images/Player/shadow.tga");
    expectTextureTga("Images/Player/target.tga");
}

TEST(InstalledMedia, WindowIconIs32By32Bmp) {
    ImageInfo info;
    std::string why;
    ASSERT_TRUE(checkBmp(at("Images/Logo/logo.bmp"), info, why)) << why;
    EXPECT_EQ(info.width, 32);
    EXPECT_EQ(info.height, 32);
}

TEST(InstalledMedia, PreviewForEveryOfficialLevelAndTheStandIn) {
    expectTexturePng("Images/Previews/NoPreview.png");
    auto levels = officialLevels();
    ASSERT_FALSE(levels.empty());
    for (auto& path : levels) {
        std::string name = fs::path(path).stem().string();
        expectTexturePng("Images/Previews/Official/" + name + ".png");
    }
}

TEST(InstalledMedia, SoundsAreShortCleanStereoPcm) {
    for (std::string s : {"beep", "beep2", "beep3", "beep4", "bonus", "malus", "bound", "bound2", "bound3", "open", "321",
                          "noTime", "switch"}) {
        SCOPED_TRACE(s);
        SoundInfo info;
        std::string why;
        ASSERT_TRUE(checkWav(at("Sounds/" + s + ".wav"), info, why)) << why;
        EXPECT_LT(info.seconds, 3.0);
        // A sound that starts or stops far from silence clicks.
        EXPECT_LT(info.firstSample, 300);
        EXPECT_LT(info.lastSample, 300);
    }
}

TEST(InstalledMedia, MusicsLastAtLeastASecondAndLoopWithoutAJump) {
    for (std::string m : {"premenu", "menu", "intro", "game", "finNiveau", "gameOver"}) {
        SCOPED_TRACE(m);
        SoundInfo info;
        std::string why;
        ASSERT_TRUE(checkWav(at("Musics/" + m + ".wav"), info, why)) << why;
        EXPECT_GE(info.seconds, 1.0);
        // The loop point joins the end to the start: no step larger than the
        // music's ordinary sample-to-sample motion.
        EXPECT_LT(info.seamJump, 2500);
    }
}

TEST(InstalledMedia, PlayerModelIsMd2WithTwoFramesAndASquareSkin) {
    ModelInfo info;
    std::string why;
    ASSERT_TRUE(checkMd2(at("Objects/player.md2"), info, why)) << why;
    EXPECT_GE(info.frames, 2);
    EXPECT_EQ(info.skinWidth, info.skinHeight);
    EXPECT_GT(info.triangles, 0);
}

TEST(InstalledMedia, FontIsStaged) { EXPECT_TRUE(fs::is_regular_file(at("Fonts/Comfortaa.ttf"))); }
