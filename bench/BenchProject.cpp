#include "bench/BenchProject.h"

#include "bench/BenchSupport.h"
#include "data/sequence/SequenceEntry.h"
#include "panel/GroupFolder.h"
#include "panel/PanelProject.h"
#include "panel/StepChainGroup.h"
#include "panel/StepChainList.h"
#include "panel/StepChainText.h"

#include <cstdio>
#include <fstream>
#include <random>

const std::filesystem::path& NinetyNineGroupProject(double& size)
{
    static double total = 0;
    static const std::filesystem::path folder = [] {
        const auto folder = BenchFolder("cli-project");
        std::ofstream(folder / "SDAT.731", std::ios::binary) << std::string("\x01\0\0\x0C" "Mischanlage", 15);
        CPanelProject project(folder, "");
        project.Load();
        std::mt19937 random(1);
        static const char* const kTexts[] = {"Schutzt\xFCr Mischer geschlossen", "F\xFCllstand Beh\xE4lter 1 max.",
                                             "Ventil Zulauf 1 Endlage AUF", "Schritt 3: Mischen bei @12 \xB0" "C"};
        for (int g = 1; g <= 99; ++g) {
            auto group = std::make_unique<CStepChainGroup>(project.GetGroupFolder());
            char id[4];
            std::snprintf(id, sizeof id, "S%02d", g);
            group->Rename(std::string("G") + id, "Gruppe " + std::to_string(g));
            for (int l = 0; l < 15; ++l) {
                const int kind = 1 + l % 5;
                auto* list = group->AddNew(std::make_unique<CStepChainList>(group.get()));
                char listId[4];
                std::snprintf(listId, sizeof listId, "%03d", l + 1);
                list->SetProperties(listId, kind, "Liste " + std::to_string(l + 1));
                for (int t = 0; t < 125; ++t) {
                    const bool bits = IsBitKind(kind);
                    list->AddNew(std::make_unique<CStepChainText>(
                        list, static_cast<std::uint8_t>(bits ? t / 8 : t), static_cast<std::uint8_t>(bits ? t % 8 : 0),
                        0, 0, std::string(kTexts[random() % 4]) + " " + std::to_string(t)));
                }
                list->OnEntryChanged(nullptr);
            }
            if (!group->Save())
                std::abort();
            total += group->GetSize();
            project.GetGroupFolder()->AddNew(std::move(group));
        }
        return folder;
    }();
    size = total;
    return folder;
}

