#pragma once

#include <filesystem>
#include <string>

// The user's settings: conversion switches and limits and the help file
// name, kept in the settings (ini) file. Loaded once at start; saved when
// the user confirms the configuration dialog. Values are used as read: the
// dialog checks ranges, the conversion guards the file format's limits.
class CAppSettings {
public:
    static constexpr const char* kSection = "Configuration";
    static constexpr const char* kHelpSection = "Help";
    static constexpr const char* kHelpKey = "File Name";
    static constexpr const char* kDefaultHelpFile = "morawin.htm";
    // The project history: how many operations and how many megabytes it
    // keeps per project; Keep=0 turns it off.
    static constexpr const char* kHistorySection = "History";

    // Both switches on, 50 lists, 64 operands, 24 KB, empty strings; a
    // history of 100 operations and 200 MB.
    CAppSettings() = default;

    // Reads every value from `file` (missing values take their defaults)
    // and remembers the file for Save.
    void Load(const std::filesystem::path& file);
    // Writes the six values into the file, keeping everything else in it;
    // false when the file could not be written.
    bool Save() const;

    int SymbolToText = 1;
    int CommentToText = 1;
    int MaxLists = 50;
    int MaxOperands = 64;
    int MaxGroupSizeKb = 24;
    std::string HelpFileName;
    int HistoryKeep = 100;
    int HistoryMaxSizeMb = 200;
    // "de", "en" or "system" as the settings file holds it; empty when it
    // holds none (German).
    std::string Language;
    std::filesystem::path SettingsFile;
};
