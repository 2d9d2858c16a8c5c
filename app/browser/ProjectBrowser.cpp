#include "app/browser/ProjectBrowser.h"

#include "app/browser/BrowserListCtrl.h"
#include "app/browser/RenameGroupDialog.h"
#include "gui/WxText.h"
#include "convert/AnswerCode.h"
#include "convert/dialogs/YesNoAllDlg.h"
#include "data/model/DataList.h"
#include "data/text/ErrorMessage.h"
#include "data/text/StringTable.h"
#include "data/text/TextFormat.h"
#include "history/HistoryOperation.h"
#include "history/ProjectHistory.h"
#include "panel/GroupFolder.h"
#include "panel/PanelProject.h"
#include "panel/StepChainGroup.h"
#include "panel/StepChainList.h"
#include "panel/StepChainText.h"

#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/splitter.h>

#include <algorithm>
#include <optional>

namespace {

using wxtext::Tr;

wxString Number(int value)
{
    return wxString::Format(wxString::FromUTF8("%d"), value); // untranslated: a number's digits
}

std::string Described(unsigned id, std::initializer_list<FormatArg> args)
{
    return FormatText(CStringTable::Get(id), args);
}

std::string Joined(const std::vector<std::string>& parts)
{
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : ", ") + part;
    return text;
}

} // namespace

CProjectBrowser::CProjectBrowser(wxWindow* parent) : wxPanel(parent, wxID_ANY)
{
    CreatePanes();
}

CProjectBrowser::~CProjectBrowser() = default;

void CProjectBrowser::CreatePanes()
{
    auto* outer = new wxSplitterWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSP_LIVE_UPDATE);
    auto* inner = new wxSplitterWindow(outer, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSP_LIVE_UPDATE);
    m_groups = new CBrowserListCtrl(outer, kGroupPane);
    m_lists = new CBrowserListCtrl(inner, kListPane);
    m_texts = new CBrowserListCtrl(inner, kTextPane);
    m_groups->SetColumns({{Tr("Gruppe"), 7}, {Tr("Bezeichnung"), 26}, {Tr("Byte"), 7, true}});
    m_lists->SetColumns({{Tr("Liste"), 6}, {Tr("Typ"), 4}, {Tr("Bezeichnung"), 32}, {Tr("Einträge"), 8, true}});
    m_texts->SetColumns({{Tr("Operand"), 10}, {Tr("Text"), 52}, {Tr("Attr. 1"), 7, true}, {Tr("Attr. 2"), 7, true}});
    outer->SetMinimumPaneSize(80);
    inner->SetMinimumPaneSize(60);
    outer->SplitVertically(m_groups, inner, 44 * GetCharWidth());
    inner->SplitHorizontally(m_lists, m_texts, 12 * GetCharHeight());
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(outer, 1, wxEXPAND);
    SetSizer(sizer);

    const std::pair<CBrowserListCtrl*, Pane> panes[] = {
        {m_groups, Pane::groups}, {m_lists, Pane::lists}, {m_texts, Pane::texts}};
    for (const auto& [list, pane] : panes) {
        list->Bind(wxEVT_SET_FOCUS, [this, pane = pane](wxFocusEvent& event) {
            m_active = pane;
            event.Skip();
        });
        list->Bind(wxEVT_LIST_ITEM_SELECTED, &CProjectBrowser::OnSelectionChanged, this);
        list->Bind(wxEVT_LIST_ITEM_DESELECTED, &CProjectBrowser::OnSelectionChanged, this);
    }
}

CBrowserListCtrl* CProjectBrowser::GetPane(Pane pane) const
{
    switch (pane) {
    case Pane::groups: return m_groups;
    case Pane::lists: return m_lists;
    case Pane::texts: return m_texts;
    }
    return m_groups;
}

void CProjectBrowser::ActivatePane(Pane pane)
{
    m_active = pane;
    GetPane(pane)->SetFocus();
}

CGroupFolder* CProjectBrowser::GetFolder() const
{
    return m_project ? m_project->GetGroupFolder() : nullptr;
}

bool CProjectBrowser::ShowProject(const std::filesystem::path& folder)
{
    auto project = std::make_unique<CPanelProject>(folder, std::string());
    if (!project->IsValid())
        return false;
    project->Load();
    m_group = nullptr;
    m_list = nullptr;
    m_project = std::move(project);
    m_folder = folder;
    // The first group and its first list, so that something shows at once.
    Selection first;
    CGroupFolder* groups = GetFolder();
    if (groups && groups->GetCount() > 0) {
        CStepChainGroup* group = groups->GetGroup(0);
        first.group = group->GetGroupId();
        if (EnsureLoaded(*group) && group->GetCount() > 0)
            first.list = group->GetList(0)->GetListId();
    }
    ShowSelection(first);
    return true;
}

void CProjectBrowser::Reload()
{
    const Selection selection = CurrentSelection();
    auto project = std::make_unique<CPanelProject>(m_folder, std::string());
    m_group = nullptr;
    m_list = nullptr;
    if (project->IsValid())
        project->Load();
    else
        project.reset();
    m_project = std::move(project);
    ShowSelection(selection);
}

CProjectBrowser::Selection CProjectBrowser::CurrentSelection() const
{
    Selection selection;
    if (m_group)
        selection.group = m_group->GetGroupId();
    if (m_list) {
        selection.list = m_list->GetListId();
        for (int row : m_texts->GetSelectedRows())
            if (row < m_list->GetCount())
                selection.texts.push_back(m_list->GetText(row)->SortKey());
    }
    return selection;
}

void CProjectBrowser::ShowSelection(const Selection& selection)
{
    FillGroups(selection);
    FillLists(selection);
    FillTexts(selection);
}

void CProjectBrowser::FillGroups(const Selection& selection)
{
    m_filling = true;
    m_group = nullptr;
    m_list = nullptr;
    std::vector<std::vector<wxString>> rows;
    int selected = -1;
    if (CGroupFolder* groups = GetFolder()) {
        for (int i = 0; i < groups->GetCount(); ++i) {
            CStepChainGroup* group = groups->GetGroup(i);
            // What is on disk: a file cut short or grown keeps its old
            // header, which says another size.
            std::string designation = group->GetName();
            if (group->DisagreesWithDisk())
                designation += " (" + FormatText(CStringTable::Get(ids::kGroupDamaged), {group->GetSize()}) + ")";
            const auto size = group->SizeOnDisk();
            rows.push_back({wxtext::FromCp1252(group->GetGroupId()), wxtext::FromCp1252(designation),
                            size ? Number(static_cast<int>(*size)) : Number(group->GetSize())});
            if (group->GetGroupId() == selection.group) {
                selected = i;
                m_group = group;
            }
        }
    }
    m_groups->SetRows(rows);
    m_groups->SelectRows({selected});
    m_filling = false;
    if (m_group && !EnsureLoaded(*m_group))
        m_group = nullptr;
}

void CProjectBrowser::FillLists(const Selection& selection)
{
    m_filling = true;
    m_list = nullptr;
    std::vector<std::vector<wxString>> rows;
    int selected = -1;
    if (m_group) {
        for (int i = 0; i < m_group->GetCount(); ++i) {
            CStepChainList* list = m_group->GetList(i);
            rows.push_back({wxtext::FromCp1252(list->GetListId()), wxtext::FromCp1252(list->GetKindLetter()),
                            wxtext::FromCp1252(list->GetName()), Number(list->GetCount())});
            if (list->GetListId() == selection.list) {
                selected = i;
                m_list = list;
            }
        }
    }
    m_lists->SetRows(rows);
    m_lists->SelectRows({selected});
    m_filling = false;
}

void CProjectBrowser::FillTexts(const Selection& selection)
{
    m_filling = true;
    std::vector<std::vector<wxString>> rows;
    std::vector<int> selected;
    if (m_list) {
        for (int i = 0; i < m_list->GetCount(); ++i) {
            const CStepChainText* text = m_list->GetText(i);
            rows.push_back({wxtext::FromCp1252(text->GetOperandName()), wxtext::FromCp1252(text->GetText()),
                            Number(text->GetAttribute1()), Number(text->GetAttribute2())});
            if (std::find(selection.texts.begin(), selection.texts.end(), text->SortKey()) != selection.texts.end())
                selected.push_back(i);
        }
    }
    m_texts->SetRows(rows);
    m_texts->SelectRows(selected);
    m_filling = false;
}

bool CProjectBrowser::EnsureLoaded(CStepChainGroup& group)
{
    if (group.IsLoaded() || group.Load())
        return true;
    CErrorMessage(ids::kReadError, group.GetFileName(), 0).AddLine(group.LoadProblemText()).Report();
    return false;
}

void CProjectBrowser::OnSelectionChanged(wxListEvent& event)
{
    event.Skip();
    // One click deselects the old rows and selects the new one: the panes
    // follow once, when all of it has arrived.
    if (m_filling || m_followPending)
        return;
    m_followPending = true;
    CallAfter(&CProjectBrowser::FollowSelection);
}

void CProjectBrowser::FollowSelection()
{
    m_followPending = false;
    CGroupFolder* groups = GetFolder();
    const int groupRow = m_groups->GetFirstSelected();
    CStepChainGroup* group = groups && groupRow >= 0 && groupRow < groups->GetCount() ? groups->GetGroup(groupRow)
                                                                                      : nullptr;
    if (group != m_group) {
        Selection selection;
        m_group = group && EnsureLoaded(*group) ? group : nullptr;
        if (m_group && m_group->GetCount() > 0)
            selection.list = m_group->GetList(0)->GetListId();
        FillLists(selection);
        FillTexts(selection);
        return;
    }
    const int listRow = m_lists->GetFirstSelected();
    CStepChainList* list = m_group && listRow >= 0 && listRow < m_group->GetCount() ? m_group->GetList(listRow)
                                                                                     : nullptr;
    if (list != m_list) {
        m_list = list;
        FillTexts({});
    }
}

bool CProjectBrowser::IsEnabled(ListCommand command) const
{
    CGroupFolder* groups = GetFolder();
    if (command == ListCommand::rename)
        return groups && m_group && groups->IsEnabled(command, 1);
    switch (m_active) {
    case Pane::groups:
        // Lists pasted with the group pane active go into the selected group.
        if (command == ListCommand::paste)
            return m_group && m_group->IsEnabled(command, 0);
        return groups && groups->IsEnabled(command, static_cast<int>(m_groups->GetSelectedRows().size()));
    case Pane::lists:
        return m_group && m_group->IsEnabled(command, static_cast<int>(m_lists->GetSelectedRows().size()));
    case Pane::texts:
        return m_list && m_list->IsEnabled(command, static_cast<int>(m_texts->GetSelectedRows().size()));
    }
    return false;
}

void CProjectBrowser::Copy()
{
    if (m_active == Pane::lists && m_group)
        m_group->CopyToClipboard(m_lists->GetSelectedRows());
    else if (m_active == Pane::texts && m_list)
        m_list->CopyToClipboard(m_texts->GetSelectedRows());
}

void CProjectBrowser::Paste()
{
    if (const unsigned why = WhyNoPaste()) {
        CErrorMessage(why, 0).Report();
        return;
    }
    if (m_active == Pane::texts)
        PasteTexts();
    else
        PasteLists();
}

unsigned CProjectBrowser::WhyNoPaste() const
{
    const bool texts = m_active == Pane::texts;
    const CDataList* target = texts ? static_cast<const CDataList*>(m_list) : m_group;
    if (!target)
        return texts ? ids::kPasteNeedsList : ids::kPasteNeedsGroup;
    if (target->IsFull())
        return ids::kClipboardFull;
    if (!target->CanPaste())
        return texts ? ids::kClipboardHoldsNoTexts : ids::kClipboardHoldsNoLists;
    return 0;
}

void CProjectBrowser::PasteLists()
{
    if (!m_group)
        return;
    Selection selection = CurrentSelection();
    const int after = m_active == Pane::lists ? m_lists->GetFirstSelected() : -1;
    const std::string groupId = m_group->GetGroupId();
    m_group->SetListIdQuestion([this, &groupId](const std::string& taken, const std::string& proposed) {
        wxMessageDialog box(this, wxtext::FromCp1252(FormatText(CStringTable::Get(ids::kAskPasteListAs),
                                                                {taken, groupId, proposed})),
                            wxtext::String(ids::kProgramTitle), wxOK | wxCANCEL | wxICON_QUESTION);
        return box.ShowModal() == wxID_OK;
    });
    auto* created = static_cast<CStepChainList*>(m_group->PasteFromClipboard(after));
    m_group->SetListIdQuestion({});
    if (m_group->PasteCancelled()) {
        DropPaste(selection);
        return;
    }
    if (created)
        selection.list = created->GetListId();
    if (m_group->IsModified())
        SaveGroup(*m_group, selection, "paste", Described(ids::kPasteDescription, {m_group->GetFileName()}));
}

void CProjectBrowser::DropPaste(const Selection& selection)
{
    // Nothing of the paste stays: the group is read again as its file holds
    // it (nothing was written).
    m_group->RemoveAll();
    m_list = nullptr;
    EnsureLoaded(*m_group);
    ShowSelection(selection);
}

void CProjectBrowser::PasteTexts()
{
    if (!m_list || !m_group)
        return;
    Selection selection = CurrentSelection();
    m_list->SetDuplicateQuestion(OverwriteQuestion());
    auto* created = static_cast<CStepChainText*>(m_list->PasteFromClipboard(m_texts->GetFirstSelected()));
    m_list->SetDuplicateQuestion({});
    if (m_list->PasteCancelled()) {
        DropPaste(selection);
        return;
    }
    if (created)
        selection.texts = {created->SortKey()};
    if (m_group->IsModified())
        SaveGroup(*m_group, selection, "paste", Described(ids::kPasteDescription, {m_group->GetFileName()}));
}

CStepChainList::DuplicateQuestion CProjectBrowser::OverwriteQuestion()
{
    // Asked per text until an answer "für Alle" holds for the rest.
    return [this, always = std::optional<CStepChainList::Duplicate>()](const CStepChainText& stored) mutable {
        using Duplicate = CStepChainList::Duplicate;
        if (always)
            return *always;
        CYesNoAllDlg question(FormatText(CStringTable::Get(ids::kOperandExists), {stored.GetOperandName()}),
                              CYesNoAllDlg::kIconQuestion, this);
        switch (question.Run()) {
        case answer_code::kYes: return Duplicate::replace;
        case answer_code::kNo: return Duplicate::keep;
        case answer_code::kYesForAll: return *(always = Duplicate::replace);
        case answer_code::kNoForAll: return *(always = Duplicate::keep);
        default: return Duplicate::cancel;
        }
    };
}

CProjectHistory* CProjectBrowser::History() const
{
    CProjectHistory* history = m_historySource && m_project ? m_historySource() : nullptr;
    return history && history->ProjectFolder() == m_project->GetProjectDir() ? history : nullptr;
}

unsigned CProjectBrowser::WriteErrorOf(const CStepChainGroup& group)
{
    const auto& error = group.GetLastError();
    return error && error->GetCause() == CFileException::Cause::journalRefused ? ids::kHistoryUnwritable
                                                                               : ids::kWriteError;
}

void CProjectBrowser::SaveGroup(CStepChainGroup& group, Selection selection, const char* kind,
                                const std::string& description)
{
    bool saved = false;
    {
        // Ends before the project may be read again below.
        CHistoryOperation operation(History(), *m_project, kind);
        operation.SetDescription(description);
        saved = group.Save();
    }
    if (saved) {
        ShowSelection(selection);
    } else if (group.ChangedOnDisk()) {
        // Another program's change stays: the project is read again (the
        // file may even be gone) and shown as it is now.
        const std::string name = FileNameOf(group);
        Reload();
        CErrorMessage(ids::kChangedOnDisk, name, 0).Report();
    } else {
        CErrorMessage(WriteErrorOf(group), group.GetFileName(), 0).Report();
        // What the file holds is what counts.
        group.RemoveAll();
        EnsureLoaded(group);
        ShowSelection(selection);
    }
}

std::string CProjectBrowser::FileNameOf(const CStepChainGroup& group)
{
    // The name of the file that was found changed, as it is on disk.
    const auto& error = group.GetLastError();
    return error && !error->GetFile().empty() ? error->GetFile().filename().string() : group.GetFileName();
}

bool CProjectBrowser::Confirm(unsigned question, const std::vector<std::string>& doomed)
{
    // Return and a hasty click on the default button delete nothing.
    wxMessageDialog box(this, wxtext::String(question), wxtext::String(ids::kProgramTitle),
                        wxOK | wxCANCEL | wxICON_QUESTION | wxCANCEL_DEFAULT);
    wxString named;
    for (const std::string& line : doomed)
        named << (named.empty() ? wxString() : wxString::FromUTF8("\n")) << wxtext::FromCp1252(line);
    box.SetExtendedMessage(named);
    return box.ShowModal() == wxID_OK;
}

void CProjectBrowser::Delete()
{
    if (!IsEnabled(ListCommand::remove))
        return;
    switch (m_active) {
    case Pane::groups: DeleteGroups(); break;
    case Pane::lists: DeleteLists(); break;
    case Pane::texts: DeleteTexts(); break;
    }
}

void CProjectBrowser::DeleteGroups()
{
    CGroupFolder* groups = GetFolder();
    std::vector<CStepChainGroup*> doomed;
    std::vector<std::string> named;
    for (int row : m_groups->GetSelectedRows()) {
        CStepChainGroup* group = groups->GetGroup(row);
        doomed.push_back(group);
        named.push_back(FormatText(CStringTable::Get(ids::kDeletedGroup),
                                   {group->GetGroupId(), group->GetName(), group->GetFileName()}));
    }
    if (!Confirm(ids::kAskDeleteGroups, named))
        return;
    m_group = nullptr;
    m_list = nullptr;
    std::vector<CErrorMessage> problems;
    {
        std::vector<std::string> files;
        for (const CStepChainGroup* group : doomed)
            files.push_back(group->GetFileName());
        CHistoryOperation operation(History(), *m_project, "delete");
        operation.SetDescription(Described(ids::kDeleteDescription, {Joined(files)}));
        for (CStepChainGroup* group : doomed) {
            // A file that another program changed since it was read is not
            // deleted, nor one that cannot be.
            if (!group->DeleteFile()) {
                const bool changed = group->ChangedOnDisk();
                problems.emplace_back(changed ? ids::kChangedOnDisk
                                      : WriteErrorOf(*group) == ids::kHistoryUnwritable ? ids::kHistoryUnwritable
                                                                                        : ids::kDeleteError,
                                      changed ? FileNameOf(*group) : group->GetFileName(), 0);
            }
            groups->Release(group);
        }
    }
    if (problems.empty()) {
        ShowSelection({});
        return;
    }
    Reload(); // the files that stayed are groups still, as they are now
    for (const CErrorMessage& problem : problems)
        problem.Report();
}

void CProjectBrowser::DeleteLists()
{
    std::vector<CStepChainList*> doomed;
    std::vector<std::string> named;
    for (int row : m_lists->GetSelectedRows()) {
        CStepChainList* list = m_group->GetList(row);
        doomed.push_back(list);
        named.push_back(FormatText(CStringTable::Get(ids::kDeletedList),
                                   {list->GetListId(), list->GetName(), m_group->GetGroupId()}));
    }
    if (!Confirm(ids::kAskDeleteLists, named))
        return;
    Selection selection = CurrentSelection();
    selection.list.clear();
    m_list = nullptr;
    for (CStepChainList* list : doomed)
        m_group->Remove(list);
    SaveGroup(*m_group, selection, "delete", Described(ids::kDeleteDescription, {Joined(named)}));
}

void CProjectBrowser::DeleteTexts()
{
    std::vector<CStepChainText*> doomed;
    for (int row : m_texts->GetSelectedRows())
        doomed.push_back(m_list->GetText(row));
    const std::string named = FormatText(CStringTable::Get(ids::kDeletedTexts),
                                         {static_cast<int>(doomed.size()), m_list->GetListId(), m_list->GetName()});
    if (!Confirm(ids::kAskDeleteTexts, {named}))
        return;
    Selection selection = CurrentSelection();
    selection.texts.clear();
    for (CStepChainText* text : doomed)
        m_list->Remove(text);
    m_list->OnEntryChanged(nullptr); // numbered 1, 2, 3, ... again
    SaveGroup(*m_group, selection, "delete", Described(ids::kDeleteDescription, {named}));
}

void CProjectBrowser::RenameGroup()
{
    CGroupFolder* groups = GetFolder();
    if (!groups || !m_group)
        return;
    CRenameGroupDialog dialog(this, *groups, *m_group);
    if (dialog.ShowModal() != wxID_OK)
        return;
    Selection selection = CurrentSelection();
    CStepChainGroup& group = *m_group;
    const std::string newFile = "G" + dialog.GetGroupId() + "." + group.GetExtension();
    bool renamed = false;
    {
        CHistoryOperation operation(History(), *m_project, "rename");
        operation.SetDescription(Described(ids::kRenameDescription, {group.GetFileName(), newFile}));
        renamed = group.Rename("G" + dialog.GetGroupId(), dialog.GetDesignation());
    }
    if (!renamed) {
        const CErrorMessage problem = group.ChangedOnDisk() ? CErrorMessage(ids::kChangedOnDisk, FileNameOf(group), 0)
                                                            : CErrorMessage(WriteErrorOf(group), newFile, 0);
        Reload();
        problem.Report();
        return;
    }
    selection.group = group.GetGroupId();
    ShowSelection(selection);
}
