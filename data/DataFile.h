#pragma once

#include "data/DataList.h"

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
