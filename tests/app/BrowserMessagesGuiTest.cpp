// What the program says and asks: a damaged group in the browser, the
// questions before deleting, where the project chooser starts, and the
// operand filter's title.
#include "app/browser/BrowserListCtrl.h"
#include "app/browser/ProjectBrowser.h"
#include "app/browser/ProjectBrowserFrame.h"
#include "app/dialogs/OperandFilterDialog.h"
#include "app/dialogs/ProjectFolderDialog.h"
#include "app/frames/CommandIds.h"
#include "app/frames/MainFrame.h"
#include "data/text/StringTable.h"
#include "data/text/TextFormat.h"
// Before the GUI support, which brings windows.h and its macros on Windows.
#include "panel/StepChainGroup.h"
#include "tests/app/GuiSupport.h"
#include "tests/support/PanelFiles.h"

#include <gtest/gtest.h>
#include <wx/msgdlg.h>

namespace fs = std::filesystem;
using Pane = CProjectBrowser::Pane;

namespace {

class DamagedGroup : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteDataFile(dir.Path(), "P1");
        whole = WorkedExampleGroup();
        // Another intact group, and S01 cut short: its header still says 97.
        auto other = whole;
        other[8] = '2'; // S02
        WriteBytes(dir / "GS02.731", other);
        WriteBytes(dir / "GS01.731", std::vector<std::uint8_t>(whole.begin(), whole.begin() + 60));
        ASSERT_TRUE(TestApp().OpenProjectArgument(dir.Path()));
    }

    CProjectBrowser* OpenBrowser()
    {
        // As the menu opens it; asked again, the browser comes up.
        ChooseCommand(cmd::kProjectBrowser);
        Settle();
        CProjectBrowserFrame* frame = TestApp().OpenProjectBrowser();
        return frame ? frame->GetBrowser() : nullptr;
    }

    static std::string Cell(CBrowserListCtrl* pane, long row, int column)
    {
        return ToUtf8(pane->GetItemText(row, column));
    }

    TempDir dir;
    std::vector<std::uint8_t> whole;
};

TEST_F(DamagedGroup, TheBrowserShowsTheFilesSizeAMarkAndWhyItCannotBeRead)
{
    ModalDriver boxes(AnswerAll);
    CProjectBrowser* browser = OpenBrowser();
    ASSERT_NE(browser, nullptr);
    CBrowserListCtrl* groups = browser->GetPane(Pane::groups);
    ASSERT_EQ(groups->GetItemCount(), 2);
    EXPECT_EQ(Cell(groups, 0, 2), "60");
    EXPECT_EQ(Cell(groups, 0, 1), "Test (beschädigt: der Dateikopf nennt 97 Byte)");
    EXPECT_EQ(Cell(groups, 1, 2), "97");
    EXPECT_EQ(Cell(groups, 1, 1), "Test");
    // The first group is shown at once and cannot be read: the reason is
    // named below the message.
    ASSERT_FALSE(boxes.messages.empty());
    EXPECT_EQ(boxes.messages[0], "Fehler beim Lesen der Datei \"GS01.731\".\n"
                                     + CStringTable::GetUtf8(ids::kReasonEndOfFile));
    browser->GetParent()->Close(true);
    Settle();
}

// The questions name what goes and delete nothing when Return is pressed.
TEST_F(DamagedGroup, DeleteQuestionsNameWhatGoesAndDefaultToKeepingIt)
{
    std::vector<std::string> named;
    std::vector<long> styles;
    ModalDriver boxes([&](wxDialog* dialog) {
        if (auto* box = wxDynamicCast(dialog, wxMessageDialog)) {
            named.push_back(ToUtf8(box->GetExtendedMessage()));
            styles.push_back(box->GetMessageDialogStyle());
        }
        return static_cast<int>(wxID_CANCEL);
    });
    CProjectBrowser* browser = OpenBrowser();
    ASSERT_NE(browser, nullptr);
    named.clear();
    styles.clear();
    browser->GetPane(Pane::groups)->SelectRows({1});
    Settle();
    ASSERT_EQ(browser->GetShownGroup()->GetGroupId(), "S02");
    browser->ActivatePane(Pane::groups);
    browser->Delete();
    browser->GetPane(Pane::lists)->SelectRows({0});
    browser->ActivatePane(Pane::lists);
    browser->Delete();
    Settle();
    browser->GetPane(Pane::texts)->SelectRows({0, 1});
    browser->ActivatePane(Pane::texts);
    browser->Delete();
    EXPECT_EQ(named, (std::vector<std::string>{"Schrittkettengruppe S02 \"Test\" (Datei GS02.731)",
                                               "Schrittkettenliste 001 \"L\" der Gruppe S02",
                                               "2 Text(e) der Liste 001 \"L\""}));
    ASSERT_EQ(styles.size(), 3u);
    for (long style : styles)
        EXPECT_TRUE(style & wxCANCEL_DEFAULT) << std::hex << style;
    EXPECT_TRUE(fs::exists(dir / "GS02.731"));
    browser->GetParent()->Close(true);
    Settle();
}

TEST(ProjectChooserStart, InTheOpenProjectElseWhereTheLastChoiceEnded)
{
    std::vector<fs::path> startedIn;
    ModalDriver driver([&](wxDialog* dialog) {
        auto* chooser = dynamic_cast<CProjectFolderDialog*>(dialog);
        if (!chooser)
            return static_cast<int>(wxID_OK);
        startedIn.push_back(chooser->GetFolder());
        // Ends with OK in the folder it started in.
        chooser->CallAfter([chooser] { ClickButton(chooser, wxID_OK); });
        return static_cast<int>(wxID_NONE);
    });
    ASSERT_TRUE(TestApp().OpenProjectArgument(Fixture().otherProject));
    ChooseCommand(cmd::kOpenProject);
    TestApp().ForgetProject();
    ChooseCommand(cmd::kOpenProject);
    EXPECT_EQ(startedIn, (std::vector<fs::path>{Fixture().otherProject, Fixture().otherProject}));
}

TEST(OperandFilter, TheDialogIsWideEnoughForItsTitle)
{
    COperandFilterDialog dialog(TestApp().GetMainFrame(), COperandFilter());
    wxFont bold = dialog.GetFont();
    bold.SetWeight(wxFONTWEIGHT_BOLD);
    int title = 0;
    dialog.GetTextExtent(dialog.GetTitle(), &title, nullptr, nullptr, nullptr, &bold);
    EXPECT_GE(dialog.GetSize().GetWidth(), title + COperandFilterDialog::kTitleButtonsWidth);
}

} // namespace
