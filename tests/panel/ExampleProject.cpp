#include "tests/panel/ExampleProject.h"

#include "data/text/Charset.h"
#include "panel/GroupFolder.h"
#include "panel/PanelProject.h"
#include "panel/StepChainGroup.h"
#include "panel/StepChainList.h"
#include "panel/StepChainText.h"
#include "tests/support/PanelFiles.h"

#include <memory>
#include <string>
#include <vector>

namespace {

struct ExampleText {
    std::uint8_t operand;
    std::uint8_t bit;
    const char* utf8;
};

struct ExampleList {
    const char* id;
    int kind;
    const char* designation;
    std::vector<ExampleText> texts;
};

struct ExampleGroup {
    const char* id;
    const char* designation;
    std::vector<ExampleList> lists;
};

std::string Cp1252(const char* utf8)
{
    return charset::Utf8ToCp1252(utf8);
}

const std::vector<ExampleGroup>& Groups()
{
    static const std::vector<ExampleGroup> groups = {
        {"S01", "Bedienpult Mischer",
         {{"001", 1, "Bedienelemente",
           {{0, 0, "Not-Aus-Kreis geschlossen"},
            {0, 1, "Taster Anlage Start"},
            {0, 2, "Taster Anlage Stopp"},
            {0, 3, "Taster Störung quittieren"},
            {0, 6, "Schutztür Mischer geschlossen"}}},
          {"002", 2, "Meldeleuchten",
           {{4, 0, "Anlage in Betrieb"}, {4, 1, "Sammelstörung"}, {4, 2, "Hupe Störung"}}}}},
        {"S02", "Schrittkette Mischen",
         {{"001", 3, "Schritte",
           {{10, 2, "Schritt 1: Behälter füllen"},
            {10, 3, "Schritt 2: Heizen auf @12 °C"},
            {10, 4, "Schritt 3: Mischen"},
            {10, 5, "Schritt 4: Entleeren"}}},
          {"002", 4, "Überwachungszeiten",
           {{1, 0, "Füllen dauert länger als @1 s"}, {2, 0, "Heizen dauert länger als @2 s"}}}}},
        {"S03", "Reserve", {{"001", 5, "Zähler", {}}}},
    };
    return groups;
}

} // namespace

bool WriteExampleProject(const std::filesystem::path& folder)
{
    WriteDataFile(folder, "Mischanlage MA-2");
    CPanelProject project(folder, "");
    if (!project.IsValid())
        return false;
    project.Load();
    CGroupFolder* groups = project.GetGroupFolder();
    for (const ExampleGroup& example : Groups()) {
        auto group = std::make_unique<CStepChainGroup>(groups);
        if (!group->Rename(std::string("G") + example.id, Cp1252(example.designation)))
            return false;
        CStepChainGroup* added = groups->AddNew(std::move(group));
        for (const ExampleList& exampleList : example.lists) {
            auto* list = added->AddNew(std::make_unique<CStepChainList>(added));
            list->SetProperties(exampleList.id, exampleList.kind, Cp1252(exampleList.designation));
            for (const ExampleText& text : exampleList.texts)
                list->AddNew(std::make_unique<CStepChainText>(list, text.operand, text.bit, 0, 0, Cp1252(text.utf8)));
            list->Sort();
            list->OnEntryChanged(nullptr);
        }
        if (!added->Save())
            return false;
    }
    return true;
}
