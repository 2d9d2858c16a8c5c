#pragma once

// The menu bar of the active document's window, for the tests of the
// keyboard and of the window menu.
#include "app/document/MorawinView.h"
#include "tests/app/GuiSupport.h"

#include <wx/docview.h>
#include <wx/frame.h>
#include <wx/menu.h>

inline wxMenuBar* DocumentBar()
{
    return static_cast<wxFrame*>(ActiveView()->GetFrame())->GetMenuBar();
}
