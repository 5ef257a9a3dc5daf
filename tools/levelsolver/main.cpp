// korvelin-levelsolver: finds a key script that clears an official level.
//
//   korvelin-levelsolver <levels folder> <level name> <script out> [options]
//     --dt N         frame time in ms (10)
//     --weight W     greed of the search (1.5)
//     --expansions N landings to expand at most (4000)
//     --margin M     a landing must keep M units inside its block (0.08)
//     --verify       only replay the script file and report
//     --trace        as --verify, printing every landing
//
// The search is best-first over landings: from each landing it tries a set
// of key plans for the next flight (forward or back held for part of the
// flight, left or right likewise), each played through the real level and
// player code from a saved world, and keeps the landings it reaches. The
// script found is replayed once more from a fresh load before it is written.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <queue>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "KeyScript.h"
#include "LevelSession.h"
#include "platform/GameRandom.h"
#include "world/Bloc.h"
#include "world/BlocMobile.h"
#include "world/BlocTimer.h"
#include "world/Joueur.h"
#include "world/NiveauManager.h"

namespace fs = std::filesystem;

namespace {

// Longest flight or slide tried from one landing, in frames.
const int kMaxSlide = 800;
// Timed and moving blocks within this many units of a landing tell landings apart.
const float kNear = 8.0f;

struct Options {
    long dt = 10;
    double weight = 1.5;
    int expansions = 4000;
    float margin = 0.08f;
    bool verifyOnly = false;
    bool trace = false;
};

struct Outcome {
    bool finished = false;
    long frames = 0;
    float timeLeftMs = 0;
    int state = 0;
};

// One line of a trace: where the body is and what it stands on.
void printLanding(LevelSession& s, long frame)
{
    Joueur& j = s.player();
    std::printf("frame %ld: x %.2f z %.2f vx %.2f vz %.2f vy %.2f state %d", frame, j.getX(), j.getZ(), j.getVX(),
                j.getVZ(), j.getVY(), j.getEtat());
    if (Bloc* b = s.level()->getBloc(j.getX(), j.getZ())) std::printf(" on type %d", b->getType());
    if (Bloc* m = s.level()->getMobileBloc(j.getX(), j.getZ()))
        std::printf(" on a moving block at x %.2f z %.2f", m->x, m->z);
    std::printf("\n");
}

// Plays a whole script from a fresh load; with trace, prints every bounce
// and every change of state.
Outcome replay(LevelSession& s, const KeyScript& script, bool trace = false)
{
    // The game's own generator, seeded as the proofs seed it; the search
    // uses a copy whose state it can save.
    platform::setGameRandomSource({});
    platform::seedGameRandom(script.seed);
    s.restart();
    Outcome o;
    auto playing = [&s]() { return s.player().getEtat() == Joueur::kJeu || s.player().getEtat() == Joueur::kChute; };
    for (const KeySegment& seg : script.segments) {
        for (int i = 0; i < seg.frames && playing(); ++i) {
            const float vyBefore = s.player().getVY();
            const int stateBefore = s.player().getEtat();
            s.step(seg, script.dt);
            ++o.frames;
            if (trace && (s.player().getVY() > vyBefore + 1.0f || s.player().getEtat() != stateBefore))
                printLanding(s, o.frames);
        }
    }
    o.state = s.player().getEtat();
    o.finished = s.player().niveauTermine();
    o.timeLeftMs = s.player().getTempsMs();
    return o;
}

// Distance to the finish over the level's cells, each block reaching as far
// as its bounce can carry the player.
std::map<std::pair<int, int>, double> distances(NiveauManager* n)
{
    std::set<std::pair<int, int>> cells;
    std::map<std::pair<int, int>, int> type;
    std::vector<std::pair<int, int>> goal;
    for (int r = 1; r < n->rows; ++r)
        for (int c = 1; c < n->cols; ++c) {
            Bloc* b = n->grid[r][c];
            if (b == nullptr || b->type == 3) continue;
            cells.insert({r, c});
            type[{r, c}] = b->type;
            if (b->type == 100) goal.push_back({r, c});
        }
    // A moving block stands, in time, on every cell of its track: from its
    // cell along its axis up to the walls on both sides.
    for (Bloc* b : n->mobileBlocks) {
        BlocMobile* m = static_cast<BlocMobile*>(b);
        const int r0 = (int)(m->z + 0.5f), c0 = (int)(m->x + 0.5f);
        const int dr = m->speedX != 0 ? 0 : 1, dc = m->speedX != 0 ? 1 : 0;
        for (int side : {-1, 1})
            for (int r = r0, c = c0; n->inGrid(r, c) && r > 0 && c > 0 && !n->isWall(r, c); r += side * dr, c += side * dc) {
                cells.insert({r, c});
                type[{r, c}] = 50;
            }
    }
    // Rows and columns one bounce can cover from a block: a plain bounce
    // reaches a row further in a level where gravity can be made lighter.
    bool lighter = false;
    for (auto& [cell, t] : type) lighter = lighter || t == 32;
    auto reach = [lighter](int t) -> std::pair<int, int> {
        if (t == 9) return {10, 12};
        if ((t >= 4 && t <= 8) || (t >= 10 && t <= 16) || t == 32) return {8, 10};
        return lighter ? std::make_pair(6, 8) : std::make_pair(5, 7);
    };
    std::map<std::pair<int, int>, std::vector<std::pair<std::pair<int, int>, double>>> rev;
    for (auto& c : cells) {
        auto [rz, rx] = reach(type[c]);
        for (int dr = -rz; dr <= rz; ++dr)
            for (int dc = -rx; dc <= rx; ++dc) {
                std::pair<int, int> m{c.first + dr, c.second + dc};
                if (m != c && cells.count(m)) rev[m].push_back({c, std::hypot(dr, dc) + 1.0});
            }
    }
    std::map<std::pair<int, int>, double> d;
    using Item = std::pair<double, std::pair<int, int>>;
    std::priority_queue<Item, std::vector<Item>, std::greater<Item>> q;
    for (auto& g : goal) { d[g] = 0; q.push({0, g}); }
    while (!q.empty()) {
        auto [dd, m] = q.top();
        q.pop();
        if (dd > d[m]) continue;
        for (auto& [c, w] : rev[m]) {
            double nd = dd + w;
            auto it = d.find(c);
            if (it == d.end() || nd < it->second) { d[c] = nd; q.push({nd, c}); }
        }
    }
    return d;
}

double potential(const std::map<std::pair<int, int>, double>& d, float x, float z)
{
    int r0 = (int)(z + 0.5f), c0 = (int)(x + 0.5f);
    double best = 1e9;
    for (int dr = -3; dr <= 3; ++dr)
        for (int dc = -3; dc <= 3; ++dc) {
            auto it = d.find({r0 + dr, c0 + dc});
            if (it == d.end()) continue;
            double e = it->second + std::hypot(r0 + dr - z, c0 + dc - x) * 1.5;
            if (e < best) best = e;
        }
    return best;
}

struct Node {
    LevelSession::Snapshot world;
    KeyScript script;
    long frame;
    double timeLeft;
};

// A landing that a small error would turn into a fall is not kept.
bool safeLanding(NiveauManager* n, float x, float z, float m)
{
    for (float ex : {-m, m})
        for (float ez : {-m, m})
            if (!n->collision(x + ex, z + ez, true, false)) return false;
    Bloc* b = n->getBloc(x, z);
    if (b == nullptr) {
        Bloc* mb = n->getMobileBloc(x, z);
        if (mb != nullptr && !(std::fabs(mb->x - x) < 0.5f - m && std::fabs(mb->z - z) < 0.5f - m)) return false;
    } else if (auto* t = dynamic_cast<BlocTimer*>(b)) {
        if (t->clock < 60 || t->clock > t->solidTime - 60) return false;
    }
    return true;
}

int solve(LevelSession& s, const Options& opt, KeyScript& found)
{
    NiveauManager* n = s.level();
    auto d = distances(n);
    const long maxFrames = n->levelTime * 1000L / opt.dt + 10;

    LevelSession::installRandom(1);
    s.restart();
    std::vector<Node> nodes;
    nodes.push_back({s.save(), KeyScript(), 0, n->levelTime * 1000.0});
    using Entry = std::pair<double, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
    open.push({0.0, 0});
    std::set<std::vector<long>> seen;
    const double fractions[] = {0.12, 0.25, 0.4, 0.55, 0.7, 0.85, 1.0};
    int expanded = 0;
    double closest = 1e18;
    float closestX = 0, closestZ = 0;
    while (!open.empty() && expanded < opt.expansions) {
        int id = open.top().second;
        open.pop();
        ++expanded;
        const Node base = nodes[id];
        float vy = base.world.vy, g = base.world.gravity;
        int flight = vy > 0 ? (int)(2 * vy / (opt.dt * g / 20.0f) / 1000.0f * 1000.0f) + 2 : 20;
        std::vector<std::pair<int, int>> zs{{0, 0}}, xs{{0, 0}};
        for (int k = 1; k <= 2; ++k)
            for (double f : fractions) {
                zs.push_back({k, std::max(1, (int)(f * flight))});
                xs.push_back({k, std::max(1, (int)(f * flight))});
            }
        for (auto& zp : zs)
            for (auto& xp : xs) {
                s.restore(base.world);
                Node next{LevelSession::Snapshot(), base.script, base.frame, base.timeLeft};
                bool landed = false;
                int limit = std::max(flight + 40, 60);
                for (int i = 0; i < limit && next.frame < maxFrames; ++i) {
                    KeySegment k;
                    k.up = zp.first == 1 && i < zp.second;
                    k.down = zp.first == 2 && i < zp.second;
                    k.left = xp.first == 1 && i < xp.second;
                    k.right = xp.first == 2 && i < xp.second;
                    float before = s.player().getTempsMs();
                    float vyBefore = s.player().getVY();
                    s.step(k, opt.dt);
                    next.script.add(k, 1);
                    ++next.frame;
                    next.timeLeft += s.player().getTempsMs() - before;
                    Joueur& j = s.player();
                    if (j.getEtat() != 0) break;
                    // Sliding on a flat block: the flight goes on until the
                    // body leaves the ice onto a block that bounces.
                    if (j.getY() == 0.0f && j.getVY() == 0.0f) limit = std::min(std::max(limit, i + 60), kMaxSlide);
                    if (j.getY() == 0.0f && vyBefore <= 0 && j.getVY() > 0 && j.getAccelX() == 0 && j.getAccelZ() == 0) {
                        landed = true;
                        break;
                    }
                }
                Joueur& j = s.player();
                if (j.getEtat() == 2) {
                    if (next.timeLeft > 0 && safeLanding(n, j.getX(), j.getZ(), opt.margin)) {
                        found = next.script;
                        std::fprintf(stderr, "expanded %d landings\n", expanded);
                        return 1;
                    }
                    continue;
                }
                if (!landed || j.getEtat() != 0 || next.timeLeft <= 0) continue;
                if (!safeLanding(n, j.getX(), j.getZ(), opt.margin)) continue;
                next.world = s.save();
                std::vector<long> key{std::lround(j.getX() * 4), std::lround(j.getZ() * 4), std::lround(j.getVX() * 4),
                                      std::lround(j.getVZ() * 4), std::lround(j.getVY() * 2), std::lround(g * 100),
                                      j.getVies(false)};
                // Two landings in the same place of the same world cycle
                // (nearby timed blocks in the same phase, nearby moving
                // blocks at the same place going the same way) are taken to
                // lead to the same futures; blocks far away are left out.
                for (auto& b : next.world.blocks) {
                    key.push_back(b.type * 4 + (b.solid ? 1 : 0) + b.uses * 1000);
                    if (std::fabs(b.x - j.getX()) > kNear || std::fabs(b.z - j.getZ()) > kNear) continue;
                    if (b.timer) key.push_back(std::lround(b.extra[0] / 250.0f));
                    if (b.moving) {
                        key.push_back(std::lround(b.x * 8) * 4 + (b.extra[0] > 0 ? 1 : 0) + (b.extra[1] > 0 ? 2 : 0));
                        key.push_back(std::lround(b.z * 8));
                    }
                }
                if (!seen.insert(key).second) continue;
                double h = potential(d, j.getX(), j.getZ());
                if (h < closest) {
                    closest = h;
                    closestX = j.getX();
                    closestZ = j.getZ();
                }
                nodes.push_back(std::move(next));
                open.push({nodes.back().frame * opt.dt / 1000.0 + opt.weight * h / 4.0, (int)nodes.size() - 1});
            }
    }
    std::fprintf(stderr, "no script found after %d landings; closest landing at x %.2f, z %.2f (%zu landings kept)\n",
                 expanded, closestX, closestZ, nodes.size());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <levels folder> <level name> <script> [--dt N] [--weight W] [--expansions N] [--margin M] [--verify] [--trace]\n", argv[0]);
        return 2;
    }
    Options opt;
    for (int i = 4; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&]() { return i + 1 < argc ? std::string(argv[++i]) : std::string("0"); };
        if (a == "--dt") opt.dt = std::atol(value().c_str());
        else if (a == "--weight") opt.weight = std::atof(value().c_str());
        else if (a == "--expansions") opt.expansions = std::atoi(value().c_str());
        else if (a == "--margin") opt.margin = (float)std::atof(value().c_str());
        else if (a == "--verify") opt.verifyOnly = true;
        else if (a == "--trace") opt.verifyOnly = opt.trace = true;
    }
    std::string levels = fs::absolute(argv[1]).string();
    std::string name = argv[2];
    std::string out = fs::absolute(argv[3]).string();

    char tmpl[] = "/tmp/korvelin-levelsolver-XXXXXX";
    char* root = mkdtemp(tmpl);
    if (root == nullptr) return 1;
    fs::path install = fs::path(root) / "install";
    fs::create_directories(install / "Levels" / "Official");
    fs::create_directories(fs::path(root) / "user");
    fs::copy_file(fs::path(levels) / (name + ".kzl"), install / "Levels" / "Official" / (name + ".kzl"));
    LevelSession::prepareFolders(install.string(), (fs::path(root) / "user").string());

    int status = 1;
    {
        LevelSession s(name);
        if (!s.loaded()) {
            std::fprintf(stderr, "%s: level not loaded\n", name.c_str());
        } else {
            KeyScript script;
            bool have = false;
            if (opt.verifyOnly) {
                std::string err;
                have = KeyScript::read(out, script, &err);
                if (!have) std::fprintf(stderr, "%s\n", err.c_str());
            } else {
                auto t0 = std::chrono::steady_clock::now();
                have = solve(s, opt, script) != 0;
                double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
                std::fprintf(stderr, "search took %.1f s\n", secs);
            }
            if (have) {
                if (!opt.verifyOnly) script.dt = opt.dt;
                Outcome o = replay(s, script, opt.trace);
                std::printf("%s: %s, %ld frames (%.2f s of %d s), %.1f s left\n", name.c_str(),
                            o.finished ? "finished" : "NOT finished", o.frames, o.frames * script.dt / 1000.0,
                            s.timeLimit(), o.timeLeftMs / 1000.0);
                if (o.finished && !opt.verifyOnly) {
                    std::ofstream f(out);
                    f << "# " << name << ": finish after " << o.frames << " frames ("
                      << o.frames * script.dt / 1000.0 << " s of " << s.timeLimit() << " s)\n";
                    f << script.text();
                }
                status = o.finished ? 0 : 1;
            }
        }
    }
    std::error_code ec;
    fs::current_path("/", ec);
    fs::remove_all(root, ec);
    return status;
}
