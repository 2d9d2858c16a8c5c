#pragma once

// Exit codes of morawin-cli; scripts rely on them.
namespace exit_code {
constexpr int kOk = 0;
constexpr int kUsage = 1;
constexpr int kSequenceUnreadable = 2;
constexpr int kNotProject = 3;
constexpr int kGroupUnreadable = 4;
constexpr int kOperandsLeft = 5;
// diff: texts changed or operands new.
constexpr int kDifferences = 6;
} // namespace exit_code
