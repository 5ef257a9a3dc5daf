#pragma once

#include <string>

class DataFileManager;
class DebugManager;

// Sends finished one-player results to the score server over HTTP when the
// player has an account ("Data/Account.dat" in the player's folder). Every
// request blocks for at most its time-out; replies are not read.
class SendScoreManager {
public:
    static const long kStartupTimeout = 2; // seconds
    static const long kPostTimeout = 5;    // seconds

    SendScoreManager();
    virtual ~SendScoreManager();

    static SendScoreManager* getInstance();

    // Reads the account, then sends the start-up request when one is set.
    void load();
    // True when the account identifier is not "-1".
    bool isLogged();

    // title: the level's name with its last "." replaced by a tab (or a tab
    // and the default author appended); md5: the digests of the levels played.
    void sendScoreLevel(std::string title, double seconds, std::string md5);
    void sendScoreDiff(int difficulty, double seconds, std::string md5);

    // The server's base address: $KORVELIN_SCORE_SERVER when set and not
    // empty, else the address the game was built with; no trailing "/".
    static std::string serverAddress();
    // Seconds in the default stream notation: 83.472, 1234.57, 45.
    static std::string secondsText(double seconds);

    std::string getId() const { return id; }
    std::string getHash() const { return hash; }

    static SendScoreManager* inst;

private:
    void sendStartupRequest();
    void post(const std::string& path, const std::string& value, const std::string& md5,
              const char* method);

    DataFileManager* dataFiles;
    DebugManager* log;
    std::string id;
    std::string hash;
};
