#include "convert/ProjectComparison.h"

#include "convert/ConvertedOperands.h"
#include "convert/EntryText.h"
#include "data/text/ErrorMessage.h"
#include "data/sequence/OperandFilter.h"
#include "data/records/RecordStream.h"
#include "data/sequence/SequenceEntry.h"
#include "data/text/StringTable.h"
#include "data/text/Charset.h"
#include "data/text/TextFormat.h"
#include "data/platform/Platform.h"
#include "data/sequence/SequenceFile.h"
#include "history/HistoryOperation.h"
#include "panel/GroupFolder.h"
#include "panel/PanelProject.h"
#include "panel/ProjectFiles.h"
#include "panel/StepChainGroup.h"
#include "panel/StepChainList.h"
#include "panel/StepChainText.h"

#include <algorithm>
#include <set>

namespace {

constexpr std::uint32_t kKinds = 6;
constexpr std::int32_t kNone = -1;

// Kind, byte and bit in 19 bits; number kinds have no bit.
std::uint32_t Key(int kind, std::uint8_t byte, std::uint8_t bit)
{
    return (static_cast<std::uint32_t>(kind) << 16) | (static_cast<std::uint32_t>(byte) << 8)
        | (IsBitKind(kind) ? bit : 0u);
}

// Items in the order of their identifiers, ignoring case; equal ones keep
// their order.
template <class Item, class Id>
std::vector<Item*> ByIdentifier(std::vector<Item*> items, Id id)
{
    std::stable_sort(items.begin(), items.end(), [&](const Item* a, const Item* b) {
        return project_files::CompareIgnoringCase(id(*a), id(*b)) < 0;
    });
    return items;
}

} // namespace

std::string CProjectComparison::Row::OperandName() const
{
    return FormatOperand(kind, byte, bit);
}

std::string CProjectComparison::Row::StoredText() const
{
    return text ? text->GetText() : std::string();
}

std::string CProjectComparison::Row::NewText() const
{
    return record::DecodeReferences(expected);
}

const char* CProjectComparison::StatusName(Status status)
{
    switch (status) {
    case Status::same: return "same";
    case Status::changed: return "changed";
    case Status::added: return "new";
    case Status::orphan: return "orphan";
    }
    return "";
}

CProjectComparison::Kinds CProjectComparison::KindsShownBy(const COperandFilter& filter)
{
    Kinds kinds;
    for (int kind = kKindInput; kind <= kKindCounter; ++kind)
        kinds.set(static_cast<std::size_t>(kind), filter.Shows(kind));
    return kinds;
}

CProjectComparison::CProjectComparison(const CAppSettings& settings)
    : m_settings(settings)
{
}

void CProjectComparison::Clear()
{
    m_rows.clear();
    m_counts = {};
    m_unreadable.clear();
}

void CProjectComparison::Compare(const std::vector<CSequenceEntry*>& operands, CPanelProject& project, Kinds kinds)
{
    Clear();
    CollectExpected(operands, kinds);
    m_rows.reserve(m_expected.size());
    m_project = &project;
    const auto* file = operands.empty() ? nullptr : dynamic_cast<const CSequenceFile*>(operands.front()->GetParent());
    m_sequenceName = file ? charset::Utf8ToCp1252(platform::PathToUtf8(file->GetFilePath().filename())) : std::string();

    if (!project.IsLoaded())
        project.Load();
    std::vector<CStepChainGroup*> groups;
    if (const CGroupFolder* folder = project.GetGroupFolder())
        for (int i = 0; i < folder->GetCount(); ++i)
            groups.push_back(folder->GetGroup(i));
    for (CStepChainGroup* group : ByIdentifier(groups, [](const CStepChainGroup& g) { return g.GetGroupId(); })) {
        if (!group->IsLoaded() && !group->Load()) {
            m_unreadable.push_back(group);
            continue;
        }
        std::vector<CStepChainList*> lists;
        for (int i = 0; i < group->GetCount(); ++i)
            lists.push_back(group->GetList(i));
        for (CStepChainList* list : ByIdentifier(lists, [](const CStepChainList& l) { return l.GetListId(); }))
            CompareList(*group, *list, kinds);
    }
    AddNewOperands();
    SortRows();
}

void CProjectComparison::CollectExpected(const std::vector<CSequenceEntry*>& operands, Kinds kinds)
{
    m_slots.assign(kKinds << 16, kNone);
    m_expected.clear();
    std::vector<CSequenceEntry*> shown;
    shown.reserve(operands.size());
    for (CSequenceEntry* operand : operands) {
        const int kind = operand->GetKind();
        if (kind > 0 && kind < static_cast<int>(kKinds) && kinds.test(static_cast<std::size_t>(kind)))
            shown.push_back(operand);
    }
    for (CSequenceEntry* operand : ConvertedOperands(shown)) {
        m_slots[Key(operand->GetKind(), operand->GetByte(), operand->GetBit())] =
            static_cast<std::int32_t>(m_expected.size());
        m_expected.push_back({operand, record::EncodeReferences(EntryText(m_settings, *operand)), false});
    }
}

void CProjectComparison::CompareList(CStepChainGroup& group, CStepChainList& list, Kinds kinds)
{
    const int kind = list.GetKind();
    if (kind <= 0 || kind >= static_cast<int>(kKinds) || !kinds.test(static_cast<std::size_t>(kind)))
        return;
    for (int i = 0; i < list.GetCount(); ++i) {
        CStepChainText* text = list.GetText(i);
        Row row;
        row.kind = kind;
        row.byte = text->GetOperand();
        row.bit = IsBitKind(kind) ? text->GetBit() : 0;
        row.group = &group;
        row.list = &list;
        row.text = text;
        const std::int32_t slot = m_slots[Key(kind, row.byte, row.bit)];
        if (slot == kNone) {
            row.status = Status::orphan;
            ++m_counts.orphan;
        } else {
            Expected& expected = m_expected[static_cast<std::size_t>(slot)];
            expected.found = true;
            row.operand = expected.operand;
            row.expected = expected.stored;
            const bool same = text->GetStoredText() == expected.stored;
            row.status = same ? Status::same : Status::changed;
            ++(same ? m_counts.same : m_counts.changed);
        }
        m_rows.push_back(row);
    }
}

void CProjectComparison::AddNewOperands()
{
    for (const Expected& expected : m_expected) {
        if (expected.found)
            continue;
        Row row;
        row.status = Status::added;
        row.kind = expected.operand->GetKind();
        row.byte = expected.operand->GetByte();
        row.bit = IsBitKind(row.kind) ? expected.operand->GetBit() : 0;
        row.operand = expected.operand;
        row.expected = expected.stored;
        m_rows.push_back(row);
        ++m_counts.added;
    }
}

void CProjectComparison::SortRows()
{
    // Rows were collected group by group and list by list in identifier
    // order: a stable sort by operand keeps that order within an operand.
    // The keys are few, so the rows are counted into place.
    std::vector<std::uint32_t> starts((kKinds << 16) + 1, 0);
    for (const Row& row : m_rows)
        ++starts[Key(row.kind, row.byte, row.bit) + 1];
    for (std::size_t i = 1; i < starts.size(); ++i)
        starts[i] += starts[i - 1];
    std::vector<Row> sorted(m_rows.size());
    for (const Row& row : m_rows)
        sorted[starts[Key(row.kind, row.byte, row.bit)]++] = row;
    m_rows = std::move(sorted);
}

CProjectComparison::ApplyResult CProjectComparison::ApplyAll(CProjectHistory* history)
{
    std::vector<std::size_t> rows;
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].status == Status::changed)
            rows.push_back(i);
    return Apply(rows, history);
}

CProjectComparison::ApplyResult CProjectComparison::Apply(std::vector<std::size_t> rows, CProjectHistory* history)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    ApplyResult result;
    std::vector<CStepChainGroup*> groups; // in the order they are first touched
    std::set<CStepChainList*> lists;
    std::vector<std::size_t> replaced;
    for (std::size_t index : rows) {
        if (index >= m_rows.size() || m_rows[index].status != Status::changed)
            continue;
        const Row& row = m_rows[index];
        row.text->SetStoredText(std::string(row.expected));
        lists.insert(row.list);
        if (std::find(groups.begin(), groups.end(), row.group) == groups.end())
            groups.push_back(row.group);
        replaced.push_back(index);
    }
    // Each list once: its size and its group's modified flag.
    for (CStepChainList* list : lists)
        list->OnEntryChanged(nullptr);
    if (!groups.empty())
        SaveGroups(groups, replaced, result, history);
    Clear();
    return result;
}

void CProjectComparison::SaveGroups(const std::vector<CStepChainGroup*>& groups,
                                    const std::vector<std::size_t>& replaced, ApplyResult& result,
                                    CProjectHistory* history)
{
    CHistoryOperation operation(history, *m_project, "compare");
    bool kept = true;
    try {
        CStepChainGroup::AnnounceSaves(operation, groups);
    } catch (const CFileException&) {
        kept = false;
    }
    std::string names;
    for (CStepChainGroup* group : groups) {
        if (kept && group->Save()) {
            result.savedFiles.push_back(group->GetFileName());
            result.replaced += static_cast<std::size_t>(
                std::count_if(replaced.begin(), replaced.end(), [&](std::size_t i) { return m_rows[i].group == group; }));
            names += (names.empty() ? "" : ", ") + group->GetGroupId();
            continue;
        }
        // Another program's change is said as such: read again, try again.
        const auto& error = group->GetLastError();
        const bool refused = !kept || (error && error->GetCause() == CFileException::Cause::journalRefused);
        CErrorMessage(refused ? ids::kHistoryUnwritable : group->ChangedOnDisk() ? ids::kChangedOnDisk : ids::kWriteError,
                      group->GetFileName(), 0)
            .Report();
        result.failedFiles.push_back(group->GetFileName());
        // What the file holds is what counts.
        group->RemoveAll();
        group->Load();
    }
    operation.SetDescription(FormatText(CStringTable::Get(ids::kComparisonDescription),
                                        {m_sequenceName, static_cast<int>(result.replaced), names}));
}
