#pragma once

#include "world/Objet.h"

#include <string>
#include <vector>

class ClavierManager;
class SonsManager;
class TextFromFontManager;
class OptionsManager;
class ColorManager;

// Base of every menu screen: a row of items with language labels, a 1-based
// selection moved by left and right with a 200 ms key repeat, the move and
// validate sounds, a background picture and the result code the application
// reads. x and y are the lower-left corner of the background in the 0..1
// screen overlay.
//
// Result protocol: getCode() is 0 until refresh sets a code; validate gives
// the selected item's number and back gives itemCount, the last item, which
// every menu with items makes its "previous" or "exit" item. The code stays
// until the menu is destroyed or reset.
class Menu : public Objet {
public:
    Menu(float x, float y, float w, float h);
    ~Menu() override;

    void refresh(long dt) override;
    void draw() override;
    virtual void reset();
    virtual std::string getNom();
    virtual int getCode();
    // A copy: the menu keeps its own list.
    virtual std::vector<std::string> getObject();

    // Delay between two moves while a direction is held, in milliseconds.
    static constexpr float kRepeatDelay = 200.0f;

    // Shared services (process-wide, never freed by a menu).
    ClavierManager* clavier;
    SonsManager* sons;
    TextFromFontManager* text;
    OptionsManager* options;
    ColorManager* colors;

    float width;
    float height;
    unsigned int background;
    int selection;
    int code;
    int itemCount;
    // Milliseconds since the last move; kRepeatDelay or more means ready.
    float repeatTimer;
    std::string nom;
    std::string title;
    // Item texts in item order, looked up once at construction; empty for a
    // menu without items.
    std::vector<std::string> labels;
    // Level names a level-choice menu hands over.
    std::vector<std::string> objects;

    // Wide screens (16:10 and 16:9) get their own layouts and backgrounds.
    static bool wideScreen();
    // "Images/Menus/<High|Low>/Ratio-16-10/<file>" on wide screens,
    // ".../Ratio-4-3/<file>" otherwise.
    static std::string backgroundPath(const std::string& file);

protected:
    // True when player 1's or player 2's state for the action is exactly 1
    // (a direction held but overridden by its opposite does not count).
    bool isPressed(int action) const;
    // The common key handling: moves, repeat timer, validate and back.
    void refreshMoves(long dt);
    void refreshValidateBack();
    // Plays a sound through the sound service (nothing when it is silent).
    void playMove();
    void playValidate();
    void playRefused();
    // Darkens every column of the item row but the selected one.
    void drawSelectionShade();
    // The background quad (x, y, width, height), first image row at the top.
    void drawBackground();
    // The same quad with another texture.
    void drawImage(unsigned int texture);
    // The title and the item row of the common drawing (nothing without
    // labels).
    void drawTitleAndItems();
};
