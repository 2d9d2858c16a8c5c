#pragma once

// Command IDs of menus, keys and tool bar. wx wants menu IDs below 0x7FFF,
// so each command has its own ID here and PromptId maps it to the
// string-table entry ("status prompt\ntool tip") that describes it.
// Commands that wx's document manager handles itself (New, Save, Print,
// Print preview) use wx's stock IDs, and so do the edit commands of the
// project browser, which the keys of the main window send.
namespace cmd {

enum : int {
    kConvert = 2771,
    kConvertAll = 2772,
    kConfiguration = 2773,
    kViewOperands = 2774,
    kOpenProject = 2776,
    kProjectBrowser = 2777,
    kRenameGroup = 2778,
    kRefresh = 2779,
    kCompareWithProject = 2790,
    kHistoryWindow = 2791,
    // Not wx's stock IDs: the document manager would take those for its own
    // command processor.
    kEditUndo = 2792,
    kEditRedo = 2793,
    kImportTable = 2795,
    // Konfiguration ▸ Sprache: German, English, the system's language.
    kLanguageGerman = 2796,
    kLanguageEnglish = 2797,
    kLanguageSystem = 2798,
    kFileOpen = 7601,
    kFileClose = 7602,
    kRecentFirst = 7616, // and the next three
    kWindowNew = 7648,
    kWindowArrange = 7649,
    kWindowCascade = 7650,
    kWindowTile = 7651,
    kAppAbout = 7664,
    kAppExit = 7665,
    kHelpFinder = 7667,
    kNextPane = 7680,
    kPrevPane = 7681,
    kViewToolBar = 9392,
    kViewStatusBar = 9393,
};

constexpr int kRecentCount = 4;

// The string-table ID of a command's prompt; 0 when it has none.
unsigned PromptId(int command);

} // namespace cmd
