#include "data/clipboard/Clipboard.h"

namespace {

IClipboard* g_clipboard = nullptr;

} // namespace

void IClipboard::Install(IClipboard* clipboard)
{
    g_clipboard = clipboard;
}

IClipboard* IClipboard::GetInstalled()
{
    return g_clipboard;
}
