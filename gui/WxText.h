#pragma once

#include <wx/string.h>

#include <filesystem>
#include <string>
#include <string_view>

// The GUI's text edge. The model keeps Windows-1252 bytes and paths are
// std::filesystem::path; a wxString is made from either only here, at the
// control that shows it, and never from a narrow string by implicit
// conversion (which silently gives an empty string for non-ASCII text
// under the C locale that wxGTK keeps).
namespace wxtext {

wxString FromCp1252(std::string_view text);
std::string ToCp1252(const wxString& text);
wxString FromUtf8(std::string_view text);

// File names are the file system's bytes, which wx reads as UTF-8.
wxString FromPath(const std::filesystem::path& path);
std::filesystem::path ToPath(const wxString& text);
// A command-line argument as the bytes the process received.
std::string ArgumentBytes(const wxString& argument);

// A text of the program's windows, written in the source as its German
// UTF-8 original, in the language the program speaks (the translations'
// catalog marks it with xgettext --keyword=Tr).
wxString Tr(const char* german);

// A string-table text, and its two halves around the line feed: the
// status-bar prompt and the tool tip.
wxString String(unsigned id);
wxString Prompt(unsigned id);
wxString ToolTip(unsigned id);

} // namespace wxtext
