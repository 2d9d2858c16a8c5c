#pragma once

// The project browser in the running program, on a project of its own;
// what the browser did is read back from the files with morawin-cli.
#include "app/browser/BrowserListCtrl.h"
#include "app/browser/ProjectBrowser.h"
#include "app/browser/ProjectBrowserFrame.h"
#include "app/frames/CommandIds.h"
#include "app/frames/MainFrame.h"
#include "data/records/AtomicFile.h"
#include "data/text/Charset.h"
#include "data/text/StringTable.h"
#include "panel/GroupFolder.h"
#include "panel/PanelProject.h"
#include "panel/StepChainGroup.h"
#include "panel/StepChainList.h"
#include "panel/StepChainText.h"
#include "tests/app/GuiSupport.h"
#include "tests/cli/CliRunner.h"
#include "tests/support/PanelFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Pane = CProjectBrowser::Pane;
using nlohmann::json;

// Writes a group through the store, as the conversion would. Texts are
// given in UTF-8 and kept, like all texts of the store, in Windows-1252.
class ProjectWriter {
public:
    explicit ProjectWriter(const fs::path& folder) : m_project(folder.string(), std::string())
    {
        m_project.Load();
    }
    CStepChainGroup* Group(const std::string& id, const std::string& designation)
    {
        auto group = std::make_unique<CStepChainGroup>(m_project.GetGroupFolder());
        group->Rename("G" + id, charset::Utf8ToCp1252(designation));
        return m_project.GetGroupFolder()->AddNew(std::move(group));
    }
    static CStepChainList* List(CStepChainGroup* group, const std::string& id, int kind, const std::string& name)
    {
        auto* list = group->AddNew(std::make_unique<CStepChainList>(group));
        list->SetProperties(id, kind, charset::Utf8ToCp1252(name));
        return list;
    }
    static void Text(CStepChainList* list, std::uint8_t operand, std::uint8_t bit, const std::string& text)
    {
        list->AddNew(std::make_unique<CStepChainText>(list, operand, bit, 0, 0, charset::Utf8ToCp1252(text)));
        list->OnEntryChanged(nullptr);
    }

private:
    CPanelProject m_project;
};

// Texts of a list in the JSON of morawin-cli show, as "E012.03 text".
inline std::vector<std::string> Texts(const json& list)
{
    std::vector<std::string> texts;
    for (const json& text : list["texts"]) {
        char operand[16];
        const int byte = text["byte"];
        const int bit = text["bit"];
        if (list["kind"] == "E" || list["kind"] == "A" || list["kind"] == "M")
            std::snprintf(operand, sizeof operand, "%s%03d.%02d", list["kind"].get<std::string>().c_str(), byte, bit);
        else
            std::snprintf(operand, sizeof operand, "%s%03d", list["kind"].get<std::string>().c_str(), byte);
        texts.push_back(std::string(operand) + " " + text["text"].get<std::string>());
    }
    return texts;
}

inline std::vector<std::string> ListIds(const json& group)
{
    std::vector<std::string> ids;
    for (const json& list : group["lists"])
        ids.push_back(list["id"]);
    return ids;
}

inline std::vector<std::string> Column(CBrowserListCtrl* pane, int column)
{
    std::vector<std::string> texts;
    for (long row = 0; row < pane->GetItemCount(); ++row)
        texts.push_back(ToUtf8(pane->GetItemText(row, column)));
    return texts;
}

inline std::string Message(unsigned id, const std::string& text = {})
{
    const std::string format = CStringTable::GetUtf8(id);
    const auto at = format.find("%s");
    return at == std::string::npos ? format : format.substr(0, at) + text + format.substr(at + 2);
}

class ProjectBrowserGui : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteDataFile(dir.Path(), "P1");
        ProjectWriter project(dir.Path());
        CStepChainGroup* source = project.Group("S01", "Quelle");
        CStepChainList* inputs = ProjectWriter::List(source, "001", 1, "Eingänge");
        ProjectWriter::Text(inputs, 12, 1, "Auf");
        ProjectWriter::Text(inputs, 12, 3, "Zu");
        ProjectWriter::Text(ProjectWriter::List(source, "002", 4, "Zeiten"), 1, 0, "Start @5 s");
        ASSERT_TRUE(source->Save());
        CStepChainGroup* target = project.Group("S02", "Ziel");
        ProjectWriter::Text(ProjectWriter::List(target, "001", 1, "Andere"), 12, 3, "Schon da");
        ASSERT_TRUE(target->Save());

        ASSERT_TRUE(TestApp().OpenProjectArgument(dir.Path()));
        ChooseCommand(cmd::kProjectBrowser);
        Settle();
        frame = TestApp().OpenProjectBrowser();
        ASSERT_NE(frame, nullptr);
        browser = frame->GetBrowser();
    }

    void TearDown() override
    {
        CAtomicFile::SetFaultHook({});
        if (frame)
            frame->Close();
        Settle();
    }

    // A command of the browser window's menus.
    void Command(int id)
    {
        wxCommandEvent command(wxEVT_MENU, id);
        command.SetEventObject(frame);
        frame->HandleWindowEvent(command);
        Settle();
    }

    bool Enabled(int id)
    {
        wxUpdateUIEvent update(id);
        update.SetEventObject(frame);
        frame->HandleWindowEvent(update);
        return update.GetEnabled();
    }

    void Select(Pane pane, std::vector<int> rows)
    {
        browser->ActivatePane(pane);
        browser->GetPane(pane)->SelectRows(rows);
        Settle();
    }

    json Show()
    {
        const CliResult result = RunCli({"show", dir.Path().string(), "--json"});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return json::parse(result.out);
    }

    TempDir dir;
    CProjectBrowserFrame* frame = nullptr;
    CProjectBrowser* browser = nullptr;
};
