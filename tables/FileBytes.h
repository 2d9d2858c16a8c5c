#pragma once

#include <filesystem>
#include <string>

// The whole file in one piece; false with errno set when it cannot be
// read. Symbol tables are read whole: their encoding and their columns are
// found from the whole text.
bool ReadFileBytes(const std::filesystem::path& path, std::string& content);
