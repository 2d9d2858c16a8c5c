#pragma once

#include "panel/StepChainList.h"

#include <wx/panel.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CBrowserListCtrl;
class CGroupFolder;
class CPanelProject;
class CProjectHistory;
class CStepChainGroup;
class wxListEvent;

// What a panel project holds, in three panes: its step-chain groups, the
// lists of the selected group, the texts of the selected list. Lists move
// between groups and texts between lists of the same kind through the
// clipboard; lists, texts and whole groups can be deleted and a group
// renamed. Every change is written to the group's file at once.
//
// The browser reads the project on its own, apart from the project that
// the conversion works on: each shows what is on disk.
class CProjectBrowser : public wxPanel {
public:
    enum class Pane { groups, lists, texts };
    // The panes' window IDs, for tests.
    enum : int { kGroupPane = 1001, kListPane = 1002, kTextPane = 1003 };

    explicit CProjectBrowser(wxWindow* parent);
    ~CProjectBrowser() override;

    // Where each paste, delete and rename is kept as one operation: the
    // history of the open project, when it is the shown one.
    void SetHistorySource(std::function<CProjectHistory*()> source) { m_historySource = std::move(source); }

    // Reads the project in `folder` and shows it; false (and nothing shown)
    // when the folder holds no valid project.
    bool ShowProject(const std::filesystem::path& folder);
    // Reads the shown project again, keeping the selection where its
    // entries still exist.
    void Reload();

    // Whether the command applies to the active pane.
    bool IsEnabled(ListCommand command) const;
    void Copy();
    // Says why, where the active pane cannot take what the clipboard holds.
    void Paste();
    void Delete();
    void RenameGroup();

    Pane GetActivePane() const { return m_active; }
    // Makes the pane the one the commands work on, and gives it the focus.
    void ActivatePane(Pane pane);
    CBrowserListCtrl* GetPane(Pane pane) const;
    CPanelProject* GetProject() const { return m_project.get(); }
    // The group whose lists are shown, the list whose texts are shown.
    CStepChainGroup* GetShownGroup() const { return m_group; }
    CStepChainList* GetShownList() const { return m_list; }

private:
    // The selection by what identifies the entries, so that it survives
    // reading the project again.
    struct Selection {
        std::string group;
        std::string list;
        std::vector<std::uint32_t> texts;
    };

    void CreatePanes();
    CGroupFolder* GetFolder() const;
    Selection CurrentSelection() const;
    // Fills all three panes and selects what `selection` names.
    void ShowSelection(const Selection& selection);
    void FillGroups(const Selection& selection);
    void FillLists(const Selection& selection);
    void FillTexts(const Selection& selection);
    // Loads the group if needed; a group that cannot be read is reported.
    bool EnsureLoaded(CStepChainGroup& group);
    // Writes the group as one operation of the history (`description`: a
    // string-table format for the file's name); on failure (another
    // program changed the file meanwhile, the history or the file cannot be
    // written) says so and shows what the file holds.
    void SaveGroup(CStepChainGroup& group, Selection selection, const char* kind, const std::string& description);
    // The history for the shown project; null when there is none.
    CProjectHistory* History() const;
    // The message for a write that failed for another reason than a change
    // on disk.
    static unsigned WriteErrorOf(const CStepChainGroup& group);
    static std::string FileNameOf(const CStepChainGroup& group);
    // Asks `question` below which `doomed` names what goes, one line each.
    bool Confirm(unsigned question, const std::vector<std::string>& doomed);
    // What keeps the active pane from taking the clipboard's entries (a
    // string-table ID), 0 when it can take them.
    unsigned WhyNoPaste() const;
    // A list identifier the group holds already is asked about with the
    // group's next free one; Abbrechen undoes the whole paste.
    void PasteLists();
    // Forgets what a cancelled paste put into the shown group.
    void DropPaste(const Selection& selection);
    // Texts for operands the list holds already are asked about with the
    // four-answer question; its Escape undoes the whole paste.
    void PasteTexts();
    CStepChainList::DuplicateQuestion OverwriteQuestion();
    void DeleteGroups();
    void DeleteLists();
    void DeleteTexts();
    void OnSelectionChanged(wxListEvent& event);
    // Follows the selection once the events of one click are all in.
    void FollowSelection();

    std::unique_ptr<CPanelProject> m_project;
    std::filesystem::path m_folder;
    std::function<CProjectHistory*()> m_historySource;
    CBrowserListCtrl* m_groups = nullptr;
    CBrowserListCtrl* m_lists = nullptr;
    CBrowserListCtrl* m_texts = nullptr;
    CStepChainGroup* m_group = nullptr;
    CStepChainList* m_list = nullptr;
    Pane m_active = Pane::groups;
    bool m_filling = false;
    bool m_followPending = false;
};
