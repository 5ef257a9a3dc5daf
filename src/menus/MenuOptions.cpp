#include "menus/MenuOptions.h"

#include "menus/OverlayState.h"

#include "services/CTextureManager.h"
#include "services/ClavierManager.h"
#include "services/ColorManager.h"
#include "services/LangManager.h"
#include "services/OptionsManager.h"
#include "services/TextFromFontManager.h"

#include <SDL/SDL.h>
#include <GL/gl.h>

namespace {

const int kPageRows[] = { 0, 5, 6, 2, 9 };

// Colours are numbered from 0 in the settings and from 1 in the texts.
std::string colorKey(int color)
{
    return "color_" + std::to_string(color + 1);
}

std::string onOff(LangManager* lang, bool on)
{
    return lang->get(on ? "on" : "off");
}

} // namespace

MenuOptions::MenuOptions()
    : Menu(0, 0, 1, 1), lang(LangManager::getInstance()), pageOpen(0), row(0), capturing(false)
{
    nom = "MenuOptions";
    title = " - " + lang->get("options");
    itemCount = 5;
    labels = { lang->get("game"), lang->get("video"), lang->get("audio"), lang->get("keyboard"),
               lang->get("previous") };
    repeatTimer = 0;
    background = CSingleton<CTextureManager>::GetInstance()->LoadPNG(backgroundPath("menuKZ2.png"), 0);
}

MenuOptions::~MenuOptions()
{
}

int MenuOptions::rowCount(int page)
{
    return (page >= GAME && page <= KEYBOARD) ? kPageRows[page] : 0;
}

int MenuOptions::keyboardRowPlayer(int r)
{
    return r <= 5 ? 0 : 1;
}

int MenuOptions::keyboardRowAction(int r)
{
    static const int actions[] = { ClavierManager::UP,    ClavierManager::DOWN,
                                   ClavierManager::LEFT,  ClavierManager::RIGHT,
                                   ClavierManager::RESTART };
    return r <= 5 ? actions[r - 1] : actions[r - 6];
}

bool MenuOptions::anyDirectionPressed() const
{
    return isPressed(ClavierManager::UP) || isPressed(ClavierManager::DOWN) ||
           isPressed(ClavierManager::LEFT) || isPressed(ClavierManager::RIGHT);
}

void MenuOptions::reset()
{
    code = 0;
    selection = 1;
}

void MenuOptions::save()
{
    options->sauverOptions();
    clavier->sauver();
}

void MenuOptions::refresh(long dt)
{
    if (pageOpen == 0)
        refreshItemRow(dt);
    else
        refreshPage(dt);
}

void MenuOptions::refreshItemRow(long dt)
{
    if (repeatTimer < 200) {
        repeatTimer += dt;
        if (!anyDirectionPressed())
            repeatTimer = 200;
    } else if (isPressed(ClavierManager::LEFT)) {
        if (--selection < 1)
            selection = itemCount;
        repeatTimer = 0;
        playMove();
    } else if (isPressed(ClavierManager::RIGHT)) {
        if (++selection > itemCount)
            selection = 1;
        repeatTimer = 0;
        playMove();
    }

    if (isPressed(ClavierManager::VALIDATE)) {
        clavier->initTocuhes();
        if (selection == PREVIOUS) {
            code = 5;
        } else {
            pageOpen = 1;
            row = 1;
        }
        save();
        playValidate();
    }
    if (isPressed(ClavierManager::BACK)) {
        clavier->initTocuhes();
        code = itemCount;
        save();
        playValidate();
    }
}

void MenuOptions::refreshPage(long dt)
{
    int s = 0;
    if (repeatTimer < 200) {
        repeatTimer += dt;
        if (!anyDirectionPressed())
            repeatTimer = 200;
    } else if (capturing) {
        if (clavier->lastKey != 0)
            captureKey();
    } else {
        bool acted = true;
        if (isPressed(ClavierManager::UP)) {
            --row;
            repeatTimer = 0;
        } else if (isPressed(ClavierManager::DOWN)) {
            ++row;
            repeatTimer = 0;
        } else if (isPressed(ClavierManager::LEFT)) {
            s = -1;
        } else if (isPressed(ClavierManager::RIGHT) || isPressed(ClavierManager::VALIDATE)) {
            s = 1;
        } else {
            acted = false;
        }
        if (s != 0) {
            // A step acts once per press, not as a repeat.
            repeatTimer = 0;
            clavier->initTocuhes();
        }
        if (acted)
            playMove();
    }

    if (s != 0)
        stepRow(s);
    const int last = rowCount(selection);
    if (row < 1)
        row = last;
    else if (row > last)
        row = 1;

    if (isPressed(ClavierManager::BACK)) {
        clavier->initTocuhes();
        if (capturing) {
            capturing = false;
        } else {
            row = 0;
            pageOpen = 0;
        }
        playValidate();
    }
}

void MenuOptions::stepRow(int s)
{
    switch (selection) {
    case GAME:
        switch (row) {
        case 1: options->moveLang(s); break;
        case 2: options->moveGameMessages(); break;
        case 3: options->moveGhostEnabled(); break;
        case 4: options->moveColor(0, s); break;
        case 5: options->moveColor(1, s); break;
        }
        break;
    case VIDEO:
        switch (row) {
        case 1: options->moveResolution(s); break;
        case 2: options->moveFullScreen(); break;
        case 3: options->moveAntiAliasing(s); break;
        case 4: options->moveAnisotrope(s); break;
        case 5: options->moveClipping(s); break;
        case 6: options->moveTextures(s); break;
        }
        break;
    case AUDIO:
        if (row == 1)
            options->moveMusiques(s);
        else if (row == 2)
            options->moveSons(s);
        break;
    case KEYBOARD:
        capturing = true;
        break;
    }
}

void MenuOptions::captureKey()
{
    const int k = clavier->lastKey;
    // Only a key the key-binding file can keep may be bound.
    bool free = k >= 1 && k < SDLK_LAST;
    for (int a = 0; a < ClavierManager::kNbActions && free; ++a)
        for (int p = 0; p < 2; ++p)
            if (clavier->pendingKey[a][p] == k)
                free = false;
    if (free) {
        clavier->pendingKey[keyboardRowAction(row)][keyboardRowPlayer(row)] = k;
        playValidate();
    } else {
        playRefused();
    }
    clavier->initTocuhes();
    capturing = false;
}

std::string MenuOptions::rowLabel(int page, int r)
{
    static const char* const game[] = { "language", "gameMessages", "ghostEnabled", "playerOneColor",
                                        "playerTwoColor" };
    static const char* const video[] = { "resolution",  "fullScreen", "antiAliasing",
                                         "anisotropic", "clipping",   "texturingQuality" };
    switch (page) {
    case GAME:
        return (r >= 1 && r <= 5) ? lang->get(game[r - 1]) : std::string();
    case VIDEO:
        return (r >= 1 && r <= 6) ? lang->get(video[r - 1]) : std::string();
    case AUDIO:
        return r == 1 ? lang->get("musics") : r == 2 ? lang->get("soundEffects") : std::string();
    case KEYBOARD: {
        static const char* const actions[] = { "up", "down", "left", "right", "restart" };
        if (r < 1 || r > 9)
            return std::string();
        return lang->get(actions[r <= 5 ? r - 1 : r - 6]);
    }
    }
    return std::string();
}

std::string MenuOptions::rowValue(int page, int r)
{
    std::string v;
    switch (page) {
    case GAME:
        switch (r) {
        case 1: v = options->getLang(1); break;
        case 2: v = onOff(lang, options->isGameMessages(1)); break;
        case 3: v = onOff(lang, options->isGhostEnabled(1)); break;
        case 4: v = lang->get(colorKey(options->getColor(0, 1))); break;
        case 5: v = lang->get(colorKey(options->getColor(1, 1))); break;
        default: return std::string();
        }
        break;
    case VIDEO:
        switch (r) {
        case 1:
            v = std::to_string(options->getLargeur(1)) + " x " + std::to_string(options->getHauteur(1));
            break;
        case 2: v = onOff(lang, options->isFullScreen(1)); break;
        case 3: v = std::to_string(options->getAntiAliasing(1)) + " x"; break;
        case 4:
            switch (options->getAnisotrope(1)) {
            case 0: v = lang->get("none"); break;
            case 8: v = lang->get("medium"); break;
            case 16: v = lang->get("high"); break;
            default: v = "?"; break;
            }
            break;
        case 5:
            switch (options->getClipping(1)) {
            case 10: v = lang->get("closest"); break;
            case 20: v = lang->get("close"); break;
            case 40: v = lang->get("far"); break;
            case 100: v = lang->get("farthest"); break;
            default: v = "?"; break;
            }
            break;
        case 6:
            switch (options->getTextures(1)) {
            case 0: v = lang->get("textureLow"); break;
            case 1: v = lang->get("textureHigh"); break;
            default: v = "?"; break;
            }
            break;
        default: return std::string();
        }
        break;
    case AUDIO:
        if (r == 1)
            v = std::to_string(options->getMusiquesVolume(1)) + "%";
        else if (r == 2)
            v = std::to_string(options->getSonsVolume(1)) + "%";
        else
            return std::string();
        break;
    case KEYBOARD: {
        if (r < 1 || r > 9)
            return std::string();
        const int k = clavier->pendingKey[keyboardRowAction(r)][keyboardRowPlayer(r)];
        v = SDL_GetKeyName(static_cast<SDLKey>(k));
        break;
    }
    default:
        return std::string();
    }
    return ": " + v;
}

void MenuOptions::drawText(const std::string& t, double x, double y, double sx, double sy,
                           double* color)
{
    text->draw(t, ColorManager::white70, x, y, sx, sy, 0.012, 1, 5);
    text->draw(t, color, x, y, sx, sy, 0.012, 1, 0);
}

void MenuOptions::drawRow(const std::string& label, const std::string& value, int rowNumber)
{
    double* color = (pageOpen != 0 && row == rowNumber) ? ColorManager::lightBlue : ColorManager::black;
    const double y = 0.87 - 0.05 * rowNumber;
    drawText(label, 0.06, y, 0.4, 0.4, color);
    drawText(value, 0.65 / options->getRatio(0), y, 0.4, 0.4, color);
}

void MenuOptions::drawOptionsJeu()
{
    for (int r = 1; r <= rowCount(GAME); ++r)
        drawRow(rowLabel(GAME, r), rowValue(GAME, r), r);
}

void MenuOptions::drawOptionsVideo()
{
    for (int r = 1; r <= rowCount(VIDEO); ++r)
        drawRow(rowLabel(VIDEO, r), rowValue(VIDEO, r), r);
    drawText(lang->get("graphChanges1"), 0.06, 0.47, 0.35, 0.4, ColorManager::black);
    drawText(lang->get("graphChanges2"), 0.06, 0.42, 0.35, 0.4, ColorManager::black);
}

void MenuOptions::drawOptionsAudio()
{
    for (int r = 1; r <= rowCount(AUDIO); ++r)
        drawRow(rowLabel(AUDIO, r), rowValue(AUDIO, r), r);
}

void MenuOptions::drawOptionsClavier()
{
    const double r = options->getRatio(0);
    for (int p = 1; p <= 2; ++p) {
        const std::string heading = "player_" + std::to_string(p);
        drawText(lang->get(heading), 0.06, 1.05 - 0.24 * p, 0.4, 0.4,
                 ColorManager::black);
        const int actions = p == 1 ? 5 : 4;
        for (int a = 1; a <= actions; ++a) {
            const int rowNumber = 5 * (p - 1) + a;
            double* color =
                (pageOpen != 0 && row == rowNumber) ? ColorManager::lightBlue : ColorManager::black;
            const double y = 1.03 - 0.03 * a - 0.24 * p;
            drawText(rowLabel(KEYBOARD, rowNumber), 0.09, y, 0.3, 0.3, color);
            drawText(rowValue(KEYBOARD, rowNumber), 0.4 / r, y, 0.3, 0.3, color);
        }
    }
}

void MenuOptions::draw()
{
    const OverlayState overlay(colors);
    Menu::draw();
    switch (selection) {
    case GAME: drawOptionsJeu(); break;
    case VIDEO: drawOptionsVideo(); break;
    case AUDIO: drawOptionsAudio(); break;
    case KEYBOARD: drawOptionsClavier(); break;
    }
    drawSelectionShade();
}
