#include "MenuTestKit.h"

#include "menus/Menu.h"
#include "services/ClavierManager.h"

#include <vector>

namespace korvelin_test {

OptionsText wideOptions()
{
    OptionsText options;
    options.width = 1280;
    options.height = 800;
    return options;
}

OptionsText narrowOptions()
{
    OptionsText options;
    options.width = 640;
    options.height = 480;
    return options;
}

Mix_Chunk* silentChunk()
{
    static std::vector<std::vector<Uint8>> buffers;
    buffers.emplace_back(22050 * 4 * 30, 0);
    return Mix_QuickLoad_RAW(buffers.back().data(), static_cast<Uint32>(buffers.back().size()));
}

int playsOf(Mix_Chunk* chunk)
{
    int plays = 0;
    const int channels = Mix_AllocateChannels(-1);
    for (int c = 0; c < channels; ++c)
        if (Mix_Playing(c) && Mix_GetChunk(c) == chunk)
            ++plays;
    return plays;
}

void pressAction(int action, int player, int state)
{
    ClavierManager::clavier->keyState[action][player - 1] = state;
}

void releaseAllActions()
{
    for (int a = 0; a < ClavierManager::kNbActions; ++a)
        for (int p = 0; p < 2; ++p)
            ClavierManager::clavier->keyState[a][p] = 0;
}

void tapAction(Menu& menu, int action, long dt)
{
    pressAction(action);
    menu.refresh(dt);
    releaseAllActions();
    menu.refresh(dt);
}

bool allKeysCleared()
{
    const ClavierManager* keys = ClavierManager::clavier;
    for (int a = 0; a < ClavierManager::kNbActions; ++a)
        for (int p = 0; p < 2; ++p)
            if (keys->keyState[a][p] != 0)
                return false;
    for (double axis : keys->joystickAxis)
        if (axis != 0.0)
            return false;
    return keys->lastKey == 0 && !keys->joystickUsed[0] && !keys->joystickUsed[1];
}

} // namespace korvelin_test
