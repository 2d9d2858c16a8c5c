#pragma once

// Helpers shared by the group file fuzz targets.
#include "data/records/MemFile.h"
#include "panel/StepChainGroup.h"

#include <cstdint>
#include <memory>
#include <string>

// A group object for the identifier in the data's header (or S01), made
// without touching any real file: the header constructor finds no file of
// that name and leaves the group empty.
std::unique_ptr<CStepChainGroup> GroupForData(const std::uint8_t* data, std::size_t size);

// Reads the whole image; false when it is no readable group file.
bool ReadGroup(CStepChainGroup& group, const std::uint8_t* data, std::size_t size);

// Everything the group holds, as one text.
std::string DescribeGroup(const CStepChainGroup& group);
