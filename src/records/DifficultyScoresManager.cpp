#include "records/DifficultyScoresManager.h"

#include "platform/TextLine.h"
#include "records/CryptageManager.h"
#include "services/DataFileManager.h"

#include <cctype>
#include <memory>

const char* const DifficultyScoresManager::emptyName = "K.Z";
const char* const DifficultyScoresManager::emptyScore = "9999.9";

DifficultyScoresManager* DifficultyScoresManager::scoreManagerInst = nullptr;

DifficultyScoresManager::DifficultyScoresManager()
    : dataFiles(DataFileManager::GetInstance())
{
    loadScores();
}

DifficultyScoresManager::~DifficultyScoresManager()
{
}

DifficultyScoresManager* DifficultyScoresManager::getInstance()
{
    if (scoreManagerInst == nullptr)
        scoreManagerInst = new DifficultyScoresManager();
    return scoreManagerInst;
}

bool DifficultyScoresManager::inTable(int d, int i)
{
    return d >= 0 && d < kDifficulties && i >= 0 && i < kRanks;
}

bool DifficultyScoresManager::isTimeText(const std::string& text)
{
    std::string::size_type i = 0;
    std::string::size_type digits = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        ++i;
        ++digits;
    }
    if (digits == 0 || i >= text.size() || text[i] != '.')
        return false;
    ++i;
    digits = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        ++i;
        ++digits;
    }
    if (digits == 0)
        return false;
    if (i < text.size() && text[i] == ' ')
        ++i;
    return i == text.size();
}

void DifficultyScoresManager::erase()
{
    for (int d = 0; d < kDifficulties; ++d) {
        for (int i = 0; i < kRanks; ++i) {
            names[d][i].clear();
            scores[d][i].clear();
        }
    }
}

void DifficultyScoresManager::loadScores()
{
    erase();
    for (int d = 0; d < kDifficulties; ++d) {
        for (int i = 0; i < kRanks; ++i) {
            names[d][i] = emptyName;
            scores[d][i] = emptyScore;
        }
        loadTable(d);
    }
}

void DifficultyScoresManager::loadTable(int d)
{
    const std::string path = "Levels/Official/Scores_" + std::to_string(d + 1) + ".kzs";
    std::unique_ptr<std::fstream> in(dataFiles->openFile(path, 0, true, false));
    if (!in)
        return;
    platform::skipByteOrderMark(*in);
    for (int i = 0; i < kRanks; ++i) {
        std::string name, score;
        if (!(*in >> name))
            break;
        names[d][i] = name;
        if (!(*in >> score))
            break;
        if (score != emptyScore) {
            CryptageManager::getInstance()->deCrypt(score, CryptageManager::difficultyTableKey);
            // A field that is no time would unlock the next difficulty and
            // rank as a time of 0: it counts as an empty slot.
            if (!isTimeText(score)) {
                names[d][i] = emptyName;
                score = emptyScore;
            }
        }
        scores[d][i] = score;
    }
    in->close();
}

std::string* DifficultyScoresManager::getScores(int d)
{
    return inTable(d, 0) ? scores[d] : nullptr;
}

std::string* DifficultyScoresManager::getNames(int d)
{
    return inTable(d, 0) ? names[d] : nullptr;
}

std::string DifficultyScoresManager::getScore(int d, int i)
{
    return inTable(d, i) ? scores[d][i] : std::string();
}

std::string DifficultyScoresManager::getName(int d, int i)
{
    return inTable(d, i) ? names[d][i] : std::string();
}

void DifficultyScoresManager::setScore(std::string name, std::string score, int d, int i)
{
    if (!inTable(d, i))
        return;
    names[d][i] = name;
    scores[d][i] = score;
}

void DifficultyScoresManager::setScores(std::string*, std::string*, int)
{
}

void DifficultyScoresManager::saveScores()
{
}
