#pragma once

class DataFileManager;

// Key bindings of the two players for the seven actions, the pending
// bindings the options screen edits, and the live input state the event
// handler writes each frame. States: 0 released, 1 pressed, 2 held but
// overridden by the opposite direction pressed later (directions only).
class ClavierManager {
public:
    enum Action { UP = 0, DOWN = 1, LEFT = 2, RIGHT = 3, VALIDATE = 4, BACK = 5, RESTART = 6 };
    static const int kNbActions = 7;

    static ClavierManager* clavier;

    ClavierManager();
    ~ClavierManager();

    // Reads "Data/Keyboard.dat" into the keys (not the pending keys).
    void charger();
    // Writes the pending keys, then reloads them as the keys; true when written.
    bool sauver();
    // The default keys become the keys.
    void assign();
    // Every key is copied to its pending key.
    void majTemp();
    // Clears the live input (states, joystick flags and axes; lastKey 0).
    void initTocuhes();

    // Default key of player (0 or 1) for an action.
    static int defaultKey(int player, int action);

    // [action][player], player 0 = player 1.
    int keyState[kNbActions][2];
    int key[kNbActions][2];
    int pendingKey[kNbActions][2];

    bool joystickUsed[2];
    // Joystick 0 and 1: x of both ([0], [1]) then z of both ([2], [3]).
    double joystickAxis[4];
    int lastKey;

private:
    DataFileManager* dataFiles;
};
