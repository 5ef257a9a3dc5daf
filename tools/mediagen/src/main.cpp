// korvelin-mediagen: writes the game's media into an installation tree.
//   korvelin-mediagen --out <stage> --levels <folder of Level_*.kzl> --font <ttf>
// The output depends only on the program and its inputs: the same bytes on
// every run.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include "ArtContext.h"
#include "BlockFaces.h"
#include "Jobs.h"
#include "Lettering.h"
#include "Output.h"
#include "InterfaceArt.h"
#include "LevelPreviews.h"
#include "MenuArt.h"
#include "Musics.h"
#include "PlayerArt.h"
#include "PlayerModel.h"
#include "Skies.h"
#include "SoundEffects.h"

namespace {
struct Arguments {
    std::string out, levels, font = "/usr/share/fonts/truetype/comfortaa/Comfortaa-Regular.ttf";
    int threads = 3;
};

bool parse(int argc, char** argv, Arguments& a) {
    for (int i = 1; i < argc; ++i) {
        std::string k = argv[i];
        if (i + 1 >= argc) return false;
        std::string v = argv[++i];
        if (k == "--out") a.out = v;
        else if (k == "--levels") a.levels = v;
        else if (k == "--font") a.font = v;
        else if (k == "--threads") a.threads = std::max(1, std::atoi(v.c_str()));
        else return false;
    }
    return !a.out.empty();
}

// Runs one piece of the art, reporting a failure instead of ending the run.
template <typename F>
std::function<void()> guarded(const char* what, bool& failed, F work) {
    return [what, &failed, work] {
        try {
            auto t0 = std::chrono::steady_clock::now();
            work();
            if (std::getenv("MEDIAGEN_TIMES"))
                std::printf("  %-12s %.2f s\n", what,
                            std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
        } catch (const std::exception& e) {
            std::fprintf(stderr, "mediagen: %s failed: %s\n", what, e.what());
            failed = true;
        }
    };
}
}  // namespace

int main(int argc, char** argv) {
    Arguments args;
    if (!parse(argc, argv, args)) {
        std::fprintf(stderr, "usage: %s --out <stage folder> [--levels <folder>] [--font <ttf>] [--threads n]\n", argv[0]);
        return 2;
    }
    auto start = std::chrono::steady_clock::now();
    Output out(args.out);
    Lettering font(args.font);
    if (!font.ok()) return 1;
    ArtContext ctx{out, font};
    bool failed = false;

    Jobs jobs;
    // The longest pieces first, so the threads finish together.
    for (int ratio = 0; ratio < 2; ++ratio) {
        for (int picture = 0; picture < 5; ++picture)
            jobs.add(guarded("main menu", failed, [&ctx, ratio, picture] { menuart::writeMainMenuPicture(ctx, ratio, picture); }));
        for (int which = 0; which < 2; ++which)
            jobs.add(guarded("list menus", failed, [&ctx, ratio, which] { menuart::writeListBackground(ctx, ratio, which); }));
    }
    jobs.add(guarded("musics", failed, [&] { musics::writeAll(ctx); }));
    jobs.add(guarded("block faces", failed, [&] { blockfaces::writeAll(ctx); }));
    jobs.add(guarded("title", failed, [&] { menuart::writeTitle(ctx); }));
    jobs.add(guarded("pause", failed, [&] { menuart::writePause(ctx); }));
    jobs.add(guarded("widgets", failed, [&] { interfaceart::writeWidgets(ctx); }));
    jobs.add(guarded("board", failed, [&] { interfaceart::writeBoard(ctx); }));
    jobs.add(guarded("skins", failed, [&] { playerart::writeSkins(ctx); }));
    jobs.add(guarded("markers", failed, [&] { playerart::writeMarkers(ctx); }));
    jobs.add(guarded("logo", failed, [&] { playerart::writeLogo(ctx); }));
    jobs.add(guarded("model", failed, [&] { playermodel::write(ctx); }));
    jobs.add(guarded("sounds", failed, [&] { soundeffects::writeAll(ctx); }));
    jobs.add(guarded("previews", failed, [&] {
        levelpreviews::writeNoPreview(ctx);
        levelpreviews::writeOfficial(ctx, args.levels);
    }));
    for (const std::string& name : skies::names())
        jobs.add(guarded("backgrounds", failed, [&ctx, name] { skies::writeOne(ctx, name); }));
    jobs.run(args.threads);

    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("mediagen: %d files, %.1f MB in %.2f s\n", out.filesWritten(), out.bytesWritten() / 1048576.0, seconds);
    return failed || out.failed() ? 1 : 0;
}
