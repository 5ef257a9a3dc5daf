#pragma once

#include <string>

namespace korvelin_test {

// Asks a window to close the way a window manager does when the player
// clicks its close button: a WM_DELETE_WINDOW client message. True when
// the message was sent.
bool requestWindowClose(const std::string& display, const std::string& windowId);

} // namespace korvelin_test
