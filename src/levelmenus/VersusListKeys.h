#pragma once

#include "menus/CheckBox.h"

#include <string>
#include <vector>

class Menu;

// Behaviour both versus lists share: four items, "chooseLevels" (ticks the
// box of the level under the cursor), "invertSelection" (toggles every box),
// "playLevels" (code 1 with the ticked names, in list order, in objects) and
// "previous".
namespace VersusListKeys {

// The names of the ticked levels, in list order.
std::vector<std::string> tickedNames(const std::vector<std::string>& levels,
                                     const std::vector<CheckBox>& boxes);

// Every box takes the opposite of its state.
void invert(std::vector<CheckBox>& boxes);

// One frame of key handling; backCode is the code of "previous" and back.
void refresh(Menu& menu, long dt, const std::vector<std::string>& levels,
             std::vector<CheckBox>& boxes, int& cursor, int backCode);

} // namespace VersusListKeys
