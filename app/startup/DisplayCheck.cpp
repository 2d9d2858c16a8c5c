#include "app/startup/DisplayCheck.h"

#include "data/text/StringTable.h"
#include "data/text/TextFormat.h"

#ifdef _WIN32

// A Windows session always has its desktop.
std::string MissingDisplay()
{
    return {};
}

std::string WindowSystemFailure()
{
    return CStringTable::GetUtf8(ids::kNoDisplayAnswers);
}

#else

#include <X11/Xlib.h>
#include <cstdlib>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// A Wayland compositor listens on a socket in XDG_RUNTIME_DIR unless the
// name is a path of its own.
bool WaylandAnswers(const std::string& name)
{
    const std::string path = name[0] == '/' ? name : Environment("XDG_RUNTIME_DIR") + "/" + name;
    sockaddr_un address{};
    if (path.size() >= sizeof address.sun_path)
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

// The connection stays open until the program ends: closed right before
// the window system opens its own, it made GTK's connection fail in about
// one start in four on a loaded X server (and GTK then ended the program
// with SIGTRAP); held open, in none.
bool XAnswers(const std::string& name)
{
    static Display* held = nullptr;
    Display* display = XOpenDisplay(name.c_str());
    if (!display)
        return false;
    if (held)
        XCloseDisplay(held);
    held = display;
    return true;
}

} // namespace

std::string MissingDisplay()
{
    const std::string wayland = Environment("WAYLAND_DISPLAY");
    const std::string x = Environment("DISPLAY");
    if (wayland.empty() && x.empty())
        return CStringTable::GetUtf8(ids::kNoDisplaySet);
    if (!wayland.empty() && WaylandAnswers(wayland))
        return {};
    if (!x.empty() && XAnswers(x))
        return {};
    return WindowSystemFailure();
}

std::string WindowSystemFailure()
{
    const std::string wayland = Environment("WAYLAND_DISPLAY");
    const std::string x = Environment("DISPLAY");
    return FormatText(CStringTable::GetUtf8(ids::kDisplayDoesNotAnswer),
                      {x.empty() ? "WAYLAND_DISPLAY=" + wayland : "DISPLAY=" + x});
}

#endif
