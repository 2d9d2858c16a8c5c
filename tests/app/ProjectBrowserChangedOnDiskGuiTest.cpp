// Group files another program changed while the project browser shows
// them: paste, delete and rename are refused and the file is read again.
#include "app/browser/RenameGroupDialog.h"
#include "tests/app/ProjectBrowserGuiFixture.h"

#include <wx/textctrl.h>

namespace {

// Another program's version of group S02: list 001 as before and a list
// 009 of outputs.
std::vector<std::uint8_t> OtherProgramsS02()
{
    return GroupBytes("P1", "S02", "Ziel", 2)
        .List("001", "Andere", 1, 1).BitBlock(12, 1).Text(3, 0, "Schon da").EndList()
        .List("009", "Fremd", 2, 1).BitBlock(4, 1).Text(0, 0, "Ventil").EndList()
        .Bytes();
}

TEST_F(ProjectBrowserGui, ChangeAnotherProgramMadeSurvivesPasteAndDeleteAndIsShown)
{
    const std::string refused = Message(ids::kChangedOnDisk, "GS02.731");
    ModalDriver boxes(AnswerAll);
    Select(Pane::lists, {1});
    Command(wxID_COPY);
    Select(Pane::groups, {1}); // S02 read now
    WriteBytes(dir / "GS02.731", OtherProgramsS02());
    Command(wxID_PASTE);
    EXPECT_EQ(boxes.messages, std::vector<std::string>{refused});
    EXPECT_EQ(ReadBytes(dir / "GS02.731"), OtherProgramsS02());
    EXPECT_EQ(Column(browser->GetPane(Pane::lists), 0), (std::vector<std::string>{"001", "009"}));

    // Read again, the browser works on what the file holds.
    Command(wxID_PASTE);
    EXPECT_EQ(ListIds(Show()["groups"][1]), (std::vector<std::string>{"001", "009", "002"}));

    // Deleting a text of a list that another program changed meanwhile.
    Select(Pane::lists, {0});
    Select(Pane::texts, {0});
    WriteBytes(dir / "GS02.731", OtherProgramsS02());
    Command(wxID_DELETE);
    EXPECT_EQ(boxes.messages.back(), refused);
    EXPECT_EQ(ReadBytes(dir / "GS02.731"), OtherProgramsS02());
    EXPECT_EQ(Column(browser->GetPane(Pane::texts), 1), std::vector<std::string>{"Schon da"});

    // Deleting the list 009 after another program changed its group.
    Select(Pane::lists, {1});
    const auto changedAgain = GroupBytes("P1", "S02", "Ziel", 1)
                                  .List("009", "Fremd", 2, 1).BitBlock(4, 1).Text(0, 0, "Ventil neu").EndList()
                                  .Bytes();
    WriteBytes(dir / "GS02.731", changedAgain);
    Command(wxID_DELETE);
    EXPECT_EQ(boxes.messages.back(), refused);
    EXPECT_EQ(ReadBytes(dir / "GS02.731"), changedAgain);
    EXPECT_EQ(Column(browser->GetPane(Pane::lists), 0), std::vector<std::string>{"009"});
    EXPECT_EQ(boxes.messages, (std::vector<std::string>{refused, Message(ids::kAskDeleteTexts), refused,
                                                        Message(ids::kAskDeleteLists), refused}));
}

TEST_F(ProjectBrowserGui, GroupChangedByAnotherProgramIsNeitherDeletedNorRenamed)
{
    {
        ModalDriver boxes(AnswerAll);
        Select(Pane::groups, {1});
        WriteBytes(dir / "GS02.731", OtherProgramsS02());
        Command(wxID_DELETE);
        EXPECT_EQ(boxes.messages, (std::vector<std::string>{Message(ids::kAskDeleteGroups),
                                                            Message(ids::kChangedOnDisk, "GS02.731")}));
        EXPECT_EQ(ReadBytes(dir / "GS02.731"), OtherProgramsS02());
        EXPECT_EQ(Column(browser->GetPane(Pane::groups), 0), (std::vector<std::string>{"S01", "S02"}));
    }

    // Renamed after another program changed the file: no new file.
    Select(Pane::groups, {0});
    std::vector<std::uint8_t> s01 = ReadBytes(dir / "GS01.731");
    s01[s01.size() - 2] = 'x'; // the last text's last letter: same length, other bytes
    WriteBytes(dir / "GS01.731", s01);
    ModalDriver dialogs([](wxDialog* dialog) {
        auto* rename = dynamic_cast<CRenameGroupDialog*>(dialog);
        if (!rename)
            return int{wxID_OK};
        rename->CallAfter([rename] {
            wxDynamicCast(rename->FindWindow(CRenameGroupDialog::kGroupIdField), wxTextCtrl)
                ->ChangeValue(wxString::FromUTF8("S07"));
            ClickButton(rename, wxID_OK);
        });
        return int{wxID_NONE};
    });
    Command(cmd::kRenameGroup);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{Message(ids::kChangedOnDisk, "GS01.731")});
    EXPECT_EQ(Column(browser->GetPane(Pane::groups), 0), (std::vector<std::string>{"S01", "S02"}));
    EXPECT_FALSE(fs::exists(dir / "GS07.731"));
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), s01);

    // Unchanged, the group goes.
    Select(Pane::groups, {1});
    Command(wxID_DELETE);
    EXPECT_FALSE(fs::exists(dir / "GS02.731"));
}

} // namespace
