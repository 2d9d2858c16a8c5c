// Deleting texts, lists and groups in the project browser, and renaming a group.
#include "app/browser/RenameGroupDialog.h"
#include "tests/app/ProjectBrowserGuiFixture.h"

#include <wx/msgdlg.h>
#include <wx/textctrl.h>

#include <functional>

namespace {

TEST_F(ProjectBrowserGui, DeleteAsksAndSavesAtOnce)
{
    int answer = wxID_CANCEL;
    ModalDriver boxes([&](wxDialog*) { return answer; });
    Select(Pane::texts, {0});
    Command(wxID_DELETE);
    EXPECT_EQ(boxes.messages, std::vector<std::string>{Message(ids::kAskDeleteTexts)});
    EXPECT_EQ(Texts(Show()["groups"][0]["lists"][0]).size(), 2u);

    answer = wxID_OK;
    Command(wxID_DELETE);
    EXPECT_EQ(Texts(Show()["groups"][0]["lists"][0]), std::vector<std::string>{"E012.03 Zu"});
    EXPECT_EQ(Column(browser->GetPane(Pane::texts), 0), std::vector<std::string>{"E012.03"});

    Select(Pane::lists, {0});
    Command(wxID_DELETE);
    EXPECT_EQ(boxes.messages.back(), Message(ids::kAskDeleteLists));
    EXPECT_EQ(ListIds(Show()["groups"][0]), std::vector<std::string>{"002"});

    Select(Pane::groups, {1});
    Command(wxID_DELETE);
    EXPECT_EQ(boxes.messages.back(), Message(ids::kAskDeleteGroups));
    EXPECT_FALSE(fs::exists(dir / "GS02.731"));
    EXPECT_EQ(Show()["groups"].size(), 1u);
    EXPECT_EQ(Column(browser->GetPane(Pane::groups), 0), std::vector<std::string>{"S01"});
}

TEST_F(ProjectBrowserGui, RenameGivesTheGroupANewFileAndRefusesATakenIdentifier)
{
    std::vector<std::function<void(CRenameGroupDialog&)>> steps = {
        [](CRenameGroupDialog& d) {
            wxDynamicCast(d.FindWindow(CRenameGroupDialog::kGroupIdField), wxTextCtrl)->ChangeValue(wxString::FromUTF8("s02"));
            ClickButton(&d, wxID_OK);
        },
        [](CRenameGroupDialog& d) {
            wxDynamicCast(d.FindWindow(CRenameGroupDialog::kGroupIdField), wxTextCtrl)->ChangeValue(wxString::FromUTF8("s07"));
            wxDynamicCast(d.FindWindow(CRenameGroupDialog::kDesignationField), wxTextCtrl)
                ->ChangeValue(wxString::FromUTF8("Förderband"));
            ClickButton(&d, wxID_OK);
        },
    };
    ModalDriver dialogs([&](wxDialog* dialog) {
        if (wxDynamicCast(dialog, wxMessageDialog))
            return int{wxID_OK};
        auto* rename = dynamic_cast<CRenameGroupDialog*>(dialog);
        if (!rename)
            return int{wxID_CANCEL};
        rename->CallAfter([rename, &steps] {
            for (auto& step : steps)
                step(*rename);
        });
        return int{wxID_NONE};
    });
    Select(Pane::groups, {0});
    EXPECT_TRUE(Enabled(cmd::kRenameGroup));
    Command(cmd::kRenameGroup);

    EXPECT_EQ(dialogs.messages, std::vector<std::string>{Message(ids::kGroupIdTaken, "S02")});
    EXPECT_FALSE(fs::exists(dir / "GS01.731"));
    const json renamed = Show();
    ASSERT_EQ(renamed["groups"].size(), 2u);
    EXPECT_EQ(renamed["groups"][1]["id"], "S07");
    EXPECT_EQ(renamed["groups"][1]["name"], "Förderband");
    EXPECT_EQ(ListIds(renamed["groups"][1]), (std::vector<std::string>{"001", "002"}));
    EXPECT_EQ(Column(browser->GetPane(Pane::groups), 0), (std::vector<std::string>{"S02", "S07"}));
    EXPECT_EQ(browser->GetPane(Pane::groups)->GetSelectedRows(), std::vector<int>{1});
}

} // namespace
