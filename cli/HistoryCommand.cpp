#include "cli/HistoryCommand.h"

#include "cli/ExitCode.h"
#include "cli/HistoryInput.h"
#include "cli/JsonWriter.h"
#include "cli/OutputBuffer.h"
#include "cli/ProjectInput.h"
#include "cli/TextColumns.h"
#include "data/platform/Platform.h"
#include "data/records/FileException.h"
#include "data/text/Charset.h"
#include "data/text/StringTable.h"
#include "data/text/TextFormat.h"
#include "history/ProjectHistory.h"
#include "panel/PanelProject.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>

using charset::Cp1252ToUtf8;
using Record = CHistoryIndex::Record;

namespace {

// Days since 1970-01-01 as a civil date (proleptic Gregorian).
void CivilDate(std::int64_t days, int& year, int& month, int& day)
{
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shifted = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * shifted + 2) / 5 + 1);
    month = static_cast<int>(shifted < 10 ? shifted + 3 : shifted - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

// "2026-12-09T13:37:05Z": the time in UTC, for scripts.
std::string UtcText(std::int64_t seconds)
{
    const std::int64_t days = (seconds >= 0 ? seconds : seconds - 86399) / 86400;
    const std::int64_t rest = seconds - days * 86400;
    int year = 0, month = 0, day = 0;
    CivilDate(days, year, month, day);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", year, month, day, static_cast<int>(rest / 3600),
                  static_cast<int>(rest / 60 % 60), static_cast<int>(rest % 60));
    return text;
}

// "2026-12-09 14:37": local time, for a person.
std::string LocalText(std::int64_t seconds)
{
    const auto local = platform::LocalTime(static_cast<std::time_t>(seconds));
    if (!local)
        return UtcText(seconds);
    char text[40];
    return std::string(text, std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &*local));
}

std::string SizeText(const CFileState& state)
{
    return state.Exists() ? std::to_string(state.Size()) : "-";
}

void PrintJson(const std::vector<const Record*>& records)
{
    COutputBuffer out;
    CJsonWriter json(out);
    json.BeginObject().Key("operations").BeginArray();
    for (const Record* record : records) {
        json.BeginObject().Key("id").Number(record->id);
        json.Key("time").String(UtcText(record->time));
        json.Key("kind").String(record->kind);
        json.Key("description").Cp1252String(record->description);
        json.Key("files").BeginArray();
        for (const auto& file : record->files) {
            json.BeginObject().Key("name").Cp1252String(file.name);
            for (const auto& [key, state] : {std::pair{"before", &file.before}, std::pair{"after", &file.after}}) {
                json.Key(key);
                if (state->Exists())
                    json.Number(static_cast<std::int64_t>(state->Size()));
                else
                    json.Null();
            }
            json.EndObject();
        }
        json.EndArray().EndObject();
    }
    json.EndArray().EndObject();
    out.Put('\n');
    out.Flush();
}

void PrintText(const std::vector<const Record*>& records, const CHistoryIndex& index)
{
    const auto mark = [&](int id) {
        if (!index.undo.empty() && index.undo.back() == id)
            return "  (undo)";
        if (!index.redo.empty() && index.redo.back() == id)
            return "  (redo)";
        return "";
    };
    for (const Record* record : records) {
        std::cout << std::to_string(record->id) << "  " << LocalText(record->time) << "  "
                  << text_columns::Padded(record->kind, 8) << Cp1252ToUtf8(record->description)
                  << (record->open ? "  (running)" : "") << mark(record->id) << '\n';
        for (const auto& file : record->files)
            std::cout << "    " << text_columns::Padded(Cp1252ToUtf8(file.name), 10) << SizeText(file.before) << " → "
                      << (file.after.IsUnknown() ? "?" : SizeText(file.after)) << '\n';
    }
}

} // namespace

CHistoryCommand::CHistoryCommand(CLI::App& parent, std::filesystem::path settingsFile,
                                 std::filesystem::path historyFolder)
    : m_command(parent.add_subcommand("history", "List the operations that changed a panel project, newest first")),
      m_defaultSettings(std::move(settingsFile)),
      m_historyFolder(std::move(historyFolder))
{
    m_command->add_option("project", m_projectDir, "Panel project folder")->required();
    m_command->add_flag("--json", m_json, "Print one JSON object with every operation and its files");
    m_command->add_option("--settings", m_settingsFile, "Settings file with the [History] limits (default: see Files below)");
    m_command->footer("Exit status: 0 listed, 1 usage or the history is off, 3 not a panel project.");
}

bool CHistoryCommand::Chosen() const
{
    return m_command->parsed();
}

int CHistoryCommand::Run() const
{
    const auto project = OpenProject(m_projectDir, "history");
    if (!project)
        return exit_code::kNotProject;
    const auto history = OpenHistory(m_historyFolder, *project, m_settingsFile, m_defaultSettings, "history");
    if (!history)
        return exit_code::kUsage;
    CHistoryIndex index;
    try {
        index = history->Read();
    } catch (const CFileException& e) {
        std::cerr << "morawin-cli history: " << e.what() << '\n';
        return exit_code::kFailed;
    }
    for (const int line : index.damagedLines)
        std::cerr << "morawin-cli history: " << Cp1252ToUtf8(FormatText(CStringTable::Get(ids::kHistoryDamaged), {line}))
                  << '\n';
    std::vector<const Record*> newestFirst;
    for (auto it = index.records.rbegin(); it != index.records.rend(); ++it)
        newestFirst.push_back(&*it);
    if (m_json)
        PrintJson(newestFirst);
    else
        PrintText(newestFirst, index);
    return exit_code::kOk;
}
