#pragma once

#include <map>
#include <string>

class DebugManager;

// Texts of the language in force, looked up by key ("Data/Lang/<code>/Game.dat").
class LangManager {
public:
    LangManager();

    static LangManager* getInstance();
    static void kill();

    // Loads the texts of the language in force; keys the file lacks keep
    // their previous text.
    void charger();

    // Loads the texts of one file; false when it cannot be opened.
    bool chargerFichier(const std::string& path);

    // The text of the key; a missing or empty text is logged and stays empty.
    std::string& get(std::string key);

    // Splits one line of a language file. False for comments, lines without
    // "=" and lines that begin with "="; otherwise key and text are set.
    static bool lireLigne(const std::string& line, std::string& key, std::string& text);

    static LangManager* langManagerInst;

private:
    DebugManager* debug;
    std::map<std::string, std::string> texts;
};
