#pragma once

#include "data/clipboard/Clipboard.h"

#include <map>

// A clipboard in memory, installed for the lists while the object lives.
class MemoryClipboard : public IClipboard {
public:
    MemoryClipboard() { Install(this); }
    ~MemoryClipboard() override { Install(nullptr); }
    MemoryClipboard(const MemoryClipboard&) = delete;
    MemoryClipboard& operator=(const MemoryClipboard&) = delete;

    bool HasFormat(const std::string& format) override { return formats.count(format) != 0; }
    std::optional<std::vector<std::uint8_t>> GetData(const std::string& format) override
    {
        const auto it = formats.find(format);
        if (it == formats.end())
            return std::nullopt;
        return it->second;
    }
    bool SetData(std::vector<Item> items) override
    {
        formats.clear();
        for (auto& item : items)
            formats[item.format] = std::move(item.data);
        return true;
    }

    std::map<std::string, std::vector<std::uint8_t>> formats;
};
