#pragma once

#include "services/CSingleton.h"

#include <iosfwd>
#include <string>

// The game's log, "Debug.txt" in the working directory. Written only when the
// debug setting is on when the log is made; otherwise every call does nothing.
// Each line: "[OK]   \t" or "[ERROR]\t", class, " @ ", method, " : ", message
// (then " " and a number or a text), flushed at once.
class DebugManager : public CSingleton<DebugManager> {
public:
    DebugManager();
    virtual ~DebugManager();

    virtual bool isDebug();

    void o(std::string classe, std::string methode, bool ok);
    void o(std::string classe, std::string methode, bool ok, std::string message);
    void o(std::string classe, std::string methode, bool ok, std::string message, double number);
    void o(std::string classe, std::string methode, bool ok, std::string message, std::string extra);

private:
    void beginLine(const std::string& classe, const std::string& methode, bool ok,
                   const std::string& message);

    bool enabled;
    std::ofstream* out;
};
