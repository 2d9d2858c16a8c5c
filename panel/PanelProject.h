#pragma once

#include "data/model/DataList.h"
#include "data/text/StringTable.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

class CGroupFolder;

// The root of one panel project folder: recognised by its project data file
// SDAT.<ext>, whose header gives the project's name. Its only entry after
// Load is the folder of step-chain group files.
//
// The date text is formatted in the LC_TIME locale that the host set at
// start; the project never changes the global locale itself.
class CPanelProject : public CDataList {
public:
    // Why a folder is not a valid project.
    enum class Problem {
        none,
        noFolder,       // the folder does not exist
        noDataFile,     // no SDAT.<ext>
        unreadable,     // the data file cannot be read
        headerCutShort, // the data ends inside the header
        badNameLength,  // the name's length byte is 0 or above 81
        wrongKind,      // the header's kind is not 1
    };

    // Never throws; the valid flag and GetProblem tell the result. With an
    // empty extension "731" is tried first, then "SYS".
    CPanelProject(const std::filesystem::path& folder, std::string extension);
    ~CPanelProject() override;

    int GetType() const override { return type_code::kPanelProject; }
    std::string GetColumnText(int) const override { return {}; }
    // Creates the group folder and fills it from the project folder.
    bool Load() override;
    // The project data file is never written.
    bool Save() override { return false; }
    int GetColumnCount() const override { return 5; }
    int GetColumnWidth(int column) const override { return WidthOf({30, 8, 4, 18, 7}, column); }
    std::string GetColumnHeaders() const override { return CStringTable::Get(ids::kDummy); }

    // The folder, ending with a separator (the system's own, unless the
    // folder given already ended with one) unless it is empty; every file
    // of the project is this followed by its name.
    const std::filesystem::path& GetProjectDir() const { return m_folder; }
    // "731", "SYS" or the extension given, without a point.
    const std::string& GetProjectExt() const { return m_extension; }
    // The data file's date; empty when its header was not read.
    const std::string& GetDateText() const { return m_dateText; }
    // The data file's name as found on disk, or as expected if missing
    // (Windows-1252, like every project file name).
    const std::string& GetDataFileName() const { return m_dataFileName; }
    Problem GetProblem() const { return m_problem; }
    // Entry 0 after Load, else null.
    CGroupFolder* GetGroupFolder() const;

    // Every change of a file of this project is told to `journal` first
    // (see IFileJournal); null: to none. The journal is not owned.
    void SetFileJournal(IFileJournal* journal) { m_journal = journal; }
    IFileJournal* GetFileJournal() const override { return m_journal; }

    // Reads the header of a project data file from its first bytes: the
    // project name if the header is valid (Problem::none).
    static Problem ReadDataFileHeader(std::span<const std::uint8_t> data, std::string& name);

private:
    void ChooseDataFile();
    void ReadDataFile();

    std::filesystem::path m_folder;
    std::string m_extension;
    std::string m_dateText;
    std::string m_dataFileName;
    Problem m_problem = Problem::none;
    IFileJournal* m_journal = nullptr;
};
