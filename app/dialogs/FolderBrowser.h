#pragma once

#include <filesystem>
#include <vector>

// The folder that the project chooser shows and the ways to move from it:
// into a sub-folder, up, to a typed path, or to one of the places (file
// system root, home folder, mounted media).
class CFolderBrowser {
public:
    static constexpr const char* kParent = "..";

    // An empty or unusable start folder gives the current folder.
    explicit CFolderBrowser(const std::filesystem::path& start);

    const std::filesystem::path& GetFolder() const { return m_folder; }

    // The names of the sub-folders, sorted without regard to case, hidden
    // ones left out; ".." first unless the folder is the root. A folder that
    // cannot be read has none.
    std::vector<std::filesystem::path> GetEntries() const;

    // Moves into a sub-folder named by GetEntries (".." moves up). False,
    // and no change, when it is not a folder that can be entered.
    bool Enter(const std::filesystem::path& entry);
    // Moves to a typed path, absolute or relative to the current folder. An
    // existing file takes its folder. False, and no change, when the text
    // names neither a folder nor a file.
    bool Go(const std::filesystem::path& typed);

    // Root, home folder and mounted media, for the place list.
    static std::vector<std::filesystem::path> Places();
    // The index of the place that `folder` lies in (the deepest one that
    // holds it), -1 if none.
    static int PlaceOf(const std::vector<std::filesystem::path>& places, const std::filesystem::path& folder);

private:
    bool MoveTo(const std::filesystem::path& folder);

    std::filesystem::path m_folder;
};
