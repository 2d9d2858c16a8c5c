#include "tests/app/MenuKeyText.h"

#include <wx/accel.h>
#include <wx/defs.h>
#include <wx/menuitem.h>

#include <dlfcn.h>

#include <cstdlib>
#include <memory>

namespace {

// GDK's key values and modifier bits (gdkkeysyms.h, gdktypes.h).
unsigned GdkKey(int key)
{
    if (key >= WXK_F1 && key <= WXK_F12)
        return 0xffbe + static_cast<unsigned>(key - WXK_F1);
    switch (key) {
    case WXK_DELETE: return 0xffff;
    case WXK_INSERT: return 0xff63;
    default: return static_cast<unsigned>(key >= 'A' && key <= 'Z' ? key - 'A' + 'a' : key);
    }
}

unsigned GdkModifiers(int flags)
{
    return ((flags & wxACCEL_SHIFT) ? 1u : 0u) | ((flags & wxACCEL_CTRL) ? 4u : 0u) | ((flags & wxACCEL_ALT) ? 8u : 0u);
}

} // namespace

std::string ShownKeyText(const wxMenuItem& item)
{
    // The label GTK's menus give an accelerator; GTK is loaded with wx.
    using Label = char* (*)(unsigned, unsigned);
    const auto label = reinterpret_cast<Label>(::dlsym(RTLD_DEFAULT, "gtk_accelerator_get_label"));
    const std::unique_ptr<wxAcceleratorEntry> accel(item.GetAccel());
    if (!label || !accel)
        return {};
    char* text = label(GdkKey(accel->GetKeyCode()), GdkModifiers(accel->GetFlags()));
    std::string shown = text ? text : "";
    std::free(text); // g_free is free since GLib 2.46
    return shown;
}
