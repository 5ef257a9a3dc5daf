#include "levelmenus/MenuRecord.h"

#include "menus/OverlayState.h"

#include "platform/TextLine.h"
#include "records/CryptageManager.h"
#include "records/DifficultyScoresManager.h"
#include "services/CTextureManager.h"
#include "services/ClavierManager.h"
#include "services/ColorManager.h"
#include "services/DataFileManager.h"
#include "services/DebugManager.h"
#include "services/LangManager.h"
#include "services/OptionsManager.h"
#include "services/TextFromFontManager.h"

#include <locale>
#include <memory>
#include <sstream>

namespace {

const char* const kEmptyName = DifficultyScoresManager::emptyName;
const char* const kEmptyTime = DifficultyScoresManager::emptyScore;

// A time text read as a number of seconds in the classic locale; 0 when it
// holds no number.
double seconds(const std::string& time)
{
    std::istringstream in(time);
    in.imbue(std::locale::classic());
    double value = 0.0;
    if (!(in >> value))
        return 0.0;
    return value;
}

std::string cipher(std::string time)
{
    CryptageManager::getInstance()->crypt(time, CryptageManager::difficultyTableKey);
    return time;
}

} // namespace

MenuRecord::MenuRecord(std::string playerTime, std::string secondTime, int difficulty)
    : Menu(0, 0, 1, 1), lang(LangManager::getInstance()), scores(nullptr), dataFiles(nullptr),
      rank(-1), secondRank(-1), cursor(0), difficulty(difficulty)
{
    if (DifficultyScoresManager::scoreManagerInst == nullptr)
        DifficultyScoresManager::scoreManagerInst = new DifficultyScoresManager();
    scores = DifficultyScoresManager::scoreManagerInst;
    dataFiles = DataFileManager::GetInstance();

    background = CSingleton<CTextureManager>::GetInstance()->LoadPNG(backgroundPath("menuKZ2.png"), 0);
    nom = "MenuRecord";
    repeatTimer = 0;
    itemCount = 1;
    labels = { lang->get("choosePseudo") };

    playerName = "AAA";
    this->playerTime = playerTime;
    this->secondTime = secondTime;
    charger();
    comparer();
    if (rank == 0)
        endEntry();
}

MenuRecord::~MenuRecord()
{
}

void MenuRecord::reset()
{
    code = 0;
    selection = 1;
}

bool MenuRecord::validDifficulty() const
{
    return difficulty >= 1 && difficulty <= DifficultyScoresManager::kDifficulties;
}

std::string MenuRecord::tablePath() const
{
    return "Levels/Official/Scores_" + std::to_string(difficulty) + ".kzs";
}

void MenuRecord::charger()
{
    for (int i = 0; i < kRanks; ++i) {
        tableNames[i] = kEmptyName;
        tableTimes[i] = kEmptyTime;
    }
    if (!validDifficulty())
        return;
    std::unique_ptr<std::fstream> in(dataFiles->openFile(tablePath(), 0, true, false));
    if (!in)
        return;
    platform::skipByteOrderMark(*in);
    for (int i = 0; i < kRanks; ++i) {
        std::string name, time;
        if (!(*in >> name))
            break;
        tableNames[i] = name;
        if (!(*in >> time))
            break;
        if (time != kEmptyTime) {
            CryptageManager::getInstance()->deCrypt(time, CryptageManager::difficultyTableKey);
            // A field that is no time would be written back empty or rank as
            // a time of 0: it is an empty slot.
            if (!DifficultyScoresManager::isTimeText(time)) {
                tableNames[i] = kEmptyName;
                time = kEmptyTime;
            }
        }
        tableTimes[i] = time;
    }
    in->close();
}

int MenuRecord::comparer(int k)
{
    const std::string& time = k == 0 ? playerTime : secondTime;
    // Only a real run time of a difficulty that has a table can take a place.
    if (!validDifficulty() || !DifficultyScoresManager::isTimeText(time))
        return 0;
    const double mine = seconds(time);
    if (k != 0 && mine == 0.0)
        return 0;
    for (int n = 0; n < kRanks; ++n)
        if (seconds(tableTimes[n]) > mine)
            return n + 1;
    return 0;
}

void MenuRecord::comparer()
{
    rank = comparer(0);
}

std::string MenuRecord::texteTable()
{
    std::string out;
    int next = 0;
    for (int line = 1; line <= kRanks; ++line) {
        if (line == rank) {
            out += playerName + "\t" + cipher(playerTime) + "\n";
        } else {
            const std::string& time = tableTimes[next];
            out += tableNames[next] + "\t" + (time == kEmptyTime ? time : cipher(time)) + "\n";
            ++next;
        }
    }
    return out;
}

void MenuRecord::enregistrer()
{
    if (rank >= 1 && rank <= kRanks) {
        std::string error;
        if (!dataFiles->saveFile(tablePath(), texteTable(), true, &error))
            DebugManager::GetInstance()->o("MenuRecord", "enregistrer", false,
                                           "Cannot write " + tablePath() + " : ", error);
    }
    scores->loadScores();
}

void MenuRecord::endEntry()
{
    cursor = -1;
    labels[0] = lang->get("ok");
}

void MenuRecord::refresh(long dt)
{
    if (rank == 0)
        endEntry();

    if (repeatTimer < kRepeatDelay) {
        repeatTimer += static_cast<float>(dt);
        if (!isPressed(ClavierManager::UP) && !isPressed(ClavierManager::DOWN) &&
            !isPressed(ClavierManager::LEFT) && !isPressed(ClavierManager::RIGHT))
            repeatTimer = kRepeatDelay;
        return;
    }

    if (cursor < 0) {
        if (isPressed(ClavierManager::VALIDATE) || isPressed(ClavierManager::BACK)) {
            clavier->initTocuhes();
            code = selection;
            playValidate();
        }
        return;
    }

    if (isPressed(ClavierManager::LEFT)) {
        if (cursor > 0)
            --cursor;
        repeatTimer = 0;
        playMove();
    } else if (isPressed(ClavierManager::RIGHT)) {
        if (cursor < 2)
            ++cursor;
        repeatTimer = 0;
        playMove();
    }

    char& letter = playerName[cursor];
    if (isPressed(ClavierManager::UP)) {
        letter = letter == 'A' ? 'Z' : static_cast<char>(letter - 1);
        repeatTimer = 0;
        playMove();
    } else if (isPressed(ClavierManager::DOWN)) {
        letter = letter == 'Z' ? 'A' : static_cast<char>(letter + 1);
        repeatTimer = 0;
        playMove();
    }

    if (isPressed(ClavierManager::VALIDATE)) {
        clavier->initTocuhes();
        if (cursor < 2) {
            ++cursor;
            repeatTimer = 0;
            playMove();
        } else {
            enregistrer();
            endEntry();
            playValidate();
        }
    }
}

std::string MenuRecord::positionText()
{
    if (rank <= 0)
        return lang->get("out");
    const char* suffix = rank == 1 ? "st" : rank == 2 ? "nd" : rank == 3 ? "rd" : "th";
    return std::to_string(rank) + lang->get(suffix);
}

void MenuRecord::drawText(const std::string& t, double x, double y, double* color)
{
    text->draw(t, ColorManager::white70, x, y, 0.5, 0.5, 0.012, 1, 5);
    text->draw(t, color, x, y, 0.5, 0.5, 0.012, 1, 0);
}

void MenuRecord::draw()
{
    const OverlayState overlay(colors);
    const std::string position = positionText();
    Menu::draw();
    const std::string difficultyKey = "difficulty_" + std::to_string(difficulty);
    const std::string heading =
        lang->get("EndOfThe") + " " + lang->get(difficultyKey) + " " + lang->get("mode");
    const double o = wideScreen() ? 0.01 : 0.02;
    const bool ranked = rank >= 1 && rank <= kRanks;
    drawText(heading, 0.08, o + 0.76, ColorManager::black);
    drawText(lang->get("player_1"), 0.08, o + 0.66, ColorManager::black);
    drawText(lang->get(ranked ? "newRecord" : "noRecord"), 0.38, o + 0.66, ColorManager::black);
    drawText(lang->get("position"), 0.08, o + 0.585, ColorManager::black);
    drawText(position, 0.38, o + 0.585, ColorManager::black);
    drawText(lang->get("yourTime"), 0.08, o + 0.51, ColorManager::black);
    drawText(playerTime + "s", 0.38, o + 0.51, ColorManager::black);
    if (ranked) {
        drawText(lang->get("yourName"), 0.08, o + 0.435, ColorManager::black);
        for (int k = 0; k < 3; ++k)
            drawText(std::string(1, playerName[k]), 0.38 + 0.03 * k, o + 0.435,
                     k == cursor ? ColorManager::lightBlue : ColorManager::black);
    }
}
