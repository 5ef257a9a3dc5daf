#include "services/ClavierManager.h"

#include "platform/TextLine.h"
#include "services/DataFileManager.h"
#include "services/DebugManager.h"

#include <SDL/SDL_keysym.h>
#include <fstream>
#include <locale>
#include <sstream>

ClavierManager* ClavierManager::clavier = nullptr;

namespace {

const char* const kKeyboardFile = "Data/Keyboard.dat";

const int kDefaultKeys[ClavierManager::kNbActions][2] = {
    {SDLK_w, SDLK_UP},
    {SDLK_s, SDLK_DOWN},
    {SDLK_a, SDLK_LEFT},
    {SDLK_d, SDLK_RIGHT},
    {SDLK_SPACE, SDLK_RETURN},
    {SDLK_ESCAPE, SDLK_DELETE},
    {SDLK_r, SDLK_BACKSPACE},
};

} // namespace

int ClavierManager::defaultKey(int player, int action)
{
    return kDefaultKeys[action][player];
}

ClavierManager::ClavierManager()
{
    dataFiles = DataFileManager::GetInstance();
    for (int a = 0; a < kNbActions; ++a)
        for (int p = 0; p < 2; ++p)
            keyState[a][p] = 0;
    joystickUsed[0] = joystickUsed[1] = false;
    for (double& axis : joystickAxis)
        axis = 0.0;
    assign();
    charger();
    majTemp();
    lastKey = -1;
}

ClavierManager::~ClavierManager() {}

void ClavierManager::assign()
{
    for (int a = 0; a < kNbActions; ++a)
        for (int p = 0; p < 2; ++p)
            key[a][p] = kDefaultKeys[a][p];
}

void ClavierManager::majTemp()
{
    for (int a = 0; a < kNbActions; ++a)
        for (int p = 0; p < 2; ++p)
            pendingKey[a][p] = key[a][p];
}

void ClavierManager::charger()
{
    std::fstream* in = dataFiles->openFile(kKeyboardFile, 0, true, false);
    if (in == nullptr)
        return;
    in->imbue(std::locale::classic());
    platform::skipByteOrderMark(*in);
    for (int p = 0; p < 2; ++p)
        for (int a = 0; a < kNbActions; ++a) {
            int value = 0;
            if (!(*in >> value))
                break; // a short or damaged file keeps the remaining keys
            // A code no key can send would make the action unreachable.
            if (value >= 1 && value < SDLK_LAST)
                key[a][p] = value;
        }
    in->close();
    delete in;
}

bool ClavierManager::sauver()
{
    std::ostringstream text;
    text.imbue(std::locale::classic());
    for (int p = 0; p < 2; ++p)
        for (int a = 0; a < kNbActions; ++a)
            text << pendingKey[a][p] << '\n';
    std::string error;
    bool written = dataFiles->saveFile(kKeyboardFile, text.str(), true, &error);
    if (!written)
        DebugManager::GetInstance()->o("ClavierManager", "sauver", false,
                                       "Cannot write " + std::string(kKeyboardFile) + " : ", error);
    assign();
    charger();
    majTemp();
    return written;
}

void ClavierManager::initTocuhes()
{
    for (int a = 0; a < kNbActions; ++a)
        for (int p = 0; p < 2; ++p)
            keyState[a][p] = 0;
    joystickUsed[0] = joystickUsed[1] = false;
    for (double& axis : joystickAxis)
        axis = 0.0;
    lastKey = 0;
}
