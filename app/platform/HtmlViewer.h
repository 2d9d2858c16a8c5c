#pragma once

#include <functional>
#include <wx/string.h>

// Hands a file:// URL to the system's viewer for HTML documents. False when
// no viewer could be started at all. Where the viewer is started through a
// helper program that reports its failure only by its exit status (the
// desktop's "open" command), `failed` is called later, from the event
// loop, when that status says the document was not shown.
bool LaunchHtmlViewer(const wxString& url, std::function<void()> failed);
