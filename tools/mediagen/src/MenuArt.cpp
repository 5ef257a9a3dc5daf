#include "MenuArt.h"
#include <cmath>
#include <string>
#include <vector>
#include "BlockFaces.h"
#include "Palette.h"
#include "Scenery.h"
#include "Shapes.h"
#include "Skies.h"

namespace menuart {
namespace {
struct Ratio {
    const char* folder;
    double aspect;
    bool wide;
    // The narrowest screen the folder's pictures are stretched over (5:4
    // and 16:10), where the level preview is widest.
    double narrowest;
};
const Ratio ratios[] = {{"Ratio-4-3", 4.0 / 3, false, 5.0 / 4}, {"Ratio-16-10", 16.0 / 10, true, 16.0 / 10}};

constexpr int menuSize = 1024;
constexpr int menuLowFactor = 2;

void save(ArtContext& ctx, const Ratio& r, const std::string& file, const Image& high) {
    ctx.png(std::string("Images/Menus/High/") + r.folder + "/" + file, high);
    ctx.png(std::string("Images/Menus/Low/") + r.folder + "/" + file, high.downscaled(menuLowFactor));
}

// Item row of every row menu: the band the selection shade covers, as a
// share of the screen height from the top.
void itemBand(Image& img, const Frame& f, const Ratio& r) {
    double top = r.wide ? 1 - 0.29 : 1 - 0.323, bottom = r.wide ? 1 - 0.14 : 1 - 0.195;
    // Nearly the whole width: the first and last labels of a long row stand
    // close to the screen's edges.
    scenery::panel(img, f, 0.004 * r.aspect, top, 0.996 * r.aspect, bottom, 0.03);
}

// A sky made calmer, for the screens full of text.
Image quietSky(const std::string& name, const Ratio& r) {
    skies::Style s = skies::named(name);
    Image img = skies::paint(s, menuSize, menuSize, r.aspect);
    Image veil(menuSize, menuSize, Color(1, 1, 1, 0.25));
    img.draw(veil, 0, 0);
    return img;
}

// The upper banner that holds a menu's title line, with the name at its left.
void titleBanner(Image& img, const Frame& f, const Ratio& r, Lettering& font) {
    scenery::panel(img, f, 0.255 * r.aspect, 0.028, 0.82 * r.aspect, 0.122, 0.025);
    scenery::gameName(img, f, font, 0.13 * r.aspect, 0.075, 0.065);
}

struct Slide {
    const char* sky;
    int heroColour;
    std::vector<int> blocks;
};

Image mainMenuPicture(ArtContext& ctx, const Ratio& r, const Slide& slide, uint32_t variant) {
    Image img = skies::paint(skies::named(slide.sky), menuSize, menuSize, r.aspect);
    Frame f = scenery::screenFrame(img, r.aspect);
    double a = r.aspect;
    scenery::gameName(img, f, ctx.font, a / 2, 0.17, 0.15);
    // A short run of floating blocks across the middle, with the hero bouncing.
    size_t n = slide.blocks.size();
    double size = 0.1, gap = 0.05;
    double width = n * size + (n - 1) * gap;
    double x0 = a / 2 - width / 2 + size / 2;
    for (size_t i = 0; i < n; ++i) {
        double x = x0 + i * (size + gap);
        double y = 0.5 + 0.035 * std::sin(i * 1.3 + variant);
        Image block = blockfaces::draw(slide.blocks[i], ctx.font);
        scenery::floatingBlock(img, f, block, x, y, size);
    }
    size_t hop = variant % (n - 1);
    double hx0 = x0 + hop * (size + gap), hx1 = hx0 + size + gap;
    double hy0 = 0.5 + 0.035 * std::sin(hop * 1.3 + variant) - 0.05;
    double hy1 = 0.5 + 0.035 * std::sin((hop + 1) * 1.3 + variant) - 0.05;
    scenery::bounceTrail(img, f, hx0, hy0, hx1, hy1, 0.16);
    scenery::hero(img, f, hx0 + (hx1 - hx0) * 0.62, hy0 + (hy1 - hy0) * 0.62 - 0.16 * 4 * 0.62 * 0.38, 0.045,
                  slide.heroColour);
    itemBand(img, f, r);
    return img;
}
}  // namespace

void writeTitle(ArtContext& ctx) {
    const int size = 512;
    Image scene = skies::paint(skies::named("blueSky"), size, size, 1.0);
    Frame f = Frame::unit(scene);
    scenery::gameName(scene, f, ctx.font, 0.5, 0.28, 0.15);
    const int types[] = {1, 4, 9, 2, 100};
    for (int i = 0; i < 5; ++i) {
        double x = 0.14 + i * 0.18, y = 0.66 + 0.04 * std::sin(i * 1.7);
        scenery::floatingBlock(scene, f, blockfaces::draw(types[i], ctx.font), x, y, 0.13);
    }
    scenery::bounceTrail(scene, f, 0.32, 0.6, 0.5, 0.64, 0.2);
    scenery::hero(scene, f, 0.43, 0.5, 0.06, 0);
    // A card with rounded corners on the black title screen.
    Image card(size, size, Color(0, 0, 0, 0));
    fillShape(card, f, 0, 0, 1, 1, [](double x, double y) { return sdf::box(x, y, 0.5, 0.5, 0.49, 0.49, 0.06); },
              [&scene](double x, double y) { return scene.sample(x * scene.width(), y * scene.height()); });
    fillShape(card, f, 0, 0, 1, 1,
              [](double x, double y) {
                  return std::max(sdf::box(x, y, 0.5, 0.5, 0.49, 0.49, 0.06), -sdf::box(x, y, 0.5, 0.5, 0.48, 0.48, 0.05));
              },
              Color(1, 1, 1, 0.85));
    ctx.png("Images/Menus/premenu.png", card);
}

void writeMainMenuPicture(ArtContext& ctx, int ratio, int picture) {
    const Slide slides[5] = {{"blueSky", 0, {1, 2, 4, 9}},
                             {"blueSky", 0, {1, 4, 9, 1, 100}},
                             {"sunset", 1, {1, 10, 2, 20, 1}},
                             {"dawn", 2, {21, 1, 30, 16, 1}},
                             {"aurora", 3, {1, 50, 32, 12, 100}}};
    const Ratio& r = ratios[ratio];
    std::string file = picture == 0 ? "menu.png" : "menu" + std::to_string(picture) + ".png";
    save(ctx, r, file, mainMenuPicture(ctx, r, slides[picture], static_cast<uint32_t>(picture)));
}

void writeListBackground(ArtContext& ctx, int ratio, int which) {
    const Ratio& r = ratios[ratio];
    double a = r.aspect;
    if (which == 0) {
        // Level lists: list on the left, preview and best time on the right.
        Image img = quietSky("dawn", r);
        Frame f = scenery::screenFrame(img, a);
        titleBanner(img, f, r, ctx.font);
        double listRight = r.wide ? 0.655 : 0.61;
        scenery::panel(img, f, 0.025 * a, 0.135, listRight * a, 0.645, 0.025);
        // The preview is a square on screen, so its left edge moves with the
        // screen's shape: the frame holds the widest one, and its light
        // panel shows beside the narrower ones.
        double previewLeft = (0.915 - 0.35 / r.narrowest) * a, previewRight = 0.915 * a;
        scenery::panel(img, f, previewLeft - 0.015, 0.155, previewRight + 0.015, 0.535, 0.02);
        double timeX = (r.wide ? 0.81 : 0.7875) * a;
        scenery::panel(img, f, timeX - 0.11, 0.56, timeX + 0.11, 0.64, 0.02);
        itemBand(img, f, r);
        save(ctx, r, "menuKZ.png", img);
    } else {
        // Options, scores and records: one wide table panel.
        Image img = quietSky("blueSky", r);
        Frame f = scenery::screenFrame(img, a);
        titleBanner(img, f, r, ctx.font);
        scenery::panel(img, f, 0.03 * a, 0.135, 0.97 * a, 0.655, 0.03);
        itemBand(img, f, r);
        save(ctx, r, "menuKZ2.png", img);
    }
}

void writePause(ArtContext& ctx) {
    const int size = 512;
    for (const Ratio& r : ratios) {
        double a = r.aspect;
        // A faint veil over the standing game and one light panel in the middle.
        Image img(size, size, Color(0.05, 0.07, 0.15, 0.22));
        Frame f = scenery::screenFrame(img, a);
        scenery::panel(img, f, 0.31 * a, 0.215, 0.69 * a, 0.77, 0.035, Color(0.98, 0.98, 1.0, 0.62));
        fillSegment(img, f, {0.38 * a, 0.37}, {0.62 * a, 0.37}, 0.0025, Color(0.3, 0.35, 0.5, 0.5));
        // The game's reader takes rows as stored and the pause menu draws the
        // first row at the bottom: store the picture bottom row first.
        ctx.tga(std::string("Images/Menus/High/") + r.folder + "/menuPause.tga", img, false);
        ctx.tga(std::string("Images/Menus/Low/") + r.folder + "/menuPause.tga", img.downscaled(2), false);
    }
}
}  // namespace menuart
