#pragma once

#include "data/DataList.h"

#include <filesystem>
#include <string>

// A list whose contents live in one file.
class CDataFile : public CDataList {
public:
    // `fileName` is the bare file name for project files and the full path
    // for a sequence file. The entry name starts empty.
    CDataFile(CDataEntry* parent, std::string fileName);

    std::string GetColumnText(int column) const override;
    // 1 identifier, 2 file name.
    std::string GetContextText(int selector) const override;

    const std::string& GetFileName() const { return m_fileName; }
    // The file name up to the first point (the whole name if it has none or
    // starts with one).
    std::string GetBaseName() const;
    // The text after the first point; empty if there is none or the name
    // starts with one.
    std::string GetExtension() const;
    const std::string& GetDateText() const { return m_dateText; }
    int GetSize() const { return m_size; }

    // Where the file lives on disk. The base takes the file name as the path;
    // project files override it with the project folder and the name the file
    // really has there.
    virtual std::filesystem::path GetFilePath() const { return m_fileName; }

    // Saves the list under a new identifier (upper-cased; the extension
    // stays) with `newName` as its name, then deletes the file under the old
    // identifier. An unloaded list is loaded first and emptied again after.
    // When the save fails the old file name is kept, except for an old
    // identifier of at most two characters (a list that had no file yet).
    // A list that cannot be loaded is left as it is. Returns whether the
    // save succeeded.
    bool Rename(const std::string& newIdentifier, const std::string& newName);

protected:
    void SetFileName(std::string fileName) { m_fileName = std::move(fileName); }
    void SetDateText(std::string dateText) { m_dateText = std::move(dateText); }
    void SetSize(int size) { m_size = size; }
    void SetFileFlag(int flag) { m_fileFlag = flag; }
    int GetFileFlag() const { return m_fileFlag; }

private:
    std::string m_fileName;
    std::string m_dateText;
    int m_size = 0;
    int m_fileFlag = 0;
};
