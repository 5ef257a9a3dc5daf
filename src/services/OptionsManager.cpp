#include "services/OptionsManager.h"

#include "platform/TextLine.h"
#include "services/DataFileManager.h"
#include "services/DebugManager.h"

#include <fstream>
#include <locale>
#include <sstream>

OptionsManager* OptionsManager::optionsManagerInst = nullptr;

namespace {

const char* const kOptionsFile = "Data/Options.dat";
const char* const kLangsFile = "Data/Lang/Langs.dat";

const int kDefaultLang = 0;
const int kDefaultColor1 = 0;
const int kDefaultColor2 = 3;
const int kDefaultResolution = 2;
const int kDefaultClipping = 100;
const int kDefaultTextures = 1;
const int kDefaultAntiAliasing = 0;
const int kDefaultAnisotrope = 0;
const int kDefaultVolume = 100;
const int kMaxVolume = 120;

bool isOneOf(int value, std::initializer_list<int> allowed)
{
    for (int a : allowed)
        if (value == a)
            return true;
    return false;
}

// Reads one integer; a value that cannot be read leaves target unchanged.
template <typename T>
bool readInt(std::istream& in, T& target)
{
    int value = 0;
    if (!(in >> value))
        return false;
    target = static_cast<T>(value);
    return true;
}

bool isColour(int c)
{
    return c >= 0 && c <= 4;
}

int wrapColor(int c)
{
    if (c < 0)
        c += 5;
    if (c > 4)
        c -= 5;
    return c;
}

int clampVolume(int v)
{
    if (v < 0)
        return 0;
    if (v > kMaxVolume)
        return kMaxVolume;
    return v;
}

} // namespace

const OptionsManager::Resolution OptionsManager::kResolutions[kNbResolutions] = {
    {640, 480, 0},   {800, 600, 0},   {1024, 768, 0},  {1280, 720, 2},  {1280, 800, 1},
    {1280, 960, 0},  {1280, 1024, 3}, {1366, 768, 2},  {1440, 900, 1},  {1600, 1200, 0},
    {1680, 1050, 1}, {1920, 1080, 2}, {1920, 1200, 1},
};

OptionsManager* OptionsManager::getInstance()
{
    if (optionsManagerInst == nullptr)
        optionsManagerInst = new OptionsManager();
    return optionsManagerInst;
}

void OptionsManager::kill()
{
    delete optionsManagerInst;
    optionsManagerInst = nullptr;
}

OptionsManager::OptionsManager()
{
    dataFiles = DataFileManager::GetInstance();

    for (int i = 0; i < kNbResolutions; ++i) {
        largeurs[i] = kResolutions[i].width;
        hauteurs[i] = kResolutions[i].height;
        scales[i] = kResolutions[i].aspectClass;
    }

    lang[0] = kDefaultLang;
    color1[0] = kDefaultColor1;
    color2[0] = kDefaultColor2;
    gameMessages[0] = true;
    debug = false;
    ghostEnabled[0] = true;
    resolution[0] = kDefaultResolution;
    clipping[0] = kDefaultClipping;
    textures[0] = kDefaultTextures;
    antiAliasing[0] = kDefaultAntiAliasing;
    anisotrope[0] = kDefaultAnisotrope;
    fullScreen[0] = false;
    musiquesVolume[0] = kDefaultVolume;
    sonsVolume[0] = kDefaultVolume;

    chargerLangs();
    chargerOptions();
    checkRanges();

    lang[1] = lang[0];
    color1[1] = color1[0];
    color2[1] = color2[0];
    gameMessages[1] = gameMessages[0];
    ghostEnabled[1] = ghostEnabled[0];
    resolution[1] = resolution[0];
    clipping[1] = clipping[0];
    textures[1] = textures[0];
    antiAliasing[1] = antiAliasing[0];
    anisotrope[1] = anisotrope[0];
    fullScreen[1] = fullScreen[0];
    musiquesVolume[1] = musiquesVolume[0];
    sonsVolume[1] = sonsVolume[0];

    nbJoueurs = 1;
}

OptionsManager::~OptionsManager() {}

void OptionsManager::chargerLangs()
{
    std::ifstream in(kLangsFile);
    if (!in.is_open())
        return;
    std::string line;
    while (platform::readTextLine(in, line)) {
        if (!line.empty() && line[0] == '#')
            continue;
        std::string::size_type tab = line.find('\t');
        if (tab == std::string::npos)
            continue;
        langs.push_back(line.substr(0, tab));
        langCodes.push_back(line.substr(tab + 1));
    }
}

void OptionsManager::chargerOptions()
{
    std::fstream* in = dataFiles->openFile(kOptionsFile, 0, true, false);
    if (in == nullptr)
        return;
    in->imbue(std::locale::classic());
    platform::skipByteOrderMark(*in);

    int version = 0;
    if (readInt(*in, version) && (version == 1 || version == 2)) {
        int width = -1;
        int height = -1;
        int full = 0, messages = 1, ghost = 1, debugValue = 0;
        bool haveWidth = readInt(*in, width);
        bool haveHeight = readInt(*in, height);
        if (readInt(*in, full))
            fullScreen[0] = full != 0;
        readInt(*in, antiAliasing[0]);
        readInt(*in, anisotrope[0]);
        readInt(*in, clipping[0]);
        readInt(*in, textures[0]);
        readInt(*in, lang[0]);
        if (readInt(*in, messages))
            gameMessages[0] = messages != 0;
        if (version == 2) {
            if (readInt(*in, ghost))
                ghostEnabled[0] = ghost != 0;
        } else {
            ghostEnabled[0] = true;
        }
        if (readInt(*in, debugValue))
            debug = debugValue != 0;
        // A colour that cannot be read is left out of range, so that it falls
        // back to its default like any other damaged colour.
        int colour1 = -1, colour2 = -1;
        readInt(*in, colour1);
        readInt(*in, colour2);
        color1[0] = colour1;
        color2[0] = colour2;
        readInt(*in, musiquesVolume[0]);
        readInt(*in, sonsVolume[0]);

        if (haveWidth && haveHeight)
            for (int i = 0; i < kNbResolutions; ++i)
                if (largeurs[i] == width && hauteurs[i] == height) {
                    resolution[0] = i;
                    break;
                }
    }
    in->close();
    delete in;
}

// Values that would index a table or list out of its bounds, or that the
// menus cannot step through, take their default.
void OptionsManager::checkRanges()
{
    if (langs.empty()) {
        langs.push_back("English");
        langCodes.push_back("en");
    }
    if (lang[0] < 0 || lang[0] >= static_cast<int>(langs.size()))
        lang[0] = kDefaultLang;
    checkColours();
    if (!isOneOf(antiAliasing[0], {0, 2, 4, 8, 16}))
        antiAliasing[0] = kDefaultAntiAliasing;
    if (!isOneOf(anisotrope[0], {0, 8, 16}))
        anisotrope[0] = kDefaultAnisotrope;
    if (!isOneOf(clipping[0], {10, 20, 40, 100}))
        clipping[0] = kDefaultClipping;
    if (textures[0] != 0 && textures[0] != 1)
        textures[0] = kDefaultTextures;
    if (musiquesVolume[0] < 0 || musiquesVolume[0] > kMaxVolume)
        musiquesVolume[0] = kDefaultVolume;
    if (sonsVolume[0] < 0 || sonsVolume[0] > kMaxVolume)
        sonsVolume[0] = kDefaultVolume;
}

// A damaged colour takes its default; when that is the other player's
// colour, it is stepped on as the options screen steps it, so that the two
// players never look alike. Two stored colours alike (a file the game never
// writes) step player 2's.
void OptionsManager::checkColours()
{
    const bool ownColour1 = isColour(color1[0]);
    const bool ownColour2 = isColour(color2[0]);
    if (!ownColour1)
        color1[0] = kDefaultColor1;
    if (!ownColour2)
        color2[0] = kDefaultColor2;
    if (color1[0] != color2[0])
        return;
    if (!ownColour1)
        color1[0] = wrapColor(color1[0] + 1);
    else
        color2[0] = wrapColor(color2[0] + 1);
}

std::string OptionsManager::texteOptions()
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << 2 << '\n'
        << largeurs[resolution[1]] << '\n'
        << hauteurs[resolution[1]] << '\n'
        << (fullScreen[1] ? 1 : 0) << '\n'
        << antiAliasing[1] << '\n'
        << anisotrope[1] << '\n'
        << clipping[1] << '\n'
        << textures[1] << '\n'
        << lang[1] << '\n'
        << (gameMessages[1] ? 1 : 0) << '\n'
        << (ghostEnabled[1] ? 1 : 0) << '\n'
        << (debug ? 1 : 0) << '\n'
        << color1[1] << '\n'
        << color2[1] << '\n'
        << musiquesVolume[1] << '\n'
        << sonsVolume[1] << '\n';
    return out.str();
}

bool OptionsManager::sauverOptions()
{
    std::string error;
    bool written = dataFiles->saveFile(kOptionsFile, texteOptions(), true, &error);
    if (!written)
        DebugManager::GetInstance()->o("OptionsManager", "sauverOptions", false,
                                       "Cannot write " + std::string(kOptionsFile) + " : ", error);

    lang[0] = lang[1];
    gameMessages[0] = gameMessages[1];
    ghostEnabled[0] = ghostEnabled[1];
    color1[0] = color1[1];
    color2[0] = color2[1];
    musiquesVolume[0] = musiquesVolume[1];
    sonsVolume[0] = sonsVolume[1];
    return written;
}

int OptionsManager::getLargeur(int i) { return largeurs[resolution[i]]; }
int OptionsManager::getHauteur(int i) { return hauteurs[resolution[i]]; }
double OptionsManager::getRatio(int i) { return static_cast<double>(getLargeur(i)) / getHauteur(i); }
int OptionsManager::getScale(int i) { return scales[resolution[i]]; }

int OptionsManager::getClipping(int i) { return clipping[i]; }
int OptionsManager::getTextures(int i) { return textures[i]; }
int OptionsManager::getAntiAliasing(int i) { return antiAliasing[i]; }
int OptionsManager::getAnisotrope(int i) { return anisotrope[i]; }
bool OptionsManager::isFullScreen(int i) { return fullScreen[i]; }
bool OptionsManager::isGameMessages(int i) { return gameMessages[i]; }
bool OptionsManager::isGhostEnabled(int i) { return ghostEnabled[i]; }
int OptionsManager::getColor(int player, int i) { return (player % 2 == 0) ? color1[i] : color2[i]; }
int OptionsManager::getMusiquesVolume(int i) { return musiquesVolume[i]; }
int OptionsManager::getSonsVolume(int i) { return sonsVolume[i]; }
bool OptionsManager::isMusiquesOn(int i) { return musiquesVolume[i] > 0; }
bool OptionsManager::isSonsOn(int i) { return sonsVolume[i] > 0; }
int OptionsManager::getResolution(int i) { return resolution[i]; }
int OptionsManager::getLangIndex(int i) { return lang[i]; }

bool OptionsManager::isDebug() { return debug; }
int OptionsManager::getNbJoueurs() { return nbJoueurs; }
void OptionsManager::setNbJoueurs(int n) { nbJoueurs = n; }

std::string OptionsManager::getLang(int i) { return langs[lang[i]]; }
std::string OptionsManager::getLangCode(int i) { return langCodes[lang[i]]; }
int OptionsManager::getNbLangs() { return static_cast<int>(langs.size()); }
std::string OptionsManager::getPathTextures(int i) { return textures[i] != 0 ? "High" : "Low"; }

void OptionsManager::setDefaultResolution()
{
    resolution[0] = 1;
    resolution[1] = 1;
}

void OptionsManager::moveLang(int d)
{
    int n = static_cast<int>(langs.size());
    lang[1] += d;
    if (lang[1] >= n)
        lang[1] = 0;
    if (lang[1] < 0)
        lang[1] = n - 1;
}

void OptionsManager::moveColor(int player, int d)
{
    int p = ((player % 2) + 2) % 2;
    int* mine = p == 0 ? color1 : color2;
    int* other = p == 0 ? color2 : color1;
    mine[1] = wrapColor(mine[1] + d);
    if (mine[1] == other[1])
        mine[1] = wrapColor(mine[1] + d);
}

void OptionsManager::moveGameMessages() { gameMessages[1] = !gameMessages[1]; }
void OptionsManager::moveGhostEnabled() { ghostEnabled[1] = !ghostEnabled[1]; }
void OptionsManager::moveFullScreen() { fullScreen[1] = !fullScreen[1]; }
void OptionsManager::moveTextures(int) { textures[1] = 1 - textures[1]; }

void OptionsManager::moveResolution(int d)
{
    resolution[1] += d;
    if (resolution[1] >= kNbResolutions)
        resolution[1] = 0;
    if (resolution[1] < 0)
        resolution[1] = kNbResolutions - 1;
}

void OptionsManager::moveClipping(int d)
{
    int& c = clipping[1];
    if (d > 0) {
        switch (c) {
        case 10: c = 20; break;
        case 20: c = 40; break;
        case 40: c = 100; break;
        case 100: c = 10; break;
        default: c = 10; break;
        }
    } else {
        switch (c) {
        case 100: c = 40; break;
        case 40: c = 20; break;
        case 20: c = 10; break;
        case 10: c = 100; break;
        default: c = 10; break;
        }
    }
}

void OptionsManager::moveAntiAliasing(int d)
{
    int& a = antiAliasing[1];
    if (d > 0) {
        a = (a == 0) ? 2 : a * 2;
        if (a > 16)
            a = 0;
    } else {
        if (a == 2)
            a = 0;
        else if (a == 0)
            a = 16;
        else if (a >= 3)
            a /= 2;
    }
}

void OptionsManager::moveAnisotrope(int d)
{
    int& a = anisotrope[1];
    if (d > 0) {
        switch (a) {
        case 0: a = 8; break;
        case 8: a = 16; break;
        case 16: a = 0; break;
        default: a = 0; break;
        }
    } else {
        switch (a) {
        case 0: a = 16; break;
        case 16: a = 8; break;
        case 8: a = 0; break;
        default: a = 0; break;
        }
    }
}

void OptionsManager::moveMusiques(int d) { musiquesVolume[1] = clampVolume(musiquesVolume[1] + 5 * d); }
void OptionsManager::moveSons(int d) { sonsVolume[1] = clampVolume(sonsVolume[1] + 5 * d); }
