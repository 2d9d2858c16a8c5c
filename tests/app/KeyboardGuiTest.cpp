// The desktop program from the keyboard: mnemonics, shortcuts, and the
// order of the Tab key in the dialogs.
#include "app/dialogs/ConfigDialog.h"
#include "app/dialogs/ProjectFolderDialog.h"
#include "app/document/MorawinView.h"
#include "app/document/OperandListCtrl.h"
#include "app/frames/CommandIds.h"
#include "app/frames/MainFrame.h"
#include "app/frames/MenuBuilder.h"
#include "app/frames/ProjectStatusBar.h"
#include "convert/dialogs/ConversionDlg.h"
#include "data/sequence/SequenceEntry.h"
#include "tests/app/DocumentBar.h"
#include "tests/app/GuiSupport.h"
#include "tests/app/MenuKeyText.h"
#include "tests/support/TestSystem.h"

#include <gtest/gtest.h>
#include <wx/filedlg.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <set>

namespace {

// The mnemonic letter of a label ("Ö&ffnen..." gives 'f'), 0 for none; a
// label with more than one gives '!'.
char Mnemonic(const wxString& label)
{
    char found = 0;
    const std::string text = label.utf8_string();
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        if (found)
            return '!';
        found = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
    }
    return found;
}

// Every menu of the bar and every item in it has a mnemonic of its own.
void ExpectMnemonics(wxMenuBar* bar, const std::string& what)
{
    std::set<char> menus;
    for (size_t m = 0; m < bar->GetMenuCount(); ++m) {
        const wxString title = bar->GetMenuLabel(m);
        const char key = Mnemonic(title);
        EXPECT_TRUE(key != 0 && key != '!') << what << ": " << title.utf8_string();
        EXPECT_TRUE(menus.insert(key).second) << what << ": " << title.utf8_string() << " shares its key";
        std::set<char> items;
        for (const wxMenuItem* item : bar->GetMenu(m)->GetMenuItems()) {
            if (item->IsSeparator())
                continue;
            const wxString label = item->GetItemLabel().BeforeFirst('\t');
            const char itemKey = Mnemonic(label);
            // The recent-file placeholder is never enabled.
            if (item->GetId() == cmd::kRecentFirst && !item->IsEnabled())
                continue;
            EXPECT_TRUE(itemKey != 0 && itemKey != '!') << what << ": " << label.utf8_string();
            EXPECT_TRUE(items.insert(itemKey).second)
                << what << ": " << label.utf8_string() << " shares its key in " << title.utf8_string();
        }
    }
}

// The focusable controls of a window in the order the Tab key visits them.
void CollectTabOrder(wxWindow* window, std::vector<wxWindow*>& order)
{
    for (wxWindow* child : window->GetChildren()) {
        if (child->IsTopLevel() || !child->IsShown())
            continue;
        // Group boxes and panels pass the key on to their children.
        if (!child->GetChildren().empty())
            CollectTabOrder(child, order);
        else if (child->AcceptsFocusFromKeyboard() && child->IsEnabled())
            order.push_back(child);
    }
}

std::vector<int> TabOrder(wxWindow* window)
{
    std::vector<wxWindow*> controls;
    CollectTabOrder(window, controls);
    std::vector<int> ids;
    for (wxWindow* control : controls)
        ids.push_back(control->GetId());
    return ids;
}

// Index of `id` in `ids`, or -1.
int Position(const std::vector<int>& ids, int id)
{
    const auto found = std::find(ids.begin(), ids.end(), id);
    return found == ids.end() ? -1 : static_cast<int>(found - ids.begin());
}

TEST(Keyboard, EveryMenuAndItemHasAMnemonicOfItsOwn)
{
    ExpectMnemonics(TestApp().GetMainFrame()->GetMenuBar(), "main");
    ExpectMnemonics(DocumentBar(), "document");
    std::unique_ptr<wxMenuBar> browser(CMenuBuilder::BrowserMenuBar());
    ExpectMnemonics(browser.get(), "browser");
    EXPECT_EQ(ToUtf8(DocumentBar()->FindItem(cmd::kConfiguration)->GetItemLabel()), "&Konfiguration MORAWIN...");
    EXPECT_EQ(ToUtf8(DocumentBar()->FindItem(cmd::kViewOperands)->GetItemLabel()), "&Operanden...");
}

TEST(Keyboard, PrintStandsAboveThePreviewWithItsKey)
{
    wxMenu* file = CMenuBuilder::FileMenu(DocumentBar());
    ASSERT_NE(file, nullptr);
    const wxMenuItemList& items = file->GetMenuItems();
    int print = -1;
    int preview = -1;
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i]->GetId() == wxID_PRINT)
            print = static_cast<int>(i);
        if (items[i]->GetId() == wxID_PREVIEW)
            preview = static_cast<int>(i);
    }
    ASSERT_GE(print, 0);
    EXPECT_EQ(print + 1, preview);
    const wxMenuItem* item = items[static_cast<size_t>(print)];
    EXPECT_EQ(ToUtf8(item->GetItemLabelText()), "Drucken...");
    ASSERT_NE(item->GetAccel(), nullptr);
    EXPECT_EQ(item->GetAccel()->GetKeyCode(), 'P');
    EXPECT_EQ(item->GetAccel()->GetFlags(), wxACCEL_CTRL);
    EXPECT_EQ(ToUtf8(item->GetHelp()), "Druckt die Operandenliste.");
}

// Alt+K, pressed on the keyboard, opens the Konfiguration menu.
TEST(Keyboard, AltWithTheMnemonicOpensItsMenu)
{
    wxFrame* frame = static_cast<wxFrame*>(ActiveView()->GetFrame());
    wxString opened;
    bool closed = false;
    wxUIActionSimulator keys;
    const auto onOpen = [&](wxMenuEvent& event) {
        if (opened.empty() && event.GetMenu()) {
            opened = wxString::FromUTF8(event.GetMenu()->FindItem(cmd::kConfiguration) ? "Konfiguration"
                                                                                        : "another menu");
            // Windows runs an open menu in a loop of its own, which returns
            // only when the menu is closed: the keys that close it (the menu,
            // then the menu bar) go now.
            keys.Char(WXK_ESCAPE);
            keys.Char(WXK_ESCAPE);
        }
        event.Skip();
    };
    const auto onClose = [&](wxMenuEvent& event) {
        closed = true;
        event.Skip();
    };
    for (wxFrame* window : {frame, static_cast<wxFrame*>(TestApp().GetMainFrame())}) {
        window->Bind(wxEVT_MENU_OPEN, onOpen);
        window->Bind(wxEVT_MENU_CLOSE, onClose);
    }
    TestApp().GetMainFrame()->Raise();
    ActiveView()->GetList()->SetFocus();
    Settle(100);
    keys.Char('k', wxMOD_ALT);
    const bool seen = WaitFor([&] { return !opened.empty(); }, 3000);
    EXPECT_TRUE(WaitFor([&] { return closed; }, 3000)) << "the menu is still open";
    Settle(100);
    for (wxFrame* window : {frame, static_cast<wxFrame*>(TestApp().GetMainFrame())}) {
        window->Unbind(wxEVT_MENU_OPEN, onOpen);
        window->Unbind(wxEVT_MENU_CLOSE, onClose);
    }
    EXPECT_TRUE(seen);
    EXPECT_EQ(ToUtf8(opened), "Konfiguration");
}

TEST(Keyboard, MenusNameTheKeysInGerman)
{
    const std::unique_ptr<wxMenuBar> bar(CMenuBuilder::BrowserMenuBar());
    const std::pair<int, std::string> keys[] = {
        {cmd::kFileOpen, "Strg+O"}, {wxID_PASTE, "Strg+V"}, {wxID_DELETE, "Entf"}, {cmd::kRefresh, "F5"}};
    for (const auto& [id, shown] : keys) {
        const wxMenuItem* item = bar->FindItem(id);
        ASSERT_NE(item, nullptr) << id;
        EXPECT_EQ(ShownKeyText(*item), shown) << item->GetItemLabel().utf8_string();
    }
}

TEST(Keyboard, CtrlOAndEscapeLeaveTheStatusBarItsPanes)
{
    CProjectStatusBar* bar = TestApp().GetMainFrame()->GetProjectStatusBar();
    const int panes = bar->GetFieldsCount();
    ASSERT_GT(panes, 1);
    bool asked = false;
    ModalDriver driver([&](wxDialog* dialog) {
        asked = asked || wxDynamicCast(dialog, wxFileDialog) != nullptr;
        return static_cast<int>(wxID_CANCEL);
    });
    TestApp().GetMainFrame()->Raise();
    ActiveView()->GetList()->SetFocus();
    Settle(100);
    wxUIActionSimulator keys;
    keys.Char('O', wxMOD_CONTROL);
    ASSERT_TRUE(WaitFor([&] { return asked; }));
    Settle(100);
    EXPECT_FALSE(bar->InMenuMode());
    EXPECT_EQ(bar->GetFieldsCount(), panes);
}

TEST(Keyboard, CtrlASelectsEveryShownOperand)
{
    COperandListCtrl* list = ActiveView()->GetList();
    COperandFilter filter;
    filter.ShowTimers = false;
    ActiveView()->SetFilter(filter);
    const long shown = list->GetItemCount();
    ASSERT_GT(shown, 0);
    TestApp().GetMainFrame()->Raise();
    list->SetFocus();
    Settle(100);
    wxUIActionSimulator keys;
    keys.Char('A', wxMOD_CONTROL);
    EXPECT_TRUE(WaitFor([&] { return list->GetSelectedItemCount() == shown; }));
    EXPECT_EQ(list->GetSelectedEntries().size(), static_cast<std::size_t>(shown));
    // And the conversion gets them all.
    ChooseCommand(cmd::kConvert);
    ASSERT_EQ(TestApp().conversions.size(), 1u);
    EXPECT_EQ(TestApp().conversions[0].operands.size(), static_cast<std::size_t>(shown));
}

// The selected rows from the top down.
std::vector<long> SelectedRows(const wxListCtrl* list)
{
    std::vector<long> rows;
    for (long row = list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); row >= 0;
         row = list->GetNextItem(row, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
        rows.push_back(row);
    return rows;
}

TEST(Keyboard, ANewWindowsOperandListTakesTheFocusAndTheKeysSelectRows)
{
    wxDocument* document = ActiveView()->GetDocument();
    ChooseCommand(cmd::kWindowNew);
    ASSERT_TRUE(WaitFor([&] { return document->GetViewsVector().size() == 2u; }));
    auto* view = static_cast<CMorawinView*>(document->GetViewsVector()[1]);
    COperandListCtrl* list = view->GetList();
    ASSERT_TRUE(WaitFor([&] { return wxWindow::FindFocus() == list; })) << "the list has no focus";
    EXPECT_EQ(list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED), 0);
    wxUIActionSimulator keys;
    keys.Char(WXK_DOWN);
    EXPECT_TRUE(WaitFor([&] { return SelectedRows(list) == std::vector<long>{1}; }));
    keys.Char(WXK_DOWN, wxMOD_SHIFT);
    keys.Char(WXK_DOWN, wxMOD_SHIFT);
    EXPECT_TRUE(WaitFor([&] { return SelectedRows(list) == (std::vector<long>{1, 2, 3}); }));
    keys.Char(WXK_END);
    const long last = list->GetItemCount() - 1;
    EXPECT_TRUE(WaitFor([&] { return SelectedRows(list) == std::vector<long>{last}; }));
    keys.Char(WXK_HOME, wxMOD_SHIFT);
    EXPECT_TRUE(WaitFor([&] { return SelectedRows(list).size() == static_cast<std::size_t>(last + 1); }));
    // Tab stays in the window: the list is its only control.
    keys.Char(WXK_TAB);
    Settle(100);
    EXPECT_EQ(wxWindow::FindFocus(), list);
    view->GetFrame()->Close(true);
    Settle();
    ASSERT_EQ(document->GetViewsVector().size(), 1u);
    // The window left in front gives its list the focus again.
    EXPECT_TRUE(WaitFor([&] { return wxWindow::FindFocus() == ActiveView()->GetList(); }));
}

TEST(Keyboard, TabFollowsTheLayoutOfTheDialogs)
{
    std::vector<int> configuration;
    std::vector<int> chooser;
    ModalDriver driver([&](wxDialog* dialog) {
        if (dialog->GetTitle() == wxString::FromUTF8("Konfiguration"))
            configuration = TabOrder(dialog);
        else if (wxDynamicCast(dialog, wxMessageDialog) == nullptr)
            chooser = TabOrder(dialog);
        return static_cast<int>(wxID_CANCEL);
    });
    ChooseCommand(cmd::kConfiguration);
    // The switches on the left, the numbers on the right, then the buttons.
    EXPECT_EQ(configuration, (std::vector<int>{CConfigDialog::kSymbolToText, CConfigDialog::kCommentToText,
                                               CConfigDialog::kMaxLists, CConfigDialog::kMaxOperands,
                                               CConfigDialog::kMaxGroupSize, wxID_OK, 2}));
    TestApp().OnOpenProject();
    // Top down: path, folders, places, project name; then the buttons. On
    // Windows wx leaves a read-only one-line field out of the Tab order.
    std::vector<int> expected{CProjectFolderDialog::kPathField, CProjectFolderDialog::kFolderList,
                              CProjectFolderDialog::kPlaces, CProjectFolderDialog::kProjectName, wxID_OK, 2};
    if (test_system::kWindows)
        std::erase(expected, CProjectFolderDialog::kProjectName);
    EXPECT_EQ(chooser, expected);
}

TEST(Keyboard, TabGoesAlongTheRowsOfTheConversionDialog)
{
    TestApp().runConversions = true;
    std::vector<int> order;
    ModalDriver driver([&](wxDialog* dialog) {
        if (wxDynamicCast(dialog, wxMessageDialog))
            return static_cast<int>(wxID_OK);
        if (dynamic_cast<CConversionDlg*>(dialog))
            order = TabOrder(dialog);
        return static_cast<int>(wxID_CANCEL);
    });
    ChooseCommand(cmd::kConvertAll);
    TestApp().runConversions = false;
    const int groupId = Position(order, CConversionDlg::kGroupIdId);
    ASSERT_GE(groupId, 0);
    EXPECT_EQ(Position(order, CConversionDlg::kGroupNameId), groupId + 1);
    EXPECT_GT(Position(order, CConversionDlg::kListIdId), groupId + 1);
    EXPECT_EQ(Position(order, CConversionDlg::kListNameId), Position(order, CConversionDlg::kListIdId) + 1);
    EXPECT_LT(Position(order, CConversionDlg::kListNameId), Position(order, wxID_OK));
    EXPECT_LT(Position(order, wxID_OK), Position(order, CConversionDlg::kAcceptAllId));
    EXPECT_LT(Position(order, CConversionDlg::kAcceptAllId), Position(order, CConversionDlg::kCancelId));
}

} // namespace
