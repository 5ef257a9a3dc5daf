#include "LevelPreviews.h"
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include "BlockFaces.h"
#include "Shapes.h"
#include "Skies.h"

namespace levelpreviews {
namespace {
constexpr int size = 256;

bool drawable(int type) {
    return (type >= 1 && type <= 17) || (type >= 20 && type <= 28) || (type >= 30 && type <= 34) ||
           (type >= 50 && type <= 61) || type == 100 || type == 101 || (type >= 200 && type <= 399);
}

// Block tops reduced to the cell size, drawn once per type and size.
class TopCache {
public:
    explicit TopCache(Lettering& f) : font(f) {}
    const Image& top(int type, int cell) {
        auto key = std::make_pair(type, cell);
        auto it = cache.find(key);
        if (it != cache.end()) return it->second;
        Image full = blockfaces::draw(type, font);
        Image face = full.region(0, 0, full.height(), full.height());
        return cache[key] = face.resized(cell, cell);
    }

private:
    Lettering& font;
    std::map<std::pair<int, int>, Image> cache;
};
}  // namespace

Level read(const std::string& path) {
    Level l;
    std::ifstream in(path);
    if (!in) return l;
    std::string first;
    if (!(in >> first)) return l;
    double r, g, b;
    int t;
    if (first == "KZ2") {
        if (!(in >> t >> l.rows >> l.cols >> r >> g >> b >> l.background)) return l;
    } else {
        if (!(in >> l.rows >> l.cols)) return l;
    }
    if (l.rows < 2 || l.cols < 1 || l.rows > 4096 || l.cols > 4096) return l;
    l.cells.assign(static_cast<size_t>(l.rows) * l.cols, 0);
    int v;
    for (size_t i = 0; i < l.cells.size() && (in >> v); ++i) l.cells[i] = v;
    l.ok = true;
    return l;
}

Image draw(const Level& level, Lettering& font) {
    // The sky of the level as the backdrop, darkened a little for contrast.
    Image img = skies::paint(skies::named(level.background), size, size, 1.0);
    img.draw(Image(size, size, Color(0, 0, 0, 0.15)), 0, 0);
    if (!level.ok) return img;
    // The last row is never drawn in the game, so the picture leaves it out.
    int rows = level.rows - 1, cols = level.cols;
    // Long levels are cut into strips side by side, start on the left, each
    // strip running from its start (bottom) to its end (top).
    int bestStrips = 1;
    double bestCell = 0;
    for (int k = 1; k <= 12; ++k) {
        int len = (rows + k - 1) / k;
        double cell = std::min((size - 16.0) / (k * cols + (k - 1) * 0.8), (size - 16.0) / len);
        if (cell > bestCell + 1e-9) {
            bestCell = cell;
            bestStrips = k;
        }
    }
    int strips = bestStrips, len = (rows + strips - 1) / strips;
    int cell = std::max(1, static_cast<int>(std::floor(bestCell)));
    double gap = cell * 0.8;
    double totalW = strips * cols * cell + (strips - 1) * gap, totalH = len * cell;
    double ox = (size - totalW) / 2, oy = (size - totalH) / 2;
    TopCache tops(font);
    for (int s = 0; s < strips; ++s) {
        double sx = ox + s * (cols * cell + gap);
        for (int k = 0; k < len; ++k) {
            int row = rows - (s * len + k);  // 1-based file row; the start is the highest row
            if (row < 1) break;
            double y = oy + totalH - (k + 1) * cell;
            for (int c = 0; c < cols; ++c) {
                int type = level.cells[static_cast<size_t>(row - 1) * cols + c];
                if (!drawable(type)) continue;
                // Moving blocks start in an empty cell of the file; show them too.
                if (cell >= 6) img.draw(tops.top(type, cell), static_cast<int>(sx + c * cell), static_cast<int>(y));
                else {
                    Color col = tops.top(type, 1).get(0, 0);
                    col.a = 1;
                    for (int j = 0; j < cell; ++j)
                        for (int i = 0; i < cell; ++i) img.set(static_cast<int>(sx + c * cell) + i, static_cast<int>(y) + j, col);
                }
            }
        }
    }
    return img;
}

void writeNoPreview(ArtContext& ctx) {
    Image img = skies::paint(skies::named("cloudy"), size, size, 1.0);
    Frame f = Frame::unit(img);
    fillBox(img, f, 0.5, 0.5, 0.3, 0.3, 0.06, Color(1, 1, 1, 0.75));
    for (int i = 0; i < 16; ++i) {
        double a = i / 16.0;
        Color dash(0.35, 0.4, 0.55, 0.8);
        fillSegment(img, f, {0.24 + a * 0.52, 0.24}, {0.24 + a * 0.52 + 0.015, 0.24}, 0.008, dash);
        fillSegment(img, f, {0.24 + a * 0.52, 0.76}, {0.24 + a * 0.52 + 0.015, 0.76}, 0.008, dash);
        fillSegment(img, f, {0.24, 0.24 + a * 0.52}, {0.24, 0.24 + a * 0.52 + 0.015}, 0.008, dash);
        fillSegment(img, f, {0.76, 0.24 + a * 0.52}, {0.76, 0.24 + a * 0.52 + 0.015}, 0.008, dash);
    }
    TextStyle st;
    st.fill = [](double, double) { return Color(0.3, 0.35, 0.5); };
    drawText(img, f, ctx.font, "?", 0.5, 0.5, 0.3, st);
    ctx.png("Images/Previews/NoPreview.png", img);
}

void writeOfficial(ArtContext& ctx, const std::string& folder) {
    std::error_code ec;
    if (folder.empty() || !std::filesystem::is_directory(folder, ec)) return;
    std::vector<std::string> names;
    const std::regex pattern("Level_[0-9]+-[0-9]+\\.kzl");
    for (auto& e : std::filesystem::directory_iterator(folder, ec))
        if (std::regex_match(e.path().filename().string(), pattern)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    for (const std::string& n : names) {
        Level l = read((std::filesystem::path(folder) / n).string());
        std::string base = n.substr(0, n.size() - 4);
        ctx.png("Images/Previews/Official/" + base + ".png", draw(l, ctx.font));
    }
}
}  // namespace levelpreviews
