#pragma once

#include "menus/Menu.h"

#include <string>

class LangManager;

// The options screen: an item row of four pages (game, video, audio,
// keyboard) and "previous". The pages step the pending settings and capture
// new pending key bindings; every validate or back on the item row saves the
// settings and the bindings. Code 5 when the player leaves.
class MenuOptions : public Menu {
public:
    MenuOptions();
    ~MenuOptions() override;

    void refresh(long dt) override;
    void draw() override;
    void reset() override;

    void drawOptionsJeu();
    void drawOptionsVideo();
    void drawOptionsAudio();
    void drawOptionsClavier();

    // Pages of the item row (the base selection) and their row counts.
    enum Page { GAME = 1, VIDEO = 2, AUDIO = 3, KEYBOARD = 4, PREVIOUS = 5 };
    static int rowCount(int page);

    // The label and the value shown on a row of a page (value with its
    // leading ": "), for the pending settings and bindings.
    std::string rowLabel(int page, int row);
    std::string rowValue(int page, int row);

    // Which binding a keyboard row edits: player index (0 or 1) and action.
    static int keyboardRowPlayer(int row);
    static int keyboardRowAction(int row);

    bool isPageOpen() const { return pageOpen != 0; }
    int getRow() const { return row; }
    bool isCapturing() const { return capturing; }

private:
    void refreshItemRow(long dt);
    void refreshPage(long dt);
    // Applies the current row's operation with step s.
    void stepRow(int s);
    // Takes lastKey as the binding of the current keyboard row, when free.
    void captureKey();
    bool anyDirectionPressed() const;
    void save();
    void drawRow(const std::string& label, const std::string& value, int rowNumber);
    void drawText(const std::string& text, double x, double y, double sx, double sy,
                  double* color);

    LangManager* lang;
    int pageOpen;
    int row;
    bool capturing;
};
