#include "records/LevelScoresManager.h"

#include "platform/TextLine.h"
#include "records/CryptageManager.h"
#include "records/RecordFiles.h"
#include "services/DataFileManager.h"
#include "services/DebugManager.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <memory>

LevelScoresManager* LevelScoresManager::scoreManagerInst = nullptr;

LevelScoresManager::LevelScoresManager()
    : log(DebugManager::GetInstance())
    , dataFiles(DataFileManager::GetInstance())
    , crypt(CryptageManager::getInstance())
{
}

LevelScoresManager::~LevelScoresManager()
{
    saveScores();
    scores.clear();
    changed.clear();
}

LevelScoresManager* LevelScoresManager::getInstance()
{
    if (scoreManagerInst == nullptr)
        scoreManagerInst = new LevelScoresManager();
    return scoreManagerInst;
}

bool LevelScoresManager::isOfficial(const std::string& level)
{
    std::string::size_type dot = level.find('.');
    if (dot == std::string::npos)
        return true;
    log->o("LevelScoresManager", "loadScore", true, "Custom file detected", static_cast<double>(dot));
    return false;
}

std::fstream* LevelScoresManager::getStream(const std::string& level, int mode)
{
    isOfficial(level);
    const std::string path = records::recordPath(level, ".kzs");
    if (path.empty()) {
        log->o("LevelScoresManager", "getStream", false, "unsafe level name : ", level);
        return nullptr;
    }
    log->o("LevelScoresManager", "getStream", true, "loading the file : ", path);
    return dataFiles->openFile(path, mode, true, true);
}

bool LevelScoresManager::isDecimal(const std::string& text, double* value)
{
    // strtod alone would also take leading blanks, "inf", "nan" and hex.
    if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '.'))
        return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c)) && c != '.' && c != 'e' && c != 'E'
            && c != '+' && c != '-')
            return false;
    char* end = nullptr;
    double v = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(v))
        return false;
    if (value != nullptr)
        *value = v;
    return true;
}

std::string LevelScoresManager::loadScore(const std::string& level)
{
    std::unique_ptr<std::fstream> in(getStream(level, 0));
    if (!in || in->fail()) {
        log->o("LevelScoresManager", "loadScore", false, "the score was not found : ", level);
        throw LevelScoresManagerNoScoreForThisLevelException();
    }
    platform::skipByteOrderMark(*in);
    std::string text;
    *in >> text;
    in->close();
    // Only whole groups of three digits are a crypt text: anything else
    // (an empty, cut or foreign file) holds no best time, never a time of 0
    // or of whatever its bytes happen to unscramble to.
    bool cryptText = !text.empty() && text.size() % 3 == 0
        && text.find_first_not_of("0123456789") == std::string::npos;
    crypt->deCrypt(text, CryptageManager::levelScoreKey);
    if (!cryptText || !isDecimal(text)) {
        log->o("LevelScoresManager", "loadScore", false, "the score is not decimal : ", text);
        throw LevelScoresManagerNoScoreForThisLevelException();
    }
    return text;
}

void LevelScoresManager::saveScore(const std::string& level)
{
    const std::string path = records::recordPath(level, ".kzs");
    if (path.empty()) {
        log->o("LevelScoresManager", "saveScore", false, "unsafe level name, nothing written : ", level);
        return;
    }
    std::string text = scores[level];
    crypt->crypt(text, CryptageManager::levelScoreKey);
    std::string error;
    if (!dataFiles->saveFile(path, text, true, &error)) {
        log->o("LevelScoresManager", "saveScore", false, "The score could not be written : " + level, error);
        return;
    }
    log->o("LevelScoresManager", "saveScore", true, "The score has been overwritten : ", level);
}

void LevelScoresManager::saveScores()
{
    for (const std::string& level : changed)
        saveScore(level);
}

void LevelScoresManager::erase()
{
    scores.clear();
    changed.clear();
}

void LevelScoresManager::loadScores()
{
    erase();
}

void LevelScoresManager::addScore(const std::string& level, const std::string& time, bool isChanged)
{
    if (isChanged) {
        changed.push_back(level);
        log->o("LevelScoresManager", "addScore", true, "Value marked as changed");
    }
    log->o("LevelScoresManager", "addScore", true, "Overwrite time for : ", level);
    log->o("LevelScoresManager", "addScore", true, "\tNew time : ", time);
    scores[level] = time;
}

void LevelScoresManager::addScore(const std::string& level, const std::string& time)
{
    addScore(level, time, true);
    saveScore(level);
}

void LevelScoresManager::addScore(const std::string& level)
{
    try {
        std::string text = loadScore(level);
        addScore(level, text, false);
    } catch (...) {
        // No best time yet: the map stays as it was.
    }
}

std::string LevelScoresManager::timeText(double seconds)
{
    // Times come from whole milliseconds; the small allowance keeps a time
    // such as 83400 / 1000 from truncating to 83.3 through rounding.
    long tenths = static_cast<long>(seconds * 10.0 + 1e-7);
    if (tenths < 0)
        tenths = 0;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

bool LevelScoresManager::addScore(const std::string& level, double seconds)
{
    log->o("LevelScoresManager", "addScore", false, "Trying to add the score : ", seconds);
    if (!records::isSafeLevelName(level)) {
        log->o("LevelScoresManager", "addScore", false, "unsafe level name, nothing stored : ", level);
        return false;
    }
    if (scores.find(level) == scores.end())
        addScore(level);

    bool record = true;
    std::map<std::string, std::string>::const_iterator entry = scores.find(level);
    if (entry != scores.end()) {
        double previous = 0;
        bool decimal = isDecimal(entry->second, &previous);
        log->o("LevelScoresManager", "addScore", false, "Previous Time : ",
               decimal ? previous : std::strtod(entry->second.c_str(), nullptr));
        record = !decimal || seconds < previous;
    }
    if (!record)
        return false;

    const std::string text = timeText(seconds);
    log->o("LevelScoresManager", "addScore", true, "Time overwrited : ", text);
    addScore(level, text, true);
    saveScore(level);
    return true;
}

std::string LevelScoresManager::getScoreAsString(const std::string& level)
{
    if (scores.find(level) == scores.end())
        addScore(level);
    std::map<std::string, std::string>::const_iterator entry = scores.find(level);
    if (entry != scores.end())
        return addSeconds(entry->second);
    return addSeconds("----.-");
}

std::string LevelScoresManager::addSeconds(const std::string& time)
{
    return time + " s";
}
