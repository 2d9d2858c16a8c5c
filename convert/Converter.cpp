#include "convert/Converter.h"

#include "convert/AnswerCode.h"
#include "convert/ConverterHost.h"
#include "convert/ConvertedOperands.h"
#include "convert/EntryText.h"
#include "data/settings/AppSettings.h"
#include "data/text/Charset.h"
#include "data/platform/Platform.h"
#include "data/records/RecordStream.h"
#include "data/sequence/SequenceEntry.h"
#include "data/sequence/SequenceFile.h"
#include "data/text/StringTable.h"
#include "data/text/TextFormat.h"
#include "data/records/FileJournal.h"
#include "history/HistoryOperation.h"
#include "panel/GroupFolder.h"
#include "panel/PanelProject.h"
#include "panel/ProjectFiles.h"
#include "panel/StepChainGroup.h"
#include "panel/StepChainList.h"
#include "panel/StepChainText.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>

namespace {

constexpr int kMaxListsPerGroup = static_cast<int>(CStepChainGroup::kMaxLists);
// A list keeps at most as many texts as one block can count, so that no
// block of one byte number can outgrow its text count.
constexpr int kMaxTextsPerList = static_cast<int>(CStepChainList::kMaxBlockTexts);
// A new group is charged for its header and its first, empty list as if
// the project name had 32 characters; a name can have 80, so the budget
// keeps that margin below the file's 16-bit size.
constexpr std::size_t kChargedProjectName = record::kDesignationLength;
constexpr std::int64_t kNewListCost = CStepChainList::kEmptyRecordSize;
constexpr std::int64_t kNewGroupCost = CStepChainGroup::HeaderSize(kChargedProjectName) + kNewListCost;
constexpr std::int64_t kMaxGroupBudget =
    CStepChainGroup::kMaxFileSize - (record::kMaxCountedLength - kChargedProjectName);
// The message about operands too long for any group names this many.
constexpr std::size_t kMaxNamedOperands = 10;
constexpr int kLastListNumber = 999;

// The bytes a text record of the group file takes for `text`.
int TextCost(const std::string& text)
{
    return static_cast<int>(record::StoredLength(text) + CStepChainText::kRecordOverhead);
}

std::string FormatNumber(const char* format, int number)
{
    return FormatText(format, {number});
}

// The sequence file's bare name up to its first point (a leading point
// does not count), as Windows-1252 text of at most 32 characters.
std::string DesignationFromFile(const std::filesystem::path& path)
{
    std::string name = platform::PathToUtf8(path.filename());
    const auto point = name.find('.', 1);
    if (point != std::string::npos)
        name.erase(point);
    std::string text = charset::Utf8ToCp1252(name);
    if (text.size() > record::kDesignationLength)
        text.resize(record::kDesignationLength);
    return text;
}

} // namespace

CConverter::CConverter(const CAppSettings& settings)
    : m_settings(settings)
{
}

CConverter::~CConverter() = default;

void CConverter::SetGroupId(std::string id)
{
    m_groupId = project_files::ToUpper(std::move(id));
}

void CConverter::Open(CPanelProject& project, std::vector<CSequenceEntry*> operands, ConversionMode mode,
                      IConverterHost& host)
{
    m_project = &project;
    m_operands = ConvertedOperands(operands);
    m_mode = mode;
    m_host = &host;
    m_projectName = project.GetName();
    m_groupId.clear();
    m_listId.clear();
    m_groupDesignation.clear();
    m_listDesignation.clear();
    m_next = 0;

    m_host->BeginWait();
    if (!project.IsLoaded())
        project.Load();
    m_folder = project.GetGroupFolder();
    const auto* file = static_cast<const CSequenceFile*>(m_operands.front()->GetParent());
    m_defaultDesignation = file ? DesignationFromFile(file->GetFilePath()) : std::string();
    m_sequenceName = file ? charset::Utf8ToCp1252(platform::PathToUtf8(file->GetFilePath().filename())) : std::string();
    m_converted = 0;
    m_operation.reset();
    if (m_history)
        m_operation = std::make_unique<CHistoryOperation>(m_history, project, "convert");
    m_group = nullptr;

    m_kind = m_operands.front()->GetKind();
    LeaveOutTooLong();
    if (!m_operands.empty())
        m_kind = m_operands.front()->GetKind();
    m_groupNumber = 1;
    ProposeGroup();
    m_listNumber = 1;
    ProposeList();
    SkipGroupsWithoutListRoom();
    ComputeBatch();
    m_host->EndWait();
}

// An operand whose text does not fit even as the only entry of a new group
// would stop every operand behind it; it is left out at once, and said so.
void CConverter::LeaveOutTooLong()
{
    m_leftOut.clear();
    const std::int64_t budget = NewGroupBudget();
    // Limits that leave no room at all are a fault of the settings, not of
    // the operands: the batches stay empty and say so.
    if (budget <= 0)
        return;
    std::vector<CSequenceEntry*> kept;
    for (CSequenceEntry* operand : m_operands) {
        std::int64_t cost = TextCost(EntryText(m_settings, *operand));
        if (IsBitKind(operand->GetKind()))
            cost += CStepChainList::kBlockHeaderSize;
        (cost > budget ? m_leftOut : kept).push_back(operand);
    }
    if (m_leftOut.empty())
        return;
    m_operands = std::move(kept);
    std::string names;
    for (std::size_t i = 0; i < m_leftOut.size() && i < kMaxNamedOperands; ++i)
        names += (i > 0 ? ", " : "") + m_leftOut[i]->GetOperandText();
    if (m_leftOut.size() > kMaxNamedOperands)
        names += ", ...";
    m_host->ShowInfo(FormatText(CStringTable::Get(ids::kOperandsTooLong), {m_settings.MaxGroupSizeKb, names}));
}

std::vector<std::string> CConverter::GetGroupChoices() const
{
    std::vector<std::string> ids;
    if (!m_folder)
        return ids;
    for (int i = 0; i < m_folder->GetCount(); ++i)
        ids.push_back(static_cast<CDataFile*>(m_folder->GetAt(i))->GetBaseName().substr(1));
    return ids;
}

std::vector<std::string> CConverter::GetListChoices() const
{
    return ListIdsOfKind(m_kind);
}

std::vector<std::string> CConverter::ListIdsOfKind(int kind) const
{
    std::vector<std::string> ids;
    if (!m_group)
        return ids;
    for (int i = 0; i < m_group->GetCount(); ++i) {
        const auto* list = static_cast<const CStepChainList*>(m_group->GetAt(i));
        if (list->GetKind() == kind)
            ids.push_back(list->GetListId());
    }
    return ids;
}

void CConverter::SelectGroup(bool recompute)
{
    m_exhausted = false;
    auto* found = m_folder ? m_folder->FindGroup(m_groupId) : nullptr;
    if (found) {
        m_group = found;
        m_groupDesignation = m_mode == ConversionMode::all && !found->IsCreated() ? m_defaultDesignation : found->GetName();
        if (!found->IsLoaded()) {
            m_host->BeginWait();
            const bool loaded = found->Load();
            m_host->EndWait();
            if (!loaded) {
                m_unreadableGroup = true;
                m_host->ShowError(ids::kReadError, found->GetFileName());
            }
        }
    } else {
        if (m_group)
            m_groupDesignation = m_defaultDesignation;
        m_group = nullptr;
        // A new group has no lists: its first list is ready to take.
        m_listNumber = 1;
        m_listId = FormatNumber("%03d", m_listNumber);
    }
    m_host->OnListChoices(ListIdsOfKind(m_kind));
    m_list = nullptr;
    m_listDesignation.clear();
    if (recompute)
        ComputeBatch();
}

void CConverter::SelectList(bool recompute)
{
    CStepChainList* found = m_group ? m_group->FindList(m_listId) : nullptr;
    if (found) {
        m_list = found;
        m_listDesignation = m_mode == ConversionMode::all && !found->IsCreated() ? m_rangeText : found->GetName();
    } else {
        if (m_list)
            m_listDesignation = m_rangeText;
        m_list = nullptr;
    }
    UpdateKindLetter();
    if (recompute)
        ComputeBatch();
}

// Mode selected keeps a list of another kind (and Validate refuses it);
// mode all replaces it by one of the operands' kind.
void CConverter::UpdateKindLetter()
{
    m_kindLetterText = m_list && m_mode == ConversionMode::selected ? m_list->GetKindLetter() : KindLetter(m_kind);
}

std::int64_t CConverter::NewGroupBudget() const
{
    const std::int64_t configured = static_cast<std::int64_t>(m_settings.MaxGroupSizeKb) * 1024;
    return std::min(configured, kMaxGroupBudget) - kNewGroupCost;
}

CConverter::Target CConverter::CurrentTarget() const
{
    Target target;
    target.groupKept = m_group && (m_mode == ConversionMode::selected || m_group->IsCreated());
    if (m_group) {
        target.groupSize = static_cast<std::int64_t>(m_group->ComputeSize());
        target.groupLists = m_group->GetCount();
    }
    if (m_list) {
        target.hasList = true;
        target.listSize = m_list->GetListSize();
        target.listTexts = m_list->GetCount();
    }
    return target;
}

CConverter::Limits CConverter::StartingLimits(const Target& target) const
{
    const std::int64_t configured = static_cast<std::int64_t>(m_settings.MaxGroupSizeKb) * 1024;
    Limits limits{std::min(configured, kMaxGroupBudget), std::min(m_settings.MaxOperands, kMaxTextsPerList),
                  std::min(m_settings.MaxLists, kMaxListsPerGroup)};
    if (m_mode == ConversionMode::selected && target.hasList)
        limits.freeOperands -= target.listTexts;
    if (target.groupKept) {
        limits.budget -= target.groupSize;
        if (m_mode == ConversionMode::all && target.hasList)
            limits.budget += target.listSize;
        if (m_mode == ConversionMode::all || !target.hasList)
            limits.budget -= kNewListCost;
        limits.freeLists -= target.groupLists;
    } else {
        limits.budget -= kNewGroupCost;
    }
    limits.budget = std::max<std::int64_t>(limits.budget, 0);
    limits.freeOperands = std::max(limits.freeOperands, 0);
    limits.freeLists = std::max(limits.freeLists, 0);
    return limits;
}

// A group kept as it is that already holds as many lists as its file can
// record takes no new list, whatever the settings say.
bool CConverter::NoListRoom(const Target& target) const
{
    const bool newList = !target.hasList || m_mode == ConversionMode::all;
    return target.groupKept && newList && target.groupLists - (target.hasList ? 1 : 0) >= kMaxListsPerGroup;
}

void CConverter::ComputeBatch()
{
    m_batch.clear();
    if (IsDone())
        return;
    const Target target = CurrentTarget();
    const Limits limits = StartingLimits(target);
    m_freeListsText = FormatNumber("%d", limits.freeLists);
    m_unitText = CStringTable::Get(ids::kUnitLists);
    m_freeOperandsText = FormatNumber("%d", limits.freeOperands);
    m_groupFull = target.hasList ? limits.freeLists == 0 : limits.freeLists <= 1;
    m_kind = m_operands[m_next]->GetKind();
    UpdateKindLetter();
    m_groupNoteText = m_mode == ConversionMode::all && m_group && !m_group->IsCreated()
        ? CStringTable::Get(ids::kGroupWillBeReplaced)
        : std::string();

    if (NoListRoom(target))
        m_groupFull = true;
    else if (!m_exhausted)
        FillBatch(limits);

    UpdateRangeText();
    if (!m_list || (m_mode == ConversionMode::all && !m_list->IsCreated()))
        m_listDesignation = m_rangeText;
    m_countText = FormatNumber("%d", static_cast<int>(m_batch.size()));
}

void CConverter::FillBatch(const Limits& limits)
{
    const Extent extent = MeasureBatch(m_next, limits, m_mode == ConversionMode::selected ? m_list : nullptr);
    const auto first = m_operands.begin() + static_cast<std::ptrdiff_t>(m_next);
    m_batch.assign(first, first + static_cast<std::ptrdiff_t>(extent.count));
    if (!extent.full)
        return;
    m_groupFull = true;
    if (m_batch.empty()) {
        m_freeListsText = "0";
        m_unitText = CStringTable::Get(ids::kUnitBytes);
    }
}

CConverter::Extent CConverter::MeasureBatch(std::size_t from, const Limits& limits, const CStepChainList* extended)
{
    Extent extent;
    const int kind = m_operands[from]->GetKind();
    std::size_t freeOperands = static_cast<std::size_t>(limits.freeOperands);
    for (std::size_t j = from; j < m_operands.size(); ++j) {
        const CSequenceEntry& operand = *m_operands[j];
        if (operand.GetKind() != kind)
            break;
        const CStepChainText* existing = extended ? extended->FindText(operand.GetByte(), operand.GetBit()) : nullptr;
        if (existing)
            ++freeOperands; // replaced, not added
        if (extent.count >= freeOperands)
            break;
        std::int64_t cost = EntryCost(operand, extent.count == 0);
        if (existing) {
            const std::int64_t old = TextCost(existing->GetText());
            cost = cost > old ? cost - old : 0;
        }
        if (extent.used + cost > limits.budget) {
            extent.full = true;
            break;
        }
        ++extent.count;
        extent.used += cost;
    }
    return extent;
}

void CConverter::UpdateRangeText()
{
    if (m_batch.size() >= 2)
        m_rangeText = m_batch.front()->GetOperandText() + " - " + m_batch.back()->GetOperandText();
    else if (m_batch.size() == 1)
        m_rangeText = m_batch.front()->GetOperandText();
    else
        m_rangeText = m_operands[m_next]->GetOperandText() + " - ...";
}

int CConverter::EntryCost(const CSequenceEntry& operand, bool first)
{
    int cost = TextCost(EntryText(m_settings, operand));
    if (IsBitKind(operand.GetKind()) && (first || operand.GetByte() != m_lastByte))
        cost += static_cast<int>(CStepChainList::kBlockHeaderSize);
    m_lastByte = operand.GetByte();
    return cost;
}

bool CConverter::Validate()
{
    m_groupId = project_files::ToUpper(m_groupId);
    if (const unsigned problem = CStepChainGroup::CheckGroupId(m_groupId)) {
        m_host->ShowError(problem, {});
        return false;
    }
    if (m_listId.size() != 3) {
        m_host->ShowError(ids::kListIdInvalid, {});
        return false;
    }
    if (m_mode == ConversionMode::selected && m_list && m_list->GetKind() != m_kind) {
        m_host->ShowError(ids::kListOtherKind, {});
        return false;
    }
    return true;
}

bool CConverter::ConvertBatch()
{
    if (m_batch.empty())
        return true;
    m_host->BeginWait();
    const bool done = WriteBatch();
    m_host->EndWait();
    return done;
}

bool CConverter::WriteBatch()
{
    const bool replacing = m_mode == ConversionMode::all && m_group && !m_group->IsCreated();
    if (!PrepareGroup())
        return false;
    PrepareList();
    m_answer = answer_code::kYes;
    CStepChainText* last = nullptr;
    std::size_t kept = 0;
    if (!AddTexts(last, kept)) {
        // The question was closed: the step is cancelled as a whole.
        RestoreGroup(replacing);
        return false;
    }
    m_list->Sort();
    m_group->Sort();
    m_list->OnEntryChanged(last);
    if (!m_deferSave && !SaveStep(kept)) {
        RestoreGroup(replacing);
        return false;
    }
    m_skipped += kept;
    m_converted += m_batch.size() - kept;
    if (m_deferSave)
        m_deferred[m_group] += m_batch.size() - kept;
    m_host->OnBatchConverted(m_group->GetBaseName(), m_list->GetKindAndId(), m_rangeText, m_batch.size());
    m_next += m_batch.size();
    return true;
}

// Groups that exist are changed in memory only; the save at the end of
// the step (or Close) writes their complete new content at once.
bool CConverter::PrepareGroup()
{
    if (!m_group)
        return CreateGroup();
    if (!EnsureGroupReadable())
        return false;
    if (m_mode == ConversionMode::all && !m_group->IsCreated()) {
        ClearForReplacement();
    } else if (m_group->GetName() != m_groupDesignation) {
        m_group->SetName(m_groupDesignation);
        m_group->SetModified(true);
    }
    return true;
}

bool CConverter::EnsureGroupReadable()
{
    if (m_group->IsLoaded() || m_group->Load())
        return true;
    // Its file could not be read: writing the group would replace content
    // nobody has seen.
    m_unreadableGroup = true;
    m_host->ShowError(ids::kGroupUnreadable, m_group->GetFileName());
    return false;
}

std::unique_ptr<CStepChainGroup> CConverter::WriteEmptyGroup()
{
    auto group = std::make_unique<CStepChainGroup>(m_folder);
    group->SetCreated(true);
    // Written only while no file of its name exists.
    if (!group->Rename("G" + m_groupId, m_groupDesignation)) {
        if (group->ChangedOnDisk())
            RefuseCreatedFile(group->GetFileName());
        else
            m_host->ShowError(SaveErrorOf(*group), group->GetFileName());
        return nullptr;
    }
    return group;
}

bool CConverter::CreateGroup()
{
    // A file of that name that the folder did not take as a group (its
    // header could not be read) is left as it is.
    const std::string fileName = "G" + m_groupId + "." + m_project->GetProjectExt();
    if (const auto existing = project_files::FindIgnoringCase(m_project->GetProjectDir(), fileName)) {
        // A group file another program created since the folder was read.
        if (CStepChainGroup(m_folder, project_files::ToUpper(*existing), *existing).IsValid()) {
            RefuseCreatedFile(fileName);
            return false;
        }
        m_unreadableGroup = true;
        m_host->ShowError(ids::kReadError, *existing);
        return false;
    }
    auto group = WriteEmptyGroup();
    if (!group)
        return false;
    m_group = m_folder->AddNew(std::move(group));
    m_list = nullptr;
    m_groupId = project_files::ToUpper(m_group->GetBaseName().substr(1));
    m_host->OnGroupAdded(m_groupId);
    return true;
}

// The group becomes a new, empty one of this run under the same file name;
// its file keeps the old content until the new one replaces it whole.
void CConverter::ClearForReplacement()
{
    while (m_group->GetCount() > 0)
        m_group->Remove(m_group->GetAt(m_group->GetCount() - 1));
    m_group->SetName(m_groupDesignation);
    m_group->SetCreated(true);
    m_group->SetModified(true);
    m_list = nullptr;
    m_host->OnListChoices({});
}

void CConverter::PrepareList()
{
    if (m_list && m_mode == ConversionMode::all) {
        m_group->Remove(m_list);
        m_list = nullptr;
    }
    if (!m_list) {
        auto list = std::make_unique<CStepChainList>(m_group);
        list->SetCreated(true);
        CStepChainList* added = m_group->AddNew(std::move(list));
        added->SetProperties(m_listId, m_kind, m_listDesignation);
        m_list = added;
        m_host->OnListAdded(m_listId);
    } else if (m_list->GetName() != m_listDesignation) {
        m_list->SetProperties(m_list->GetListId(), m_list->GetKind(), m_listDesignation);
    }
}

bool CConverter::AddTexts(CStepChainText*& last, std::size_t& kept)
{
    for (const CSequenceEntry* operand : m_batch) {
        if (CStepChainText* existing = m_list->FindText(operand->GetByte(), operand->GetBit())) {
            if (m_mode == ConversionMode::selected) {
                if (m_answer == answer_code::kYes || m_answer == answer_code::kNo)
                    m_answer = m_host->AskOverwrite(
                        FormatText(CStringTable::Get(ids::kOperandExists), {operand->GetOperandText()}));
                if (m_answer == answer_code::kClosed)
                    return false;
                if (m_answer == answer_code::kNo || m_answer == answer_code::kNoForAll) {
                    ++kept;
                    continue;
                }
            }
            m_list->Remove(existing);
        }
        last = m_list->AddNew(std::make_unique<CStepChainText>(m_list, operand->GetByte(), operand->GetBit(), 0, 0,
                                                               EntryText(m_settings, *operand)));
    }
    return true;
}

bool CConverter::SaveStep(std::size_t kept)
{
    if (m_group->Save()) {
        const std::string list = m_list->GetKindAndId();
        if (kept == 0)
            m_host->ShowInfo(
                FormatText(CStringTable::Get(ids::kConverted), {m_rangeText, m_group->GetBaseName(), list}));
        else
            m_host->ShowInfo(FormatText(CStringTable::Get(ids::kConvertedWithKept),
                                        {m_rangeText, m_group->GetBaseName(), list,
                                         static_cast<int>(m_batch.size() - kept), static_cast<int>(kept)}));
        return true;
    }
    // Another program changed the file since it was read: the caller
    // reads the group again, and the same proposal then works on what the
    // file holds now.
    m_changedFiles += m_group->ChangedOnDisk() ? 1 : 0;
    m_host->ShowError(SaveErrorOf(*m_group), m_group->GetFileName());
    return false;
}

unsigned CConverter::SaveErrorOf(const CStepChainGroup& group) const
{
    if (group.ChangedOnDisk())
        return ids::kChangedOnDisk;
    const auto& error = group.GetLastError();
    return error && error->GetCause() == CFileException::Cause::journalRefused ? ids::kHistoryUnwritable
                                                                               : ids::kWriteError;
}

// Back to what the group's file holds; the list objects of the step are
// gone with it. A group that was to be replaced is the old one again.
void CConverter::RestoreGroup(bool replaced)
{
    m_group->RemoveAll();
    m_group->Load();
    if (replaced)
        m_group->SetCreated(false);
    m_list = m_group->FindList(m_listId);
    UpdateKindLetter();
}

void CConverter::RefuseCreatedFile(const std::string& fileName)
{
    ++m_changedFiles;
    if (const auto disk = project_files::FindIgnoringCase(m_project->GetProjectDir(), fileName)) {
        if (m_folder->CreateEntryForFile(project_files::ToUpper(*disk), *disk))
            m_host->OnGroupAdded(m_groupId);
        const std::string designation = m_groupDesignation;
        SelectGroup(false);
        SelectList(false);
        m_groupDesignation = designation;
    }
    m_host->ShowError(ids::kChangedOnDisk, fileName);
}

void CConverter::Advance()
{
    if (IsDone())
        return;
    const int kind = m_operands[m_next]->GetKind();
    if (kind != m_kind) {
        m_kind = kind;
        m_host->OnListChoices(ListIdsOfKind(m_kind));
    }
    if (m_groupFull) {
        if (ProposeNextGroup())
            SkipGroupsWithoutListRoom();
        return;
    }
    ++m_listNumber;
    ProposeList();
}

// List 001 of the next group number; false (and the user told once) when
// S99 was the last.
bool CConverter::ProposeNextGroup()
{
    if (m_groupNumber >= kLastGroupNumber) {
        if (!m_exhausted)
            ReportRemaining();
        m_exhausted = true;
        return false;
    }
    ++m_groupNumber;
    ProposeGroup();
    m_listNumber = 1;
    ProposeList();
    return true;
}

// Mode selected extends existing groups: a proposal of a new list moves on
// past every group that holds MaxLists lists already. (A group the user
// chooses is taken all the same.)
void CConverter::SkipGroupsWithoutListRoom()
{
    while (m_mode == ConversionMode::selected && m_group && !m_list && m_group->GetCount() >= m_settings.MaxLists)
        if (!ProposeNextGroup())
            return;
}

// Mode selected never proposes a list that holds another kind of operand,
// which Validate would refuse; mode all replaces such a list.
void CConverter::ProposeList()
{
    while (m_mode == ConversionMode::selected && m_group && m_listNumber < kLastListNumber) {
        const CStepChainList* taken = m_group->FindList(FormatNumber("%03d", m_listNumber));
        if (!taken || taken->GetKind() == m_kind)
            break;
        ++m_listNumber;
    }
    m_listId = FormatNumber("%03d", m_listNumber);
    SelectList(false);
}

void CConverter::ProposeGroup()
{
    m_groupId = FormatNumber("S%02d", m_groupNumber);
    SelectGroup(false);
    if (!m_group || (m_mode == ConversionMode::all && !m_group->IsCreated()))
        m_groupDesignation = m_defaultDesignation;
}

void CConverter::ReportRemaining()
{
    m_host->ShowInfo(FormatText(CStringTable::Get(ids::kGroupsExhausted), {static_cast<int>(GetRemainingCount())}));
}

std::vector<CStepChainGroup*> CConverter::PlanReplacedGroups()
{
    std::vector<CStepChainGroup*> replaced;
    if (m_mode != ConversionMode::all || !m_folder)
        return replaced;
    // What each group this run writes will hold: its size and its lists'.
    struct Planned {
        std::int64_t size = 0;
        std::map<std::string, std::int64_t> lists;
    };
    std::map<std::string, Planned> planned;
    const std::uint8_t lastByte = m_lastByte;
    std::size_t next = m_next;
    int groupNumber = m_groupNumber;
    int listNumber = m_listNumber;
    std::string groupId = m_groupId;
    std::string listId = m_listId;
    bool exhausted = m_exhausted;
    for (int emptyPasses = 0; next < m_operands.size() && emptyPasses < 2 && !exhausted;) {
        auto* group = static_cast<CStepChainGroup*>(m_folder->FindEntry("G" + groupId));
        auto known = planned.find(groupId);
        if (known == planned.end() && group && group->IsCreated()) {
            Planned now{static_cast<std::int64_t>(group->ComputeSize()), {}};
            for (int i = 0; i < group->GetCount(); ++i)
                now.lists[project_files::ToUpper(group->GetList(i)->GetListId())] = group->GetList(i)->GetListSize();
            known = planned.emplace(groupId, std::move(now)).first;
        }
        Target target;
        if (known != planned.end()) {
            const auto list = known->second.lists.find(project_files::ToUpper(listId));
            target = {true, known->second.size, static_cast<int>(known->second.lists.size()),
                      list != known->second.lists.end(), list != known->second.lists.end() ? list->second : 0, 0};
        } else {
            // To be replaced or created: charged as new, as ComputeBatch does.
            target.hasList = group && group->FindList(listId);
        }
        const Limits limits = StartingLimits(target);
        bool groupFull = target.hasList ? limits.freeLists == 0 : limits.freeLists <= 1;
        Extent extent;
        if (NoListRoom(target))
            groupFull = true;
        else
            extent = MeasureBatch(next, limits, nullptr);
        groupFull = groupFull || extent.full;
        if (extent.count > 0) {
            if (known == planned.end()) {
                if (group)
                    replaced.push_back(group);
                known = planned.emplace(groupId, Planned{static_cast<std::int64_t>(
                                                             CStepChainGroup::HeaderSize(m_projectName.size())), {}})
                            .first;
            }
            std::int64_t& list = known->second.lists[project_files::ToUpper(listId)];
            known->second.size += kNewListCost + extent.used - list;
            list = kNewListCost + extent.used;
            next += extent.count;
        }
        emptyPasses = extent.count == 0 ? emptyPasses + 1 : 0;
        if (groupFull) {
            exhausted = groupNumber >= kLastGroupNumber;
            groupId = FormatNumber("S%02d", ++groupNumber);
            listNumber = 1;
        } else {
            ++listNumber;
        }
        listId = FormatNumber("%03d", listNumber);
    }
    m_lastByte = lastByte;
    return replaced;
}

bool CConverter::ConfirmReplacements()
{
    const std::vector<CStepChainGroup*> groups = PlanReplacedGroups();
    if (groups.empty())
        return true;
    std::string names;
    for (const CStepChainGroup* group : groups)
        names += (names.empty() ? "" : ", ") + group->GetBaseName();
    const unsigned text = groups.size() == 1 ? ids::kGroupReplaced : ids::kGroupsReplaced;
    return m_host->AskOkCancel(FormatText(CStringTable::Get(text), {names}));
}

bool CConverter::Accept()
{
    if (m_batch.empty())
        return false;
    if (m_mode == ConversionMode::all && m_group && !m_group->IsCreated()
        && !m_host->AskOkCancel(FormatText(CStringTable::Get(ids::kGroupExists), {m_group->GetBaseName()})))
        return false;
    if (ConvertBatch())
        Advance();
    ComputeBatch();
    return IsDone();
}

bool CConverter::AcceptAll()
{
    m_deferSave = true;
    int emptyPasses = 0;
    while (!IsDone() && emptyPasses < 2) {
        const std::size_t before = m_next;
        ConvertBatch();
        Advance();
        ComputeBatch();
        emptyPasses = m_next == before ? emptyPasses + 1 : 0;
        if (!m_host->ContinueAcceptAll(*this))
            return IsDone();
    }
    if (!IsDone() && !m_exhausted)
        m_host->ShowInfo(
            FormatText(CStringTable::Get(ids::kOperandsLeft), {static_cast<int>(GetRemainingCount())}));
    return IsDone();
}

bool CConverter::AcceptStepwise()
{
    int emptySteps = 0;
    while (!IsDone() && emptySteps < 2) {
        const std::size_t before = m_next;
        if (CanAccept()) {
            if (!Validate())
                break;
            Accept();
        } else {
            Advance();
            ComputeBatch();
        }
        emptySteps = m_next == before ? emptySteps + 1 : 0;
    }
    return IsDone();
}

void CConverter::Close()
{
    if (m_deferSave && m_folder) {
        m_host->BeginWait();
        int saved = 0;
        int failed = 0;
        // Saving re-sorts the folder; walk a copy.
        std::vector<CStepChainGroup*> groups;
        for (int i = 0; i < m_folder->GetCount(); ++i)
            if (static_cast<CStepChainGroup*>(m_folder->GetAt(i))->IsModified())
                groups.push_back(static_cast<CStepChainGroup*>(m_folder->GetAt(i)));
        if (!KeepBeforeSaving(groups))
            groups.clear();
        for (CStepChainGroup* group : groups) {
            if (group->Save()) {
                ++saved;
            } else {
                ++failed;
                m_failedSave = true;
                // The project is read again from disk on the next run.
                if (group->ChangedOnDisk()) {
                    ++m_changedFiles;
                    m_host->ShowError(ids::kChangedOnDisk, group->GetFileName());
                    continue;
                }
                const auto notConverted = static_cast<int>(m_deferred[group]);
                m_host->ShowSaveFailed(SaveErrorOf(*group), group->GetFileName(),
                                       FormatText(CStringTable::Get(ids::kOperandsNotConverted), {notConverted}));
            }
        }
        m_host->EndWait();
        // Only true when it is: AcceptAll may have stopped with operands left.
        if (saved > 0 && failed == 0 && IsDone() && m_leftOut.empty())
            m_host->ShowInfo(CStringTable::Get(ids::kAllConverted));
    }
    m_deferred.clear();
    FinishOperation();
    if (m_project)
        m_project->RemoveAll();
    m_group = nullptr;
    m_list = nullptr;
    m_folder = nullptr;
}

bool CConverter::KeepBeforeSaving(const std::vector<CStepChainGroup*>& groups)
{
    IFileJournal* journal = m_project->GetFileJournal();
    if (!journal || groups.empty())
        return true;
    try {
        CStepChainGroup::AnnounceSaves(*journal, groups);
        return true;
    } catch (const CFileException& e) {
        m_failedSave = true;
        m_host->ShowError(ids::kHistoryUnwritable,
                          platform::PathToCp1252(e.GetFile().filename()).value_or(groups.front()->GetFileName()));
        return false;
    }
}

// One operation for the whole run, named after what it converted where.
void CConverter::FinishOperation()
{
    if (!m_operation)
        return;
    std::string groups;
    for (const std::string& name : m_operation->ChangedFiles())
        groups += (groups.empty() ? "" : ", ") + name.substr(1, 3);
    m_operation->SetDescription(FormatText(CStringTable::Get(ids::kConversionDescription),
                                           {m_sequenceName, static_cast<int>(m_converted), groups}));
    m_operation->Finish();
    m_operation.reset();
}
