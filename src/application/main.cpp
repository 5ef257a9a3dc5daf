#include "application/Jeu.h"
#include "platform/GameRandom.h"
#include "platform/LevelName.h"

#include <cstdlib>
#include <ctime>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    const unsigned int seed = static_cast<unsigned int>(std::time(nullptr));
    std::srand(seed);
    platform::seedGameRandom(seed);

    if (argc < 2) {
        Jeu jeu;
        return 0;
    }
    // The name becomes part of a path: refuse anything but "Title.Author".
    const std::string level(argv[1]);
    if (!platform::isValidLevelName(level)) {
        std::cerr << "Korvelin: invalid level name \"" << level
                  << "\" (expected Title.Author, at most 200 bytes, no folder)" << std::endl;
        return 2;
    }
    Jeu jeu(level);
    return 0;
}
