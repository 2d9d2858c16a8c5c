#include "app/frames/Artwork.h"

#include "app/res/kind_counter.xpm"
#include "app/res/kind_input.xpm"
#include "app/res/kind_marker.xpm"
#include "app/res/kind_output.xpm"
#include "app/res/kind_timer.xpm"
#include "app/res/morawin16.xpm"
#include "app/res/morawin32.xpm"
#include "app/res/tool_about.xpm"
#include "app/res/tool_convert_all.xpm"
#include "app/res/tool_open.xpm"

#include <wx/icon.h>

wxIconBundle CArtwork::ProgramIcons()
{
    wxIconBundle icons;
    icons.AddIcon(wxIcon(morawin16_xpm));
    icons.AddIcon(wxIcon(morawin32_xpm));
    return icons;
}

wxBitmap CArtwork::ProgramBitmap()
{
    return wxBitmap(morawin32_xpm);
}

wxBitmap CArtwork::KindIcon(int kind)
{
    static const char* const* const kIcons[] = {kind_input_xpm, kind_output_xpm, kind_marker_xpm, kind_timer_xpm,
                                                 kind_counter_xpm};
    if (kind < 1 || kind > 5)
        return wxBitmap();
    return wxBitmap(kIcons[kind - 1]);
}

wxBitmap CArtwork::ToolOpen()
{
    return wxBitmap(tool_open_xpm);
}

wxBitmap CArtwork::ToolConvertAll()
{
    return wxBitmap(tool_convert_all_xpm);
}

wxBitmap CArtwork::ToolAbout()
{
    return wxBitmap(tool_about_xpm);
}
