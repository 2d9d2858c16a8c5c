#pragma once

// Exit codes of morawin-cli; scripts rely on them.
namespace exit_code {
constexpr int kOk = 0;
constexpr int kUsage = 1;
constexpr int kSequenceUnreadable = 2;
// Standard output cannot be written (a full disk, for example). A closed
// pipe is no error: the reader has what it wanted.
constexpr int kOutputFailed = 2;
constexpr int kNotProject = 3;
constexpr int kGroupUnreadable = 4;
constexpr int kOperandsLeft = 5;
// undo, redo: a file changed since the operation; nothing written.
constexpr int kRefused = 5;
// diff: texts changed or operands new.
constexpr int kDifferences = 6;
// Anything else that stops a command, such as no folder for the scratch
// copy of --dry-run; one line on stderr says what.
constexpr int kFailed = 7;
} // namespace exit_code
