#pragma once

#include "convert/AnswerCode.h"
#include "convert/ConversionMode.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CAppSettings;
class CGroupFolder;
class CHistoryOperation;
class CPanelProject;
class CProjectHistory;
class CSequenceEntry;
class CStepChainGroup;
class CStepChainList;
class CStepChainText;
class IConverterHost;

// Converts operands of a sequence file into step-chain texts of a panel
// project: it proposes the target group and list, cuts the operands into
// batches that respect the configured limits and the file format's own,
// writes each batch and moves on. One converter serves one run of the
// conversion dialog; it owns nothing of the project. It talks to the user
// only through its host.
class CConverter {
public:
    explicit CConverter(const CAppSettings& settings);
    ~CConverter();

    // The history that records each run (Open to Close, all its steps) as
    // one operation; null (the default): none. Set before Open.
    void SetHistory(CProjectHistory* history) { m_history = history; }

    // Prepares a run; `operands` (at least one) in the order of the view's
    // rows. Loads the project when it is not loaded yet.
    void Open(CPanelProject& project, std::vector<CSequenceEntry*> operands, ConversionMode mode, IConverterHost& host);
    // Target group from the group identifier; recompute: ComputeBatch.
    void SelectGroup(bool recompute);
    // Target list from the list identifier; recompute: ComputeBatch.
    void SelectList(bool recompute);
    // The operands of the next step and the display texts.
    void ComputeBatch();
    // Checks the identifiers; reports the first fault through the host.
    bool Validate();
    // Writes the batch; false when the step was not done (a failed save, or
    // the overwrite question closed without an answer, which cancels the
    // whole step: the group is read again from its file, nothing written).
    bool ConvertBatch();
    // Proposes the next list or group.
    void Advance();
    // One step ("Übernehmen"); true when every operand is handled.
    bool Accept();
    // Every remaining step ("Alle übernehmen", mode all); groups are saved by
    // Close. True when every operand is handled; false when it stopped
    // with operands left (the host says how many and stays open).
    bool AcceptAll();
    // "Übernehmen" on every proposal in turn, for hosts without a person:
    // an empty proposal moves on as after a finished step, without being
    // validated. Stops when every operand is handled, when Validate refuses
    // a proposal it would accept, or after two proposals in a row that
    // handle nothing. True when all are handled.
    bool AcceptStepwise();
    // The existing groups that AcceptAll would replace from the present
    // proposal on, in the order it reaches them (mode all).
    std::vector<CStepChainGroup*> PlanReplacedGroups();
    // Before AcceptAll in the desktop program: asks once, naming every
    // group it would replace; true when there is none or the user agrees.
    bool ConfirmReplacements();
    // Saves what AcceptAll converted and releases the project's contents.
    void Close();

    // Set by the host from its controls (Windows-1252 texts).
    void SetGroupId(std::string id);
    void SetListId(std::string id) { m_listId = std::move(id); }
    void SetGroupDesignation(std::string text) { m_groupDesignation = std::move(text); }
    void SetListDesignation(std::string text) { m_listDesignation = std::move(text); }

    ConversionMode GetMode() const { return m_mode; }
    const std::string& GetProjectName() const { return m_projectName; }
    const std::string& GetGroupId() const { return m_groupId; }
    const std::string& GetListId() const { return m_listId; }
    const std::string& GetGroupDesignation() const { return m_groupDesignation; }
    const std::string& GetListDesignation() const { return m_listDesignation; }
    const std::string& GetDefaultDesignation() const { return m_defaultDesignation; }
    // The group identifiers of the project (without their "G").
    std::vector<std::string> GetGroupChoices() const;
    // The list identifiers of the target group that hold the current kind.
    std::vector<std::string> GetListChoices() const;

    // Display texts, as ComputeBatch leaves them.
    const std::string& GetFreeListsText() const { return m_freeListsText; }
    const std::string& GetUnitText() const { return m_unitText; }
    const std::string& GetFreeOperandsText() const { return m_freeOperandsText; }
    const std::string& GetRangeText() const { return m_rangeText; }
    const std::string& GetCountText() const { return m_countText; }
    // The kind letter shown beside the list identifier.
    const std::string& GetKindLetterText() const { return m_kindLetterText; }
    // Shown beside the group: "wird ersetzt" while the target group exists
    // and the step replaces it (mode all), else empty.
    const std::string& GetGroupNoteText() const { return m_groupNoteText; }

    // Both accept operations are possible exactly when this is true.
    bool CanAccept() const { return !m_batch.empty(); }
    const std::vector<CSequenceEntry*>& GetBatch() const { return m_batch; }
    bool IsDone() const { return m_next >= m_operands.size(); }
    std::size_t GetRemainingCount() const { return m_operands.size() - m_next; }
    std::size_t GetOperandCount() const { return m_operands.size(); }
    // Operands left out when the run opened: their text does not fit even
    // into an empty list of a new group.
    const std::vector<CSequenceEntry*>& GetLeftOut() const { return m_leftOut; }
    // Operands skipped by a "no" answer (they count as handled).
    std::size_t GetSkippedCount() const { return m_skipped; }
    // True once a group could not be read during this run.
    bool HadUnreadableGroup() const { return m_unreadableGroup; }
    // True when Close could not write a group that "Alle übernehmen"
    // converted (its file keeps the old content).
    bool HadFailedSave() const { return m_failedSave; }
    // How many writes were refused because another program had changed
    // the file meanwhile.
    int GetChangedFileCount() const { return m_changedFiles; }
    CStepChainGroup* GetGroup() const { return m_group; }
    CStepChainList* GetList() const { return m_list; }

    // The highest group number the proposals use (S99).
    static constexpr int kLastGroupNumber = 99;

private:
    struct Limits {
        std::int64_t budget;
        int freeOperands;
        int freeLists;
    };

    // What the limits of a step depend on: the target group and list, as
    // they are or as a planned run would leave them.
    struct Target {
        bool groupKept = false; // the group is extended, not created or replaced
        std::int64_t groupSize = 0;
        int groupLists = 0;
        bool hasList = false;
        std::int64_t listSize = 0;
        int listTexts = 0;
    };
    // The operands a step takes from an index on, and their cost.
    struct Extent {
        std::size_t count = 0;
        std::int64_t used = 0;
        bool full = false; // the budget stopped it
    };

    Target CurrentTarget() const;
    Limits StartingLimits(const Target& target) const;
    bool NoListRoom(const Target& target) const;
    Extent MeasureBatch(std::size_t from, const Limits& limits, const CStepChainList* extended);
    bool ProposeNextGroup();
    void SkipGroupsWithoutListRoom();
    std::int64_t NewGroupBudget() const;
    void LeaveOutTooLong();
    void ProposeList();
    void UpdateKindLetter();
    int EntryCost(const CSequenceEntry& operand, bool first);
    void FillBatch(const Limits& limits);
    void UpdateRangeText();
    void ProposeGroup();
    std::vector<std::string> ListIdsOfKind(int kind) const;

    bool WriteBatch();
    bool PrepareGroup();
    bool CreateGroup();
    void ClearForReplacement();
    // The group m_groupId with m_groupDesignation and no lists, written to
    // its file; null (and the error shown) when that fails.
    std::unique_ptr<CStepChainGroup> WriteEmptyGroup();
    // Another program created the file of the group this step was to
    // create: nothing was written; that group becomes the target of the
    // same proposal, and the user is told.
    void RefuseCreatedFile(const std::string& fileName);
    bool EnsureGroupReadable();
    void PrepareList();
    // False when the overwrite question was closed without an answer.
    bool AddTexts(CStepChainText*& last, std::size_t& kept);
    bool SaveStep(std::size_t kept);
    void RestoreGroup(bool replaced);
    void ReportRemaining();
    // The error message for a group that could not be written.
    unsigned SaveErrorOf(const CStepChainGroup& group) const;
    // "Alle übernehmen" writes its groups at the end: the history keeps
    // all of them before the first is written. False (and said) when it
    // cannot.
    bool KeepBeforeSaving(const std::vector<CStepChainGroup*>& groups);
    void FinishOperation();

    const CAppSettings& m_settings;
    ConversionMode m_mode = ConversionMode::selected;
    bool m_deferSave = false;
    int m_answer = answer_code::kYes;
    CPanelProject* m_project = nullptr;
    CGroupFolder* m_folder = nullptr;
    CStepChainGroup* m_group = nullptr;
    CStepChainList* m_list = nullptr;
    IConverterHost* m_host = nullptr;
    std::vector<CSequenceEntry*> m_operands;
    std::vector<CSequenceEntry*> m_leftOut;
    std::size_t m_next = 0;
    int m_kind = 0;
    std::vector<CSequenceEntry*> m_batch;
    std::uint8_t m_lastByte = 0;
    bool m_groupFull = false;
    bool m_exhausted = false; // no group above S99 is proposed
    bool m_unreadableGroup = false;
    bool m_failedSave = false;
    int m_changedFiles = 0;
    std::size_t m_skipped = 0;
    std::string m_defaultDesignation;
    int m_groupNumber = 1;
    int m_listNumber = 1;
    std::string m_projectName;
    std::string m_groupId;
    std::string m_listId;
    std::string m_groupDesignation;
    std::string m_listDesignation;
    std::string m_freeListsText;
    std::string m_unitText;
    std::string m_freeOperandsText;
    std::string m_rangeText;
    std::string m_countText;
    std::string m_kindLetterText;
    std::string m_groupNoteText;
    // Operands converted into each group that Close is still to save.
    std::map<const CStepChainGroup*, std::size_t> m_deferred;
    CProjectHistory* m_history = nullptr;
    std::unique_ptr<CHistoryOperation> m_operation;
    std::string m_sequenceName; // for the operation's description
    std::size_t m_converted = 0;
};
