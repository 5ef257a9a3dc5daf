#include "records/GhostManager.h"

#include "platform/TextLine.h"
#include "records/RecordFiles.h"
#include "services/DataFileManager.h"
#include "services/DebugManager.h"

#include <locale>
#include <memory>
#include <sstream>

GhostManager* GhostManager::ghostManagerInst = nullptr;

GhostManager::GhostManager()
    : log(DebugManager::GetInstance())
    , dataFiles(DataFileManager::GetInstance())
{
}

GhostManager::~GhostManager()
{
}

GhostManager* GhostManager::getInstance()
{
    if (ghostManagerInst == nullptr)
        ghostManagerInst = new GhostManager();
    return ghostManagerInst;
}

bool GhostManager::isOfficial(const std::string& level)
{
    std::string::size_type dot = level.find('.');
    if (dot == std::string::npos)
        return true;
    log->o("GhostManager", "isOfficial", true, "Custom file detected", static_cast<double>(dot));
    return false;
}

std::fstream* GhostManager::getStream(const std::string& level, int mode)
{
    isOfficial(level);
    const std::string path = records::recordPath(level, ".kzg");
    if (path.empty()) {
        log->o("GhostManager", "getStream", false, "unsafe level name : ", level);
        return nullptr;
    }
    log->o("GhostManager", "getStream", true, "loading the file : ", path);
    return dataFiles->openFile(path, mode, true, true);
}

void GhostManager::readGhost(std::istream& in, Ghost& ghost)
{
    in.imbue(std::locale::classic());
    platform::skipByteOrderMark(in);
    std::string word;
    while (in >> word) {
        if (word == "POS") {
            long time;
            float x, y, z, rx, ry, rz;
            // A record cut short is dropped, and reading ends with it.
            if (!(in >> time >> x >> y >> z >> rx >> ry >> rz))
                return;
            ghost.addPosition(Position(time, x, y, z, rx, ry, rz));
        } else if (word == "INS") {
            long time;
            std::string instruction, parameter;
            if (!(in >> time >> instruction >> parameter))
                return;
            ghost.addInstruction(Instruction(time, instruction, parameter));
        }
        // Any other word is skipped.
    }
}

Ghost GhostManager::loadGhost(const std::string& level)
{
    log->o("GhostManager", "loadGhost", true, "Load the ghost for the level : ", level);
    Ghost ghost;
    std::unique_ptr<std::fstream> in(getStream(level, 0));
    if (!in || in->fail()) {
        log->o("GhostManager", "loadGhost", true, "No ghost file for the level : ", level);
        throw GhostManagerNoGhostForThisLevelException();
    }
    readGhost(*in, ghost);
    ghost.reset();
    in->close();
    return ghost;
}

std::string GhostManager::ghostText(const Ghost& ghost)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    for (const Position& p : ghost.getPositions()) {
        out << "POS\t" << p.getTime() << '\t' << static_cast<double>(p.getX()) << '\t'
            << static_cast<double>(p.getY()) << '\t' << static_cast<double>(p.getZ()) << '\t'
            << static_cast<double>(p.getRX()) << '\t' << static_cast<double>(p.getRY()) << '\t'
            << static_cast<double>(p.getRZ()) << '\n';
    }
    for (const Instruction& i : ghost.getInstructions())
        out << "INS\t" << i.getTime() << '\t' << i.getInstruction() << '\t' << i.getParameter() << '\n';
    return out.str();
}

void GhostManager::saveGhost(const std::string& level)
{
    const std::string path = records::recordPath(level, ".kzg");
    if (path.empty()) {
        log->o("GhostManager", "saveGhost", false, "unsafe level name, nothing written : ", level);
        return;
    }
    std::string error;
    if (!dataFiles->saveFile(path, ghostText(ghosts[level]), true, &error)) {
        log->o("GhostManager", "saveGhost", false, "The ghost could not be written : " + level, error);
        return;
    }
    log->o("GhostManager", "saveGhost", true, "The ghost has been written : ", level);
}

void GhostManager::addGhost(const std::string& level, double seconds, const Ghost& ghost)
{
    log->o("GhostManager", "addGhost", true, "Trying to add the ghost : ", seconds);
    addGhost(level, ghost);
}

void GhostManager::addGhost(const std::string& level, const Ghost& ghost)
{
    ghosts[level] = ghost;
    saveGhost(level);
}

void GhostManager::addGhost(const std::string& level)
{
    Ghost& entry = ghosts[level];
    try {
        entry = loadGhost(level);
    } catch (...) {
        // No file: the entry stays as it was.
    }
}

Ghost& GhostManager::getGhost(const std::string& level)
{
    std::map<std::string, Ghost>::iterator entry = ghosts.find(level);
    if (entry == ghosts.end()) {
        // The entry made here stays, so the file is looked for only once.
        entry = ghosts.emplace(level, Ghost()).first;
        try {
            entry->second = loadGhost(level);
        } catch (...) {
        }
    }
    if (!entry->second.isEmpty()) {
        log->o("GhostManager", "getGhost", true, "Ghost Found");
        return entry->second;
    }
    log->o("GhostManager", "getGhost", false, "GhostManagerNoGhostForThisLevelException : ");
    throw GhostManagerNoGhostForThisLevelException();
}

void GhostManager::erase()
{
    ghosts.clear();
}
