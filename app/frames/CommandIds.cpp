#include "app/frames/CommandIds.h"

#include <wx/defs.h>

namespace cmd {

namespace {

struct Prompt {
    int command;
    unsigned stringId;
};

constexpr Prompt kPrompts[] = {
    {kConvert, 32771},
    {kConvertAll, 32772},
    {kConfiguration, 32773},
    {kViewOperands, 32774},
    {kOpenProject, 32776},
    {kProjectBrowser, 32777},
    {kRenameGroup, 32778},
    {kRefresh, 32779},
    {kCompareWithProject, 32790},
    {kHistoryWindow, 32791},
    {kEditUndo, 57643},
    {kEditRedo, 57644},
    {kImportTable, 32795},
    {kLanguageGerman, 32796},
    {kLanguageEnglish, 32796},
    {kLanguageSystem, 32796},
    {kFileOpen, 57601},
    {kFileClose, 57602},
    {kWindowNew, 57648},
    {kWindowArrange, 57649},
    {kWindowCascade, 57650},
    {kWindowTile, 57651},
    {kAppAbout, 57664},
    {kAppExit, 57665},
    {kHelpFinder, 57667},
    {kViewToolBar, 59392},
    {kViewStatusBar, 59393},
    {wxID_PRINT, 57607},
    {wxID_PREVIEW, 57609},
    {wxID_DELETE, 57632},
    {wxID_COPY, 57634},
    {wxID_PASTE, 57637},
};

} // namespace

unsigned PromptId(int command)
{
    if (command >= kRecentFirst && command < kRecentFirst + kRecentCount)
        return 57616;
    for (const Prompt& prompt : kPrompts)
        if (prompt.command == command)
            return prompt.stringId;
    return 0;
}

} // namespace cmd
