#include "world/NiveauManager.h"

#include "platform/LevelName.h"
#include "records/GhostManager.h"
#include "services/CTextureManager.h"
#include "services/DataFileManager.h"
#include "services/DebugManager.h"
#include "services/LangManager.h"
#include "services/LightManager.h"
#include "services/OptionsManager.h"
#include "services/SonsManager.h"
#include "world/Bloc.h"
#include "world/BlocCassable.h"
#include "world/BlocDisposable.h"
#include "world/BlocMobile.h"
#include "world/BlocTimer.h"
#include "world/FichierNiveau.h"

#include <GL/gl.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>

NiveauManager* NiveauManager::niveauManager = nullptr;

namespace {

const char* const kClass = "NiveauManager";

// Height of every block's top face.
const float kBlockHeight = -0.6f;

// The cell index of a coordinate: (int)(v + 0.5), truncated toward zero.
// Coordinates too far out for an int give an index outside any grid.
int cellOf(float v)
{
    const double shifted = static_cast<double>(v) + 0.5;
    if (!(shifted > -1.0e9 && shifted < 1.0e9))
        return -1;
    return static_cast<int>(shifted);
}

// Official names are made by the game or listed by its menus; still, a name
// only becomes a path when it is one plain file name.
bool isSafeOfficialName(const std::string& name)
{
    return platform::isPlainFileName(name) && name.find("..") == std::string::npos;
}

// At most count bytes of text, never cutting a UTF-8 sequence in two.
std::string utf8Prefix(const std::string& text, std::size_t count)
{
    if (count >= text.size())
        return text;
    while (count > 0 && (static_cast<unsigned char>(text[count]) & 0xC0) == 0x80)
        --count;
    return text.substr(0, count);
}

// The whole content of an open file, read in one piece when its size is
// known (a level file may hold millions of cells).
std::string readWhole(std::fstream& in)
{
    std::string text;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size > 0 && in.good()) {
        text.resize(static_cast<std::size_t>(size));
        in.read(&text[0], size);
        text.resize(static_cast<std::size_t>(in.gcount()));
        if (!in.bad())
            in.clear();
        return text;
    }
    in.clear();
    in.seekg(0, std::ios::beg);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return text;
}

BlocMobile* asMobile(Bloc* b)
{
    return static_cast<BlocMobile*>(b);
}

} // namespace

NiveauManager::NiveauManager()
    : textures(CSingleton<CTextureManager>::GetInstance()), light(nullptr),
      log(CSingleton<DebugManager>::GetInstance()), options(OptionsManager::getInstance()),
      sounds(SonsManager::getInstance()), dataFiles(CSingleton<DataFileManager>::GetInstance()),
      ghosts(nullptr), md5(), levelIndex(1), difficulty(1), mode(0), grid(nullptr), rows(0), cols(0),
      levelTime(0), lightColor{1.0f, 1.0f, 1.0f}, backgroundName("blueSky"), backgroundTexture(0),
      playerPositions{0, 0, 0, 0, 0, 0}, noMoreLevel(false), ghost(), ghostLoaded(false), listCount(0),
      backgroundListMade(false)
{
    if (LightManager::light == nullptr)
        LightManager::light = new LightManager();
    light = LightManager::light;
    if (GhostManager::ghostManagerInst == nullptr)
        GhostManager::ghostManagerInst = new GhostManager();
    ghosts = GhostManager::ghostManagerInst;
}

NiveauManager::~NiveauManager()
{
    freeLevel();
    if (niveauManager == this)
        niveauManager = nullptr;
}

NiveauManager* NiveauManager::getInstance()
{
    if (niveauManager == nullptr)
        niveauManager = new NiveauManager();
    return niveauManager;
}

void NiveauManager::kill()
{
    if (niveauManager == nullptr)
        return;
    NiveauManager* instance = niveauManager;
    niveauManager = nullptr;
    delete instance;
}

// ---------------------------------------------------------------------------
// Choosing and loading levels

void NiveauManager::chargerNiveau()
{
    if (noMoreLevel) {
        log->o(kClass, "chargerNiveau", true, "No new level to load.");
        return;
    }
    if (mode == 0) {
        const std::string name = "Level_" + std::to_string(difficulty) + "-" + std::to_string(levelIndex);
        log->o(kClass, "chargerNiveau - Loading the official level", true, name);
        chargerNiveau(name);
        return;
    }
    if (levelIndex < 1 || static_cast<std::size_t>(levelIndex) > levelNames.size()) {
        // Past the end of the list (or an empty list): nothing to play.
        log->o(kClass, "chargerNiveau", false, "No level at this index in the list", levelIndex);
        noMoreLevel = true;
        return;
    }
    const std::string name = levelNames[static_cast<std::size_t>(levelIndex) - 1];
    log->o(kClass, "chargerNiveau - Loading the custom level", true, name);
    chargerNiveau(name);
    if (mode == 1 || mode == 2) {
        try {
            ghost = ghosts->getGhost(fileName);
            ghost.reset();
            ghostLoaded = true;
            log->o(kClass, "chargerNiveau - Ghost loaded for", true, fileName);
        } catch (...) {
            ghostLoaded = false;
            log->o(kClass, "chargerNiveau - No Ghost for", true, fileName);
        }
    }
}

void NiveauManager::chargerNiveau(std::string name)
{
    const bool custom = (mode == 2 || mode == 4);
    const std::string folder = custom ? "Levels/Custom/" : "Levels/Official/";
    log->o(kClass, "chargerNiveau", true, custom ? "Custom level detected" : "Official level detected");

    renommeNiveau(name);

    // No path is built from a name that could leave the level folder.
    const bool nameOk = custom ? platform::isValidLevelName(name) : isSafeOfficialName(name);
    log->o(kClass, "chargerNiveau", true, "Try to load a level");
    std::fstream* stream = nullptr;
    if (nameOk)
        stream = dataFiles->openFile(folder + name + ".kzl", 0, custom, false);
    else
        log->o(kClass, "chargerNiveau", false, "Unusable level name :", name);
    if (stream == nullptr || !stream->good()) {
        delete stream;
        log->o(kClass, "chargerNiveau", false, "The file does not exists");
        noMoreLevel = true;
        return;
    }
    log->o(kClass, "chargerNiveau", true, "The file exists");

    const std::string text = readWhole(*stream);
    const bool readOk = !stream->bad();
    stream->close();
    delete stream;

    FichierNiveau level;
    std::string why;
    if (!readOk || !FichierNiveau::lire(text, level, &why)) {
        // A garbled file is refused as a missing one is.
        log->o(kClass, "chargerNiveau", false, "The level file is refused :", readOk ? why : "read error");
        log->o(kClass, "chargerNiveau", false, "The file does not exists");
        noMoreLevel = true;
        return;
    }
    log->o(kClass, "chargerNiveau", true,
           level.generation == 2 ? "The level is a KZ2 File" : "The level is a KZ1 File");
    construireNiveau(level);
}

unsigned int NiveauManager::loadBackground()
{
    // A name that could reach outside the backgrounds folder never becomes a
    // path: the level is played over the missing-image texture instead.
    if (!FichierNiveau::isUsableBackgroundName(backgroundName)) {
        log->o(kClass, "chargerNiveau", false, "Unusable background name :", backgroundName);
        return textures->GetTexture("default");
    }
    const int scale = options->getScale(0);
    const std::string path = "Images/Backgrounds/" + options->getPathTextures(0) +
                             ((scale == 1 || scale == 2) ? "/Ratio-16-10/" : "/Ratio-4-3/") + backgroundName + ".png";
    return textures->LoadPNG(path, 0);
}

void NiveauManager::construireNiveau(const FichierNiveau& level)
{
    // A level still standing would leak its blocks and lists.
    if (grid != nullptr || !mobileBlocks.empty() || listCount > 0 || backgroundListMade)
        freeLevel();

    levelTime = level.levelTime;
    lightColor[0] = level.lightColor[0];
    lightColor[1] = level.lightColor[1];
    lightColor[2] = level.lightColor[2];
    backgroundName = level.backgroundName;

    light->setDifuse(lightColor[0], lightColor[1], lightColor[2]);

    backgroundTexture = loadBackground();
    glNewList(backgroundList, GL_COMPILE);
    glDisable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, backgroundTexture);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 1); glVertex3f(0, 0, 0);
    glTexCoord2f(0, 0); glVertex3f(0, 1, 0);
    glTexCoord2f(1, 0); glVertex3f(1, 1, 0);
    glTexCoord2f(1, 1); glVertex3f(1, 0, 0);
    glEnd();
    glEnable(GL_BLEND);
    glEndList();
    backgroundListMade = true;

    rows = level.rows + 1;
    cols = level.cols + 1;
    grid = new Bloc**[rows];
    for (int r = 0; r < rows; r++)
        grid[r] = new Bloc*[cols](); // all cells empty

    const int fileCols = level.cols;
    const std::size_t count = level.cells.size();
    for (std::size_t k = 0; k < count; k++) {
        const int r = static_cast<int>(k / static_cast<std::size_t>(fileCols)) + 1;
        const int c = static_cast<int>(k % static_cast<std::size_t>(fileCols)) + 1;
        const int n = firstBlockList + static_cast<int>(k);
        const float bx = static_cast<float>(c);
        const float bz = static_cast<float>(r);
        const int type = level.cells[k];
        Bloc* block = nullptr;
        switch (type) {
        case 0:
            break;
        case 20:
            block = new BlocCassable(bx, kBlockHeight, bz, n, type);
            break;
        case 21: block = new BlocTimer(bx, kBlockHeight, bz, n, 2000, 2000, type, true); break;
        case 22: block = new BlocTimer(bx, kBlockHeight, bz, n, 4000, 2000, type, true); break;
        case 23: block = new BlocTimer(bx, kBlockHeight, bz, n, 2000, 4000, type, true); break;
        case 24: block = new BlocTimer(bx, kBlockHeight, bz, n, 2000, 2000, type, false); break;
        case 25: block = new BlocTimer(bx, kBlockHeight, bz, n, 4000, 2000, type, false); break;
        case 26: block = new BlocTimer(bx, kBlockHeight, bz, n, 2000, 4000, type, false); break;
        case 27:
        case 28:
            block = new BlocDisposable(bx, kBlockHeight, bz, n, type);
            break;
        default:
            if (BlocMobile::isMobileType(type))
                mobileBlocks.push_back(new BlocMobile(bx, kBlockHeight, bz, n, type));
            else
                block = new Bloc(bx, kBlockHeight, bz, n, type);
            break;
        }
        grid[r][c] = block;
    }
    listCount = static_cast<int>(count);

    const std::string h = md5.getHashFromString(level.digestText);
    if (levelIndex >= 1 && hashes.size() >= static_cast<std::size_t>(levelIndex)) {
        // Loaded before in this game (a restart).
        if (difficulty == -1) {
            hashes.clear();
            hashes.push_back(h);
        }
    } else {
        hashes.push_back(h);
    }
}

void NiveauManager::freeLevel()
{
    if (grid != nullptr) {
        for (int r = 0; r < rows; r++) {
            for (int c = 0; c < cols; c++)
                delete grid[r][c];
            delete[] grid[r];
        }
        delete[] grid;
        grid = nullptr;
    }
    for (Bloc* b : mobileBlocks)
        delete b;
    mobileBlocks.clear();
    // Exactly the lists this level made: the background and one per cell read.
    if (backgroundListMade)
        glDeleteLists(backgroundList, 1);
    if (listCount > 0)
        glDeleteLists(firstBlockList, listCount);
    backgroundListMade = false;
    listCount = 0;
    rows = 0;
    cols = 0;
}

void NiveauManager::detruireNiveau()
{
    log->o(kClass, "detruireNiveau", true, "Destruct the level");
    freeLevel();
}

void NiveauManager::renommeNiveau(std::string name)
{
    fileName = name;
    if (mode != 2 && mode != 4) {
        title = name;
        return;
    }
    const std::size_t dot = name.find('.');
    if (dot == std::string::npos || dot == 0) {
        title = name;
    } else {
        const std::string t = name.substr(0, dot);
        const std::string a = name.substr(dot + 1);
        int w = 20 - static_cast<int>(a.size());
        if (w <= 0)
            w = 4;
        const std::string& by = LangManager::getInstance()->get("by");
        if (static_cast<int>(t.size()) > w)
            title = utf8Prefix(t, static_cast<std::size_t>(w - 3)) + "... " + by + " " + a;
        else
            title = t + " " + by + " " + a;
    }
    for (char& ch : title)
        if (ch == '_')
            ch = ' ';
}

Bloc* NiveauManager::getBloc(float x, float z)
{
    const int row = cellOf(z);
    const int column = cellOf(x);
    if (!inGrid(row, column))
        return nullptr;
    return grid[row][column];
}

Ghost* NiveauManager::getGhost() { return &ghost; }

bool NiveauManager::hasGhost() { return ghostLoaded; }

void NiveauManager::setPlayerPositions(const double* six)
{
    for (int i = 0; i < 6; i++)
        playerPositions[i] = six[i];
}

// ---------------------------------------------------------------------------
// Play: queries, refresh and the moving blocks

bool NiveauManager::inGrid(int row, int column) const
{
    return grid != nullptr && row >= 0 && row < rows && column >= 0 && column < cols;
}

bool NiveauManager::isWall(int row, int column) const
{
    if (!inGrid(row, column) || grid[row][column] == nullptr)
        return false;
    Bloc* b = grid[row][column];
    const int type = b->getType();
    return b->isSolid() || (type >= 20 && type <= 26);
}

bool NiveauManager::collision(float x, float z, bool withMobile, bool timedToo)
{
    const int row = cellOf(z);
    const int column = cellOf(x);
    if (inGrid(row, column) && grid[row][column] != nullptr) {
        Bloc* b = grid[row][column];
        const int type = b->getType();
        if (b->isSolid() || (timedToo && type >= 20 && type <= 26))
            return true;
    }
    return withMobile && getMobileBloc(x, z) != nullptr;
}

void NiveauManager::utiliser(float x, float z)
{
    log->o(kClass, "utiliser", true, "A bloc has been used");
    const int row = cellOf(z);
    const int column = cellOf(x);
    if (inGrid(row, column) && grid[row][column] != nullptr)
        grid[row][column]->utiliser();
}

Bloc* NiveauManager::getMobileBloc(float x, float z)
{
    for (Bloc* b : mobileBlocks) {
        const float bx = b->getX();
        const float bz = b->getZ();
        if (bx - 0.5f < x && x < bx + 0.5f && bz - 0.5f < z && z < bz + 0.5f)
            return b;
    }
    return nullptr;
}

void NiveauManager::refreshFixedBlocs(long dt)
{
    sounds->demarrerCalculDistanceSon(sounds->switchSound);
    if (grid != nullptr)
        for (int r = 0; r < rows; r++)
            for (int c = 0; c < cols; c++)
                if (grid[r][c] != nullptr)
                    grid[r][c]->refresh(dt, playerPositions);
    sounds->joueurCalculDistanceSon();
}

void NiveauManager::refreshMobileBlocs(long dt)
{
    for (Bloc* b : mobileBlocks)
        b->refresh(dt, playerPositions);
}

void NiveauManager::collisionMobileBlocs(long)
{
    for (Bloc* pa : mobileBlocks) {
        for (Bloc* pb : mobileBlocks) {
            BlocMobile* a = asMobile(pa);
            BlocMobile* b = asMobile(pb);
            if (a->x == b->x && a->z == b->z)
                continue;
            const float dx = a->x - b->x;
            const float dz = a->z - b->z;
            if (!(dx > -1 && dx < 1 && dz > -1 && dz < 1))
                continue;

            // Push apart on their common axis, or undo the move when the axes cross.
            if (a->speedX != 0 && b->speedX != 0) {
                const float push = (1 - std::fabs(dx)) / 1.9f;
                if (b->x > a->x) {
                    a->x -= push;
                    b->x += push;
                } else {
                    a->x += push;
                    b->x -= push;
                }
            } else if (a->speedZ != 0 && b->speedZ != 0) {
                const float push = (1 - std::fabs(dz)) / 1.9f;
                if (b->z > a->z) {
                    a->z -= push;
                    b->z += push;
                } else {
                    a->z += push;
                    b->z -= push;
                }
            } else {
                a->replace();
                b->replace();
            }

            // Going the same way, the one catching up turns back; otherwise both do.
            const bool sameWay = (a->speedX > 0 && b->speedX > 0) || (a->speedX < 0 && b->speedX < 0) ||
                                 (a->speedZ > 0 && b->speedZ > 0) || (a->speedZ < 0 && b->speedZ < 0);
            if (!sameWay) {
                a->invert();
                b->invert();
            } else if (a->speedX > b->speedX) {
                a->invert();
            } else if (a->speedZ > b->speedZ) {
                a->invert();
            } else if (b->speedX > a->speedX) {
                b->invert();
            } else if (b->speedZ > a->speedZ) {
                b->invert();
            } else {
                a->invert();
                b->invert();
            }
        }
    }
}

void NiveauManager::collisionFixedBlocs(long)
{
    for (Bloc* pb : mobileBlocks) {
        BlocMobile* b = asMobile(pb);
        if (b->speedX != 0) {
            bool turn;
            if (b->speedX < 0)
                turn = b->x < 1 || isWall(cellOf(b->z), cellOf(b->x - 0.5f));
            else
                turn = b->x + 1 > cols || isWall(cellOf(b->z), cellOf(b->x + 0.5f));
            if (turn) {
                b->invertX();
                b->x = static_cast<float>(cellOf(b->x));
            }
        } else {
            bool turn;
            if (b->speedZ < 0)
                turn = b->z < 1 || isWall(cellOf(b->z - 0.5f), cellOf(b->x));
            else
                turn = b->z + 1 > rows || isWall(cellOf(b->z + 0.5f), cellOf(b->x));
            if (turn) {
                b->invertZ();
                b->z = static_cast<float>(cellOf(b->z));
            }
        }
    }
}
