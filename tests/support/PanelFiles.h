#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Files of panel projects for tests, written byte by byte from the format
// (not by the code under test).

// A project data file SDAT.<ext> with the header kind, a 16-bit value and
// the name as a counted string, followed by `rest`.
void WriteDataFile(const std::filesystem::path& folder, const std::string& name, const std::string& ext = "731",
                   std::uint8_t kind = 1, const std::vector<std::uint8_t>& rest = {});

// The 97 bytes of group S01 "Test" of project P1: one input list 001 "L"
// with "Auf" for E012.01 and "Zu" for E012.03.
std::vector<std::uint8_t> WorkedExampleGroup();

// Builders for hand-made group files (for files other software wrote).
// Designations are padded to 32 characters, as the format asks.
class GroupBytes {
public:
    GroupBytes(const std::string& projectName, const std::string& id, const std::string& designation,
               std::uint8_t listCount);
    // A list header; the size field is filled in by EndList unless given.
    GroupBytes& List(const std::string& id, const std::string& designation, std::uint8_t kind, std::uint16_t blocks);
    GroupBytes& BitBlock(std::uint8_t byteNumber, std::uint8_t count);
    GroupBytes& Text(std::uint8_t number, std::uint8_t attributes, const std::string& stored);
    // Ends the current list; `sizeField` overrides its computed size.
    GroupBytes& EndList(int sizeField = -1);
    // The bytes, with the group's size field set to their length.
    std::vector<std::uint8_t> Bytes() const;

private:
    static std::string Padded(std::string designation);
    void Counted(const std::string& text);
    std::vector<std::uint8_t> m_bytes;
    std::size_t m_listStart = 0;
};
