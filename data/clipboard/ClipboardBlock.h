#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

class CDataEntry;
class CDataList;

// The clipboard block in which a list hands entries to another list of the
// same kind, possibly in another program:
//
//   count (word), then per entry: its record (the record's first word is
//   its own size), a children size word, and for a container entry its
//   entry count (word) and the records of its entries; the children size
//   is 2 plus the sizes of those records, 0 for other entries.
//
// All words are 16-bit little-endian, the whole block at most 65535 bytes.
//
// A block on the clipboard may come from any program, so Paste trusts none
// of it: it first walks the whole block, checking every size and count
// against the block's length and reading every record into a throwaway
// entry, and only then places entries. A block that fails the check is
// reported and changes nothing.
class CClipboardBlock {
public:
    static constexpr std::size_t kMaxSize = 0xFFFF;

    // The block of the entries at `rows` (positions in `list`, in the order
    // given). Nothing for no rows; reports string 1026 for a block above
    // kMaxSize or an entry that cannot write its record, 1025 when there
    // is no memory for it.
    static std::optional<std::vector<std::uint8_t>> Build(const CDataList& list, std::span<const int> rows);

    // Whether `block` is a well-formed block of entries that `list` takes.
    static bool Check(CDataList& list, std::span<const std::uint8_t> block);

    // Checks the block, then creates its entries in `list` through
    // CreateFromRecord: the n-th record is wanted after row
    // firstSelected + n (-1 for every record when nothing is selected), the
    // entries of a container are appended in order. A refusal skips that
    // entry; a list that is full or stopped (StopsPaste, or KeepPasted
    // refusing) ends the
    // paste. A malformed block is reported (string 1063) and nothing is
    // pasted. Returns the last entry created, or null.
    static CDataEntry* Paste(CDataList& list, std::span<const std::uint8_t> block, int firstSelected);
};
