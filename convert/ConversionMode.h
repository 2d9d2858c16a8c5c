#pragma once

// What a conversion run converts, and what it does with the groups and
// lists it meets. The values are the commands' own numbers.
enum class ConversionMode : short {
    selected = 0, // the selected operands: extend groups and lists, ask before overwriting
    all = 1,      // all operands: replace existing groups and lists
};
