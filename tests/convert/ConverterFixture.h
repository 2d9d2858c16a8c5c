#pragma once

// The conversion engine on a panel project of its own, its questions and
// messages answered and recorded by a ScriptedHost.
#include "convert/Converter.h"
#include "data/platform/Platform.h"
#include "data/settings/AppSettings.h"
#include "data/sequence/SequenceEntry.h"
#include "data/sequence/SequenceFile.h"
#include "tests/convert/ScriptedHost.h"
#include "tests/panel/ProjectFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

inline std::string Inputs(int count, const std::string& symbol = "S", int firstByte = 0)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "\tE " + std::to_string(firstByte + i / 8) + "." + std::to_string(i % 8) + "\t" + symbol + "\tc\n";
    return text;
}

class ConverterFixture : public ProjectFixture {
protected:
    // Operands of a sequence file with `text`, in list order.
    std::vector<CSequenceEntry*> Operands(const std::string& text, const std::string& path = "/daten/anlage.seq")
    {
        // The name is UTF-8 here; on Windows a path from a narrow string
        // would take its bytes one by one.
        sequence = std::make_unique<CSequenceFile>(platform::PathFromUtf8(path));
        std::istringstream in(text);
        EXPECT_TRUE(sequence->ReadArchive(in));
        std::vector<CSequenceEntry*> entries;
        for (int i = 0; i < sequence->GetCount(); ++i)
            entries.push_back(sequence->GetEntry(i));
        return entries;
    }

    CConverter& Open(const std::string& text, ConversionMode mode = ConversionMode::selected)
    {
        converter = std::make_unique<CConverter>(settings);
        converter->Open(*project, Operands(text), mode, host);
        return *converter;
    }

    // A fresh project object: what the next conversion would find on disk.
    void Reopen()
    {
        project = std::make_unique<CPanelProject>(dir.Path(), "");
        project->Load();
        folder = project->GetGroupFolder();
    }

    // The texts of a list in a group file on disk, as "E012.03=text", read
    // the way the next conversion reads them.
    std::vector<std::string> TextsOnDisk(const std::string& fileName, const std::string& listId)
    {
        Reopen();
        auto* group = static_cast<CStepChainGroup*>(folder->FindEntry(fileName.substr(0, fileName.find('.'))));
        if (!group || !group->Load())
            return {"(no group " + fileName + ")"};
        const CStepChainList* list = group->FindList(listId);
        if (!list)
            return {"(no list " + listId + ")"};
        std::vector<std::string> texts;
        for (int i = 0; i < list->GetCount(); ++i) {
            const auto* text = static_cast<const CStepChainText*>(list->GetAt(i));
            texts.push_back(text->GetOperandName() + "=" + text->GetText());
        }
        return texts;
    }

    // An existing group (read from its file) with one input list.
    void ExistingGroup(const std::string& id, const std::vector<std::pair<std::string, std::string>>& texts,
                       const std::string& listId = "001", int kind = kKindInput)
    {
        // Written afresh: a new group never replaces a file it did not read.
        std::filesystem::remove(dir / ("G" + id + ".731"));
        CStepChainGroup* group = NewGroup(id, "alt");
        CStepChainList* list = AddList(group, listId, kind, "Liste");
        for (const auto& [operand, text] : texts) {
            CSequenceFile file("x.seq");
            CSequenceEntry entry(&file, "\t" + operand + "\tx");
            AddText(list, entry.GetByte(), entry.GetBit(), text);
        }
        ASSERT_TRUE(group->Save());
        Reopen();
    }

    CAppSettings settings;
    ScriptedHost host;
    std::unique_ptr<CSequenceFile> sequence;
    std::unique_ptr<CConverter> converter;
};

// The converter's own suite, spread over the files by feature.
class ConverterTest : public ConverterFixture {};
