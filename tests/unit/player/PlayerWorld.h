#pragma once

// A small world for the player's tests: a temporary installation and user
// folder, level files written by the test, and the frame step the game
// manager performs (blocks first, then the player) at a fixed dt.

#include <string>

class Joueur;

namespace playertest {

// The temporary installation folder (the working directory of the tests).
std::string dossierInstallation();

// Writes "Levels/Official/<name>.kzl" in the installation folder.
void ecrireNiveau(const std::string& name, const std::string& text);

// Loads the level into a fresh level manager (mode 1, one official level).
// False when the level manager refused it.
bool chargerNiveau(const std::string& name, const std::string& text);

// Game messages on or off, one or two players, for the settings in force.
void reglerMessages(bool on);
void reglerJoueurs(int n);

// Key state of an action (ClavierManager::Action) for player 1 or 2.
void touche(int action, int joueur, int etat);
void relacherTout();

// One frame of play as the game manager runs it: the players' positions are
// handed to the level, the blocks are refreshed and turned, then the player
// moves and lands. clock is advanced by dt first and given to the player.
void pas(Joueur& j, long dt, long& clock);
void pas(Joueur& j, Joueur* autre, long dt, long& clock);

// Puts the player at (x, y, z) with the given speeds.
void placer(Joueur& j, float x, float y, float z, float vx = 0, float vy = 0, float vz = 0);

} // namespace playertest

#include <vector>

namespace playertest {

// Text of a first-generation level file: time limit, rows, columns, cells.
std::string niveau(int rows, int cols, const std::vector<int>& cells, int time = 60);

// A 6 x 3 level of plain blocks with `type` at row 5, column 2: the cell
// under the start position (x = 2, z = 5).
std::string niveauAvec(int type, int time = 60);

// Runs only the blocks for ms, in frames of dt.
void avancerBlocs(long ms, long dt);

} // namespace playertest
