#pragma once

// The conversion engine on a project of its own, recording into a history
// in a scratch folder.
#include "history/HistoryOperation.h"
#include "history/ProjectHistory.h"
#include "tests/convert/ConverterFixture.h"

#include <map>
#include <optional>

using Files = std::map<std::string, std::vector<std::uint8_t>>;

class HistoryFixture : public ConverterFixture {
protected:
    CProjectHistory& History(CProjectHistory::Limits limits = {})
    {
        history.emplace(state.Path(), *project, limits);
        return *history;
    }

    // One run of the engine, as the dialog or the command line runs it.
    void Convert(const std::string& text, ConversionMode mode = ConversionMode::all)
    {
        if (!history)
            History();
        converter = std::make_unique<CConverter>(settings);
        converter->SetHistory(&*history);
        converter->Open(*project, Operands(text), mode, host);
        if (mode == ConversionMode::all)
            converter->AcceptAll();
        else
            converter->AcceptStepwise();
        converter->Close();
        Reopen();
    }

    // The group files of the project with their bytes.
    Files GroupFiles() const
    {
        Files files = FolderBytes(dir.Path());
        files.erase("SDAT.731");
        return files;
    }

    CHistoryIndex Index() const { return history->Read(); }

    TempDir state;
    std::optional<CProjectHistory> history;
};
