#include "services/LangManager.h"

#include "services/DebugManager.h"
#include "services/OptionsManager.h"

#include <fstream>

LangManager* LangManager::langManagerInst = nullptr;

LangManager::LangManager()
    : debug(CSingleton<DebugManager>::GetInstance())
{
}

LangManager* LangManager::getInstance()
{
    if (langManagerInst == nullptr)
        langManagerInst = new LangManager();
    return langManagerInst;
}

void LangManager::kill()
{
    delete langManagerInst;
    langManagerInst = nullptr;
}

bool LangManager::lireLigne(const std::string& line, std::string& key, std::string& text)
{
    if (line.empty() || line[0] == '#')
        return false;
    std::string::size_type e = line.find('=');
    // A line that starts with "=" has no key at all.
    if (e == std::string::npos || e == 0)
        return false;

    text = line.substr(e + 1);
    if (!text.empty() && text[0] == ' ')
        text.erase(0, 1);

    // The key stops before the blank written in front of "=".
    key = line.substr(0, e - 1);
    std::string::size_type cut = key.find_first_of(" \t");
    if (cut != std::string::npos)
        key.erase(cut);
    return true;
}

bool LangManager::chargerFichier(const std::string& path)
{
    std::ifstream in(path.c_str(), std::ios::in | std::ios::binary);
    if (!in.is_open())
        return false;

    std::string line;
    bool first = true;
    while (std::getline(in, line)) {
        if (first && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
            line.erase(0, 3);
        first = false;
        if (!line.empty() && line[line.size() - 1] == '\r')
            line.erase(line.size() - 1);

        std::string key, text;
        if (lireLigne(line, key, text))
            texts[key] = text;
    }
    return true;
}

void LangManager::charger()
{
    std::string path = "Data/Lang/" + OptionsManager::getInstance()->getLangCode(0) + "/Game.dat";
    if (!chargerFichier(path)) {
        debug->o("LangManager", "charger", false, "The lang file couldn't be opened");
        return;
    }
    debug->o("LangManager", "charger", true, "The lang file is loaded");
}

std::string& LangManager::get(std::string key)
{
    std::string& text = texts[key];
    if (text.empty())
        debug->o("LangManager", "get The text does not exists : ", false, key);
    return text;
}
