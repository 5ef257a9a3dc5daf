#pragma once

#include "services/CSingleton.h"

#include <fstream>
#include <string>

// Knows the two roots of the game's files: the installation (the working
// directory) and the player's folder. A user file that is missing or empty
// is seeded from the installation copy of the same relative name.
class DataFileManager : public CSingleton<DataFileManager> {
public:
    DataFileManager();

    // Creates the player's folder tree (base first, then the eight folders).
    void makedir();

    // The user path of name (user true) or name itself (user false).
    std::string getPath(std::string name, bool user);

    // A new stream on the data file, owned by the caller (delete it): open
    // for reading in mode 0, for writing (emptying the file) in any other
    // mode. Null when neither the file nor an installation copy exists and
    // create is false; otherwise test the stream's state as well. A seed
    // copy is written whole or not at all; a failed one is reported.
    std::fstream* openFile(std::string name, int mode, bool user, bool create);

    // Writes a whole data file safely (temporary file, then rename): on
    // failure the old file stays, one line naming the file and the reason
    // goes to the standard error, and false is returned, with the reason in
    // error when given. The caller logs the failure.
    bool saveFile(std::string name, const std::string& content, bool user,
                  std::string* error = nullptr);
};
