#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The system clipboard as the lists see it: byte blocks under named
// formats. The shell installs its implementation; without one a list can
// neither copy nor paste.
class IClipboard {
public:
    struct Item {
        std::string format;
        std::vector<std::uint8_t> data;
    };

    virtual ~IClipboard() = default;
    virtual bool HasFormat(const std::string& format) = 0;
    // The block under `format`; nothing when the clipboard has none.
    virtual std::optional<std::vector<std::uint8_t>> GetData(const std::string& format) = 0;
    // Replaces the whole clipboard with `items`, all offered at once.
    virtual bool SetData(std::vector<Item> items) = 0;

    // The clipboard the lists use; null restores "none".
    static void Install(IClipboard* clipboard);
    static IClipboard* GetInstalled();
};
