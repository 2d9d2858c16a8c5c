#pragma once

// Results of the overwrite question (the four buttons, or the question
// closed without one).
namespace answer_code {
constexpr int kClosed = 2;
constexpr int kYes = 6;
constexpr int kNo = 7;
constexpr int kYesForAll = 1034;
constexpr int kNoForAll = 1035;
} // namespace answer_code
