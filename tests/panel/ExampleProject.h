#pragma once

#include <filesystem>

// Writes the example panel project (the one in examples/mischanlage-projekt)
// into an empty folder: the project data file from the format, and the
// group files through the project store's own writer. Returns false when a
// group could not be saved.
bool WriteExampleProject(const std::filesystem::path& folder);
