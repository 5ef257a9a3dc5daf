#include "services/DebugManager.h"

#include "services/OptionsManager.h"

#include <fstream>
#include <locale>

DebugManager::DebugManager() : enabled(false), out(nullptr)
{
    enabled = OptionsManager::getInstance()->isDebug();
    if (enabled) {
        out = new std::ofstream("Debug.txt", std::ios::out | std::ios::trunc);
        out->imbue(std::locale::classic());
    }
}

DebugManager::~DebugManager()
{
    if (enabled && out != nullptr) {
        out->close();
        delete out;
        out = nullptr;
    }
}

bool DebugManager::isDebug()
{
    return enabled;
}

void DebugManager::beginLine(const std::string& classe, const std::string& methode, bool ok,
                             const std::string& message)
{
    *out << (ok ? "[OK]   \t" : "[ERROR]\t") << classe << " @ " << methode << " : " << message;
}

void DebugManager::o(std::string classe, std::string methode, bool ok)
{
    o(classe, methode, ok, std::string());
}

void DebugManager::o(std::string classe, std::string methode, bool ok, std::string message)
{
    if (!enabled)
        return;
    beginLine(classe, methode, ok, message);
    *out << std::endl;
}

void DebugManager::o(std::string classe, std::string methode, bool ok, std::string message, double number)
{
    if (!enabled)
        return;
    beginLine(classe, methode, ok, message);
    *out << ' ' << number << std::endl;
}

void DebugManager::o(std::string classe, std::string methode, bool ok, std::string message, std::string extra)
{
    if (!enabled)
        return;
    beginLine(classe, methode, ok, message);
    *out << ' ' << extra << std::endl;
}
