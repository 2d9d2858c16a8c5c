#pragma once

#include <wx/bitmap.h>
#include <wx/iconbndl.h>

// The program's pictures: program icon, the kind icons of the operand list
// and the tool bar images.
class CArtwork {
public:
    static wxIconBundle ProgramIcons();
    static wxBitmap ProgramBitmap();
    // 16 x 16; kind 1 (input) to 5 (counter).
    static wxBitmap KindIcon(int kind);
    // 16 x 15.
    static wxBitmap ToolOpen();
    static wxBitmap ToolConvertAll();
    static wxBitmap ToolAbout();
};
