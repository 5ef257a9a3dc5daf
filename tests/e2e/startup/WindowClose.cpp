// The X library is opened at run time: the game links it through SDL, and
// the test programs need it for this one message only.
#include "WindowClose.h"

#include <X11/Xlib.h>
#include <cstdlib>
#include <dlfcn.h>

namespace korvelin_test {

namespace {

struct XFunctions {
    void* library = nullptr;
    Display* (*openDisplay)(const char*) = nullptr;
    Atom (*internAtom)(Display*, const char*, Bool) = nullptr;
    Status (*sendEvent)(Display*, Window, Bool, long, XEvent*) = nullptr;
    int (*sync)(Display*, Bool) = nullptr;
    int (*closeDisplay)(Display*) = nullptr;

    bool load()
    {
        library = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr)
            return false;
        openDisplay = reinterpret_cast<Display* (*)(const char*)>(dlsym(library, "XOpenDisplay"));
        internAtom = reinterpret_cast<Atom (*)(Display*, const char*, Bool)>(dlsym(library, "XInternAtom"));
        sendEvent = reinterpret_cast<Status (*)(Display*, Window, Bool, long, XEvent*)>(
            dlsym(library, "XSendEvent"));
        sync = reinterpret_cast<int (*)(Display*, Bool)>(dlsym(library, "XSync"));
        closeDisplay = reinterpret_cast<int (*)(Display*)>(dlsym(library, "XCloseDisplay"));
        return openDisplay && internAtom && sendEvent && sync && closeDisplay;
    }

    ~XFunctions()
    {
        if (library != nullptr)
            dlclose(library);
    }
};

} // namespace

bool requestWindowClose(const std::string& display, const std::string& windowId)
{
    XFunctions x;
    if (!x.load())
        return false;
    Display* connection = x.openDisplay(display.c_str());
    if (connection == nullptr)
        return false;
    const Window window = static_cast<Window>(std::strtoul(windowId.c_str(), nullptr, 0));
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = x.internAtom(connection, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(x.internAtom(connection, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    // With an empty event mask the message goes to the window's own client.
    const bool sent = x.sendEvent(connection, window, False, NoEventMask, &event) != 0;
    x.sync(connection, False);
    x.closeDisplay(connection);
    return sent;
}

} // namespace korvelin_test
