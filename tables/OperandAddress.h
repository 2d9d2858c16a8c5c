#pragma once

#include <cstddef>
#include <string_view>

// An operand address as symbol tables write it: `E 12.1`, `E12.1`,
// `I 12.1`, `%I12.1`, `%IX12.1`; outputs `A`, `Q`, `%Q`, `%QX`; markers `M`,
// `F`, `%M`, `%MX`; timers `T 5`, `T5`, `%T5`; counters `Z 3`, `C 3`,
// `%C3`; any case.
struct OperandAddress {
    enum class Class {
        // A bit, timer or counter: an operand of a step-chain text.
        operand,
        // An address, but of something else: a byte, word or double word
        // (`MB 10`, `EW 4`, `%MW10`), a data block (`DB...`), an input
        // without its bit.
        other,
        // No address at all.
        none,
    };
    Class what = Class::none;
    int kind = 0;
    unsigned number = 0;
    unsigned bit = 0;
    // An operand whose byte is over 255 or whose bit is over 7: never
    // wrapped, refused by the reader.
    bool outOfRange = false;
};

OperandAddress ParseOperandAddress(std::string_view text);
