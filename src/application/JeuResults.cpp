// The end of a game: a finished one-player result is recorded as the level's
// best time (with its ghost on a new best) and posted to the score server.

#include "application/Jeu.h"

#include "application/GameManager.h"
#include "records/Ghost.h"
#include "records/GhostManager.h"
#include "records/LevelScoresManager.h"
#include "records/SendScoreManager.h"
#include "services/OptionsManager.h"
#include "world/Joueur.h"
#include "world/NiveauManager.h"

namespace {

// Author given to official levels, whose names hold no ".".
const char* const defaultAuthor = "Marcopellan";

} // namespace

std::string Jeu::levelScoreTitle(const std::string& fileName)
{
    std::string title = fileName;
    std::string::size_type dot = title.rfind('.');
    if (dot == std::string::npos)
        return title + "\t" + defaultAuthor;
    title[dot] = '\t';
    return title;
}

void Jeu::recordResults()
{
    GameManager* game = gameManager != nullptr ? gameManager : GameManager::gm;
    NiveauManager* level = niveau != nullptr ? niveau : NiveauManager::niveauManager;
    if (game == nullptr || level == nullptr)
        return;
    // A game left from the pause menu is not cleared and records nothing;
    // jeuQuitte() is also true after a finished level list, so it is no test.
    const bool cleared = game->isAllLevelsCleared();
    const bool solo = OptionsManager::getInstance()->getNbJoueurs() == 1;
    if (!cleared || !solo)
        return;

    std::string digests;
    for (const std::string& hash : level->hashes)
        digests += hash;
    Joueur* player = game->getJoueur(1);
    const Ghost run = player != nullptr ? player->getGhost() : Ghost();
    recordResults(cleared, solo, level->difficulty, level->fileName, digests, game->getTempsLong(0), run);
}

void Jeu::recordResults(bool cleared, bool solo, int difficulty, const std::string& fileName,
                        const std::string& digests, long playTimeMs, const Ghost& run)
{
    if (!cleared || !solo)
        return;
    const double seconds = playTimeMs / 1000.0;
    if (difficulty == -1) {
        // The ghost is stored only with a new best, so it always belongs to
        // the time in the best-time file.
        if (LevelScoresManager::getInstance()->addScore(fileName, seconds))
            GhostManager::getInstance()->addGhost(fileName, seconds, run);
        SendScoreManager::getInstance()->sendScoreLevel(levelScoreTitle(fileName), seconds, digests);
    } else {
        SendScoreManager::getInstance()->sendScoreDiff(difficulty, seconds, digests);
    }
}
