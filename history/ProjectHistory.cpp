#include "history/ProjectHistory.h"

#include "data/platform/Platform.h"
#include "data/records/AtomicFile.h"
#include "data/records/BufferedFile.h"
#include "data/records/FileException.h"
#include "data/records/FileGuard.h"
#include "data/settings/AppSettings.h"
#include "data/text/Charset.h"
#include "data/text/StringTable.h"
#include "data/text/TextFormat.h"
#include "history/ContentHash.h"
#include "panel/PanelProject.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <set>

namespace {

constexpr const char* kIndexName = "index";
constexpr const char* kProjectNote = "project.txt";
constexpr const char* kBlobFolder = "blobs";
// Two programs that record at the same moment each try again on what the
// other wrote; more than a few rounds means something else is wrong.
constexpr int kAttempts = 20;

std::span<const std::uint8_t> Bytes(std::string_view text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// What a file of the project holds now.
struct OnDisk {
    CFileState state = CFileState::Absent();
    std::vector<std::uint8_t> bytes;

    CFileStamp Stamp() const { return state.IsAbsent() ? CFileStamp::Absent() : CFileStamp::OfBytes(bytes); }
};

OnDisk ReadDisk(const std::filesystem::path& path)
{
    OnDisk disk;
    std::error_code ec;
    if (std::filesystem::status(path, ec).type() == std::filesystem::file_type::not_found)
        return disk;
    try {
        CBufferedFile in(path, CBufferedFile::modeRead);
        disk.bytes = in.GetImage();
        disk.state = CFileState::Of(disk.bytes);
    } catch (const CFileException&) {
        // A file that cannot be read holds nothing the history knows.
        disk.state = CFileState::Unknown();
    }
    return disk;
}

// Whether the operation `id` is `target` or, through the take-backs it
// reverses, brings it back. (Take-backs reverse only older operations,
// which ends the search whatever the index says.)
bool StandsFor(const CHistoryIndex& index, int id, int target)
{
    if (id == target)
        return true;
    const auto* record = index.Find(id);
    if (!record)
        return false;
    return std::any_of(record->takes.begin(), record->takes.end(),
                       [&](int taken) { return taken < id && StandsFor(index, taken, target); });
}

bool Runs(long owner)
{
    return owner == platform::CurrentProcessId() || platform::ProcessIsRunning(owner);
}

bool Abandoned(const CHistoryIndex::Record& record)
{
    return record.open && !Runs(record.owner);
}

void Insert(CHistoryIndex& index, CHistoryIndex::Record record)
{
    const auto at = std::find_if(index.records.begin(), index.records.end(),
                                 [&](const auto& other) { return other.id > record.id; });
    index.records.insert(at, std::move(record));
}

std::string Text(unsigned id, std::initializer_list<FormatArg> args)
{
    return FormatText(CStringTable::Get(id), args);
}

} // namespace

// One file of a take-back: from what it holds to what it gets.
struct CProjectHistory::Step {
    std::string name;
    CFileState from = CFileState::Absent();
    CFileState to = CFileState::Absent();
    OnDisk disk;
    std::vector<std::uint8_t> toBytes;
    bool written = false;
};

CProjectHistory::Limits CProjectHistory::Limits::Of(const CAppSettings& settings)
{
    return {settings.HistoryKeep, settings.HistoryMaxSizeMb};
}

CProjectHistory::CProjectHistory(const std::filesystem::path& root, const CPanelProject& project, Limits limits)
    : m_projectFolder(project.GetProjectDir()),
      m_extension(project.GetProjectExt()),
      m_key(platform::FolderKey(project.GetProjectDir().empty() ? std::filesystem::path(".") : project.GetProjectDir())),
      m_limits(limits),
      m_blobs({})
{
    m_folder = root / content_hash::HexOf(Bytes(m_key)).substr(0, 16);
    m_blobs = CBlobStore(m_folder / kBlobFolder);
}

std::filesystem::path CProjectHistory::IndexPath() const
{
    return m_folder / kIndexName;
}

std::filesystem::path CProjectHistory::PathOf(const std::string& name) const
{
    // Only names that IsProjectFileName accepts reach here: a plain file
    // name of the folder.
    return m_projectFolder / platform::PathFromCp1252(name);
}

const std::string& CProjectHistory::SubjectOf(const CHistoryIndex::Record& record)
{
    return record.IsTakeBack() ? record.subject : record.description;
}

CHistoryIndex CProjectHistory::Read() const
{
    std::error_code ec;
    if (!std::filesystem::exists(IndexPath(), ec))
        return {};
    const CBufferedFile in(IndexPath(), CBufferedFile::modeRead);
    const auto& image = in.GetImage();
    return CHistoryIndex::Parse(std::string_view(reinterpret_cast<const char*>(image.data()), image.size()), m_extension);
}

std::optional<CHistoryIndex::Record> CProjectHistory::NextUndo() const
{
    const CHistoryIndex index = Read();
    if (index.undo.empty())
        return std::nullopt;
    return *index.Find(index.undo.back());
}

std::optional<CHistoryIndex::Record> CProjectHistory::NextRedo() const
{
    const CHistoryIndex index = Read();
    if (index.redo.empty())
        return std::nullopt;
    return *index.Find(index.redo.back());
}

void CProjectHistory::ClaimFolder()
{
    std::error_code ec;
    std::filesystem::create_directories(m_folder, ec);
    if (ec)
        throw CFileException(CFileException::Cause::generic, m_folder, ec.value());
    const std::filesystem::path note = m_folder / kProjectNote;
    const std::string text = m_key + "\n";
    if (std::filesystem::exists(note, ec)) {
        const CBufferedFile in(note, CBufferedFile::modeRead);
        // Another project whose path has the same hash: its history stays
        // its own.
        if (!std::equal(in.GetImage().begin(), in.GetImage().end(), text.begin(), text.end()))
            throw CFileException(CFileException::Cause::generic, note, EEXIST);
        return;
    }
    CAtomicFile::Write(note, Bytes(text));
}

CHistoryIndex CProjectHistory::Update(const std::function<void(CHistoryIndex&)>& change)
{
    const std::filesystem::path path = IndexPath();
    for (int attempt = 1;; ++attempt) {
        std::error_code ec;
        std::vector<std::uint8_t> old;
        const bool exists = std::filesystem::exists(path, ec);
        if (exists)
            old = CBufferedFile(path, CBufferedFile::modeRead).GetImage();
        CHistoryIndex index =
            CHistoryIndex::Parse(std::string_view(reinterpret_cast<const char*>(old.data()), old.size()), m_extension);
        change(index);
        ClaimFolder();
        const std::string text = index.ToText();
        try {
            CAtomicFile::Write(path, Bytes(text), exists ? CFileStamp::OfBytes(old) : CFileStamp::Absent());
            return index;
        } catch (const CFileException& e) {
            if (e.GetCause() != CFileException::Cause::changedOnDisk || attempt == kAttempts)
                throw;
        }
    }
}

void CProjectHistory::ApplyLimits(CHistoryIndex& index) const
{
    const auto dropOldest = [&] {
        for (const auto& record : index.records)
            if (!record.open) {
                index.Remove(record.id);
                return;
            }
    };
    const auto done = [&] {
        return std::count_if(index.records.begin(), index.records.end(), [](const auto& r) { return !r.open; });
    };
    while (done() > m_limits.keep)
        dropOldest();
    // The size counts each content once, kept or still to be kept; the
    // newest operation stays whatever its size.
    const auto size = [&] {
        std::set<std::string> seen;
        std::uint64_t total = 0;
        for (const auto& record : index.records)
            for (const auto& file : record.files)
                for (const CFileState* state : {&file.before, &file.after})
                    if (state->Exists() && seen.insert(state->Hash()).second)
                        total += state->Size();
        return total;
    };
    const std::uint64_t limit = static_cast<std::uint64_t>(std::max(m_limits.maxSizeMb, 0)) * 1024 * 1024;
    while (done() > 1 && size() > limit)
        dropOldest();
}

void CProjectHistory::RemoveUnused(const CHistoryIndex& index) const
{
    std::set<std::string> used;
    for (const auto& record : index.records)
        for (const auto& file : record.files)
            for (const CFileState* state : {&file.before, &file.after})
                if (state->Exists())
                    used.insert(state->Hash());
    m_blobs.RemoveAllBut(used);
}

void CProjectHistory::Begin(CHistoryIndex::Record& record, const std::vector<Kept>& kept)
{
    for (const Kept& file : kept)
        if (file.file.before.Exists())
            m_blobs.Keep(file.file.before, file.bytes, file.source);
    const bool isNew = record.id == 0;
    if (isNew) {
        record.open = true;
        record.owner = platform::CurrentProcessId();
        record.time = static_cast<std::int64_t>(std::time(nullptr));
    }
    for (const Kept& file : kept)
        record.files.push_back(file.file);
    Update([&](CHistoryIndex& index) {
        if (isNew)
            record.id = index.NextId();
        index.Remove(record.id);
        Insert(index, record);
    });
    // Another program may have tidied the blobs away between their write
    // and the index that names them.
    for (const Kept& file : kept)
        if (file.file.before.Exists() && !m_blobs.Present(file.file.before))
            m_blobs.Keep(file.file.before, file.bytes, file.source);
}

void CProjectHistory::Finish(const CHistoryIndex::Record& record)
{
    if (record.id == 0)
        return;
    CHistoryIndex::Record done = record;
    done.open = false;
    done.owner = 0;
    std::erase_if(done.files, [](const auto& file) { return file.after.IsUnknown() || file.after == file.before; });
    const CHistoryIndex written = Update([&](CHistoryIndex& index) {
        index.Remove(done.id);
        if (done.files.empty())
            return;
        Insert(index, done);
        index.undo.push_back(done.id);
        index.redo.clear();
        ApplyLimits(index);
    });
    RemoveUnused(written);
}

void CProjectHistory::SettleAbandoned(CHistoryIndex& index) const
{
    // An operation whose program ended without finishing it (killed, or
    // the history could not be written at its end): what its files hold
    // now is what it left.
    std::vector<int> settled;
    for (auto& record : index.records) {
        if (!Abandoned(record) || record.IsTakeBack())
            continue;
        for (auto& file : record.files)
            file.after = ReadDisk(PathOf(file.name)).state;
        std::erase_if(record.files, [](const auto& file) { return file.after.IsUnknown() || file.after == file.before; });
        record.open = false;
        record.owner = 0;
        settled.push_back(record.id);
    }
    for (const int id : settled) {
        if (index.Find(id)->files.empty()) {
            index.Remove(id);
        } else {
            index.undo.push_back(id);
            index.redo.clear();
        }
    }
}

bool CProjectHistory::LoadTarget(Step& step, TakeBack& result) const
{
    if (!step.to.Exists())
        return true;
    auto bytes = m_blobs.Get(step.to);
    if (!bytes) {
        result.outcome = TakeBack::Outcome::failed;
        result.messages = {Text(ids::kHistoryContentMissing, {step.name})};
        return false;
    }
    step.toBytes = std::move(*bytes);
    return true;
}

bool CProjectHistory::WriteSteps(std::vector<Step>& steps, TakeBack& result) const
{
    bool all = true;
    for (Step& step : steps) {
        const std::filesystem::path path = PathOf(step.name);
        const CFileStamp expected = step.disk.Stamp();
        try {
            if (step.to.IsAbsent()) {
                CFileGuard guard(path);
                if (guard.Current(expected) != expected)
                    throw CFileException(CFileException::Cause::changedOnDisk, path);
                if (const int error = guard.Remove())
                    throw CFileException(CFileException::Cause::generic, path, error);
            } else {
                CAtomicFile::Write(path, step.toBytes, expected);
            }
            step.written = true;
        } catch (const CFileException& e) {
            all = false;
            const bool changed = e.GetCause() == CFileException::Cause::changedOnDisk;
            result.messages.push_back(Text(changed ? ids::kChangedSince : ids::kWriteError, {step.name}));
        }
    }
    return all;
}

void CProjectHistory::Complete(int id)
{
    const CHistoryIndex written = Update([&](CHistoryIndex& index) {
        CHistoryIndex::Record* record = index.Find(id);
        if (!record)
            return;
        record->open = false;
        record->owner = 0;
        for (const int taken : record->takes) {
            std::erase(index.undo, taken);
            std::erase(index.redo, taken);
        }
        (record->kind == "undo" ? index.redo : index.undo).push_back(id);
        ApplyLimits(index);
    });
    RemoveUnused(written);
}

CProjectHistory::TakeBack CProjectHistory::Run(const CHistoryIndex& index, const std::vector<int>& ids,
                                               const std::string& kind, bool onlyUnchanged)
{
    TakeBack result;
    // Newest first: a file's target is what it held before the oldest of
    // the operations, its start what the newest left.
    std::vector<Step> steps;
    for (const int id : ids)
        for (const auto& file : index.Find(id)->files) {
            const auto known = std::find_if(steps.begin(), steps.end(), [&](const Step& s) { return s.name == file.name; });
            if (known == steps.end())
                steps.push_back({file.name, file.after, file.before, {}, {}, false});
            else
                known->to = file.before;
        }
    bool changed = false;
    std::vector<Step> todo;
    for (Step& step : steps) {
        step.disk = ReadDisk(PathOf(step.name));
        if (step.disk.state != step.from) {
            changed = true;
            result.changedFiles.push_back(step.name);
            result.messages.push_back(Text(ids::kChangedSince, {step.name}));
        } else if (step.from != step.to) {
            todo.push_back(std::move(step));
        }
    }
    if (changed && (!onlyUnchanged || todo.empty())) {
        if (todo.empty())
            result.changedFiles.clear(); // no other file to offer
        result.outcome = TakeBack::Outcome::refused;
        return result;
    }
    for (Step& step : todo)
        if (!LoadTarget(step, result))
            return result;

    CHistoryIndex::Record record;
    record.kind = kind;
    record.time = static_cast<std::int64_t>(std::time(nullptr));
    record.open = true;
    record.owner = platform::CurrentProcessId();
    record.takes = ids;
    const auto& first = *index.Find(ids.front());
    record.subject = ids.size() == 1
        ? SubjectOf(first)
        : Text(ids::kUndoSeveral, {static_cast<int>(ids.size()), SubjectOf(*index.Find(ids.back()))});
    record.description = Text(kind == "undo" ? ids::kUndoDescription : ids::kRedoDescription, {record.subject});
    for (const Step& step : todo) {
        // What the file holds now is what a later take-back restores.
        if (step.from.Exists())
            m_blobs.Keep(step.from, step.disk.bytes, PathOf(step.name));
        record.files.push_back({step.name, step.from, step.to});
    }
    Update([&](CHistoryIndex& now) {
        record.id = now.NextId();
        now.records.push_back(record);
    });
    const bool all = WriteSteps(todo, result);
    if (!all) {
        // Only what was written is taken back; the rest is as it was.
        Update([&](CHistoryIndex& now) {
            if (auto* stored = now.Find(record.id))
                std::erase_if(stored->files, [&](const auto& file) {
                    return std::any_of(todo.begin(), todo.end(),
                                       [&](const Step& s) { return s.name == file.name && !s.written; });
                });
        });
    }
    Complete(record.id);
    result.outcome = all ? TakeBack::Outcome::done : TakeBack::Outcome::refused;
    result.description = record.description;
    return result;
}

std::optional<CProjectHistory::TakeBack> CProjectHistory::FinishInterrupted(const CHistoryIndex& index,
                                                                            const std::string& kind)
{
    const CHistoryIndex::Record* pending = nullptr;
    for (const auto& record : index.records)
        if (record.open && record.IsTakeBack()) {
            if (!Abandoned(record)) {
                TakeBack busy;
                busy.outcome = TakeBack::Outcome::refused;
                busy.messages = {CStringTable::Get(ids::kTakeBackRunning)};
                return busy;
            }
            pending = &record;
        }
    if (!pending)
        return std::nullopt;
    // The same direction finishes it, the other turns it back: either way
    // each file ends as the command asked.
    const bool forward = pending->kind == kind;
    TakeBack result;
    std::vector<Step> steps;
    for (const auto& file : pending->files) {
        Step step{file.name, forward ? file.before : file.after, forward ? file.after : file.before, {}, {}, false};
        step.disk = ReadDisk(PathOf(file.name));
        if (step.disk.state == step.to)
            continue;
        if (step.disk.state != step.from) {
            result.messages.push_back(Text(ids::kChangedSince, {file.name}));
            continue;
        }
        if (!LoadTarget(step, result))
            return result;
        steps.push_back(std::move(step));
    }
    const bool all = WriteSteps(steps, result) && result.messages.empty();
    const int id = pending->id;
    if (forward) {
        result.description = pending->description;
        Complete(id);
    } else {
        result.description = Text(pending->kind == "undo" ? ids::kRedoDescription : ids::kUndoDescription,
                                  {pending->subject});
        RemoveUnused(Update([&](CHistoryIndex& now) { now.Remove(id); }));
    }
    result.outcome = all ? TakeBack::Outcome::done : TakeBack::Outcome::refused;
    result.messages.insert(result.messages.begin(), Text(ids::kTakeBackCompleted, {result.description}));
    return result;
}

CProjectHistory::TakeBack CProjectHistory::Unwritable() const
{
    TakeBack failed;
    failed.outcome = TakeBack::Outcome::failed;
    failed.messages = {Text(ids::kHistoryFolderUnwritable, {charset::Utf8ToCp1252(platform::PathToUtf8(m_folder))})};
    return failed;
}

std::optional<CProjectHistory::TakeBack> CProjectHistory::Prepare(CHistoryIndex& index, const std::string& kind)
{
    index = Read();
    if (std::any_of(index.records.begin(), index.records.end(),
                    [](const auto& r) { return Abandoned(r) && !r.IsTakeBack(); }))
        RemoveUnused(index = Update([&](CHistoryIndex& now) { SettleAbandoned(now); }));
    return FinishInterrupted(index, kind);
}

CProjectHistory::TakeBack CProjectHistory::Undo(std::optional<int> downTo, bool onlyUnchanged)
{
    if (IsOff())
        return {};
    try {
        CHistoryIndex index;
        if (auto interrupted = Prepare(index, "undo"))
            return *interrupted;
        if (index.undo.empty())
            return {};
        // An operation taken back and redone is back in effect through its
        // redo: its number names that.
        const auto from = downTo ? std::find_if(index.undo.begin(), index.undo.end(),
                                                [&](int id) { return StandsFor(index, id, *downTo); })
                                 : index.undo.end() - 1;
        if (from == index.undo.end())
            return {};
        std::vector<int> ids(from, index.undo.end());
        std::reverse(ids.begin(), ids.end());
        return Run(index, ids, "undo", onlyUnchanged);
    } catch (const CFileException&) {
        return Unwritable();
    }
}

CProjectHistory::TakeBack CProjectHistory::Redo(bool onlyUnchanged)
{
    if (IsOff())
        return {};
    try {
        CHistoryIndex index;
        if (auto interrupted = Prepare(index, "redo"))
            return *interrupted;
        if (index.redo.empty())
            return {};
        return Run(index, {index.redo.back()}, "redo", onlyUnchanged);
    } catch (const CFileException&) {
        return Unwritable();
    }
}
