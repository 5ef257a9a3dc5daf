#include "InterfaceArt.h"
#include <cmath>
#include "Icons.h"
#include "Palette.h"
#include "Shapes.h"

namespace interfaceart {
namespace {
void saveBoth(ArtContext& ctx, const std::string& file, const Image& high, int lowFactor) {
    ctx.png("Images/Interface/High/" + file, high);
    ctx.png("Images/Interface/Low/" + file, high.downscaled(lowFactor));
}

// A region of the board given in texture coordinates (v upward), as a frame
// whose unit square covers it (y downward, as every drawing here).
Frame regionFrame(const Image& board, double u0, double u1, double v0, double v1) {
    double x = u0 * board.width(), w = (u1 - u0) * board.width();
    double y = (1 - v1) * board.height(), h = (v1 - v0) * board.height();
    return {x, y, w, h};
}
}  // namespace

void writeWidgets(ArtContext& ctx) {
    // Scroll thumb: drawn 2.4 times as high as wide on screen.
    {
        Image img(64, 128, Color(0, 0, 0, 0));
        Frame f{0, 0, 64, 128 / 2.4};  // units: thumb widths, so shapes keep their shape
        double h = 2.4;
        fillBox(img, f, 0.5, h / 2, 0.42, h / 2 - 0.06, 0.36, Color(0.2, 0.25, 0.4, 0.35));
        fillShape(img, f, 0, 0, 1, h, [=](double x, double y) { return sdf::box(x, y, 0.5, h / 2, 0.36, h / 2 - 0.12, 0.3); },
                  [=](double x, double) {
                      return Color::rgb8(90, 140, 230).lighter(0.35 * std::clamp(1 - std::fabs(x - 0.38) * 3, 0.0, 1.0));
                  });
        for (int i = -1; i <= 1; ++i)
            fillSegment(img, f, {0.34, h / 2 + i * 0.16}, {0.66, h / 2 + i * 0.16}, 0.035, Color(1, 1, 1, 0.8));
        saveBoth(ctx, "ScrollBar.png", img, 2);
    }
    // Check box: upper half ticked, lower half empty. The box stands at the
    // left of its picture: the versus lists draw the picture at one place on
    // every screen, while the level names beside it start further left on
    // wider screens.
    {
        Image img(64, 128, Color(0, 0, 0, 0));
        const double cx = 0.33, cy = 0.5, k = 0.31 / 0.42;
        auto at = [&](double x, double y) { return Vec2{cx + (x - 0.5) * k, cy + (y - 0.5) * k}; };
        for (int half = 0; half < 2; ++half) {
            Frame f = Frame::square(0, half * 64, 64);
            fillBox(img, f, cx, cy, 0.42 * k, 0.42 * k, 0.12 * k, Color(0.25, 0.3, 0.45, 0.95));
            fillBox(img, f, cx, cy, 0.35 * k, 0.35 * k, 0.08 * k, Color(0.98, 0.98, 0.96, 1));
            if (half == 0) {
                Color tick = Color::rgb8(40, 160, 70);
                fillSegment(img, f, at(0.28, 0.52), at(0.44, 0.68), 0.07 * k, tick);
                fillSegment(img, f, at(0.44, 0.68), at(0.76, 0.3), 0.07 * k, tick);
            }
        }
        saveBoth(ctx, "checkBox.png", img, 2);
    }
}

void writeBoard(ArtContext& ctx) {
    Image board(512, 1024, Color(0, 0, 0, 0));
    // Life: a heart, drawn on screen as a square.
    {
        Frame f = regionFrame(board, 0, 0.625, 0.908203125, 0.9853515625);
        icons::heart(board, {f.ox + f.kx * 0.04, f.oy + f.ky * 0.06, f.kx, f.ky}, 0.5, 0.52, 0.84, Color(0, 0, 0, 0.35));
        icons::heart(board, f, 0.5, 0.5, 0.84, Color::rgb8(235, 50, 70));
        fillCircle(board, f, 0.33, 0.35, 0.09, Color(1, 1, 1, 0.55));
    }
    // Gravity sign: a gauge whose needle leans left; the game mirrors it
    // for heavy gravity, so the needle then leans right.
    {
        Frame f = regionFrame(board, 0, 0.625, 0.8291015625, 0.9072265625);
        Color rim = Color::rgb8(30, 40, 70);
        fillCircle(board, f, 0.5, 0.58, 0.42, Color(0.97, 0.97, 1, 0.9));
        fillRing(board, f, 0.5, 0.58, 0.42, 0.035, rim);
        for (int i = 0; i <= 8; ++i) {
            double ang = M_PI * (1 - i / 8.0);
            fillSegment(board, f, {0.5 + std::cos(ang) * 0.3, 0.58 - std::sin(ang) * 0.3},
                        {0.5 + std::cos(ang) * 0.37, 0.58 - std::sin(ang) * 0.37}, 0.018, rim);
        }
        double needle = M_PI * 0.8;
        fillSegment(board, f, {0.5, 0.58}, {0.5 + std::cos(needle) * 0.32, 0.58 - std::sin(needle) * 0.32}, 0.035,
                    Color::rgb8(220, 60, 40));
        fillCircle(board, f, 0.5, 0.58, 0.07, rim);
        icons::arrow(board, f, icons::Dir::Down, 0.5, 0.8, 0.2, rim);
    }
    // Progress track: a rail from the start (bottom) to the finish (top).
    {
        Frame f = regionFrame(board, 0.859375, 1, 0.482421875, 1);
        // On screen the rail is about 40 of its widths tall (0.7 high,
        // 0.025 / ratio wide): units of one rail width keep shapes round there.
        const double aspect = 40;
        Frame g{f.ox, f.oy, f.kx, f.ky / aspect};
        fillShape(board, g, 0, 0, 1, aspect, [=](double x, double y) { return sdf::box(x, y, 0.5, aspect / 2, 0.32, aspect / 2 - 0.05, 0.3); },
                  [=](double, double y) {
                      double t = y / aspect;
                      return Color::rgb8(120, 200, 255).mix(Color::rgb8(255, 240, 140), 1 - t).withAlpha(0.75);
                  });
        fillShape(board, g, 0, 0, 1, aspect,
                  [=](double x, double y) {
                      return std::max(sdf::box(x, y, 0.5, aspect / 2, 0.32, aspect / 2 - 0.05, 0.3),
                                      -sdf::box(x, y, 0.5, aspect / 2, 0.22, aspect / 2 - 0.15, 0.2));
                  },
                  Color(0.15, 0.2, 0.35, 0.85));
        // Checkered finish at the top.
        for (int j = 0; j < 4; ++j)
            for (int i = 0; i < 2; ++i)
                fillBox(board, g, 0.4 + i * 0.2, 0.3 + j * 0.2, 0.1, 0.1, 0,
                        (i + j) % 2 ? Color(0.1, 0.1, 0.1, 0.9) : Color(1, 1, 1, 0.95));
    }
    // Colour swatches: the five players, then the ghost.
    for (int c = 0; c < 6; ++c) {
        Frame f = regionFrame(board, c * 0.109375, (c + 1) * 0.109375, 0.986328125, 1);
        Color col = c < 5 ? palette::player(c) : palette::ghost();
        fillBox(board, f, 0.5, 0.5, 0.46, 0.42, 0.15, Color(0.05, 0.05, 0.1, 0.9));
        fillBox(board, f, 0.5, 0.5, 0.4, 0.28, 0.1, col);
    }
    // The board is read with its rows as stored and its v axis upward.
    ctx.tga("Images/Interface/High/board.tga", board, false);
    ctx.tga("Images/Interface/Low/board.tga", board.downscaled(2), false);
}
}  // namespace interfaceart
