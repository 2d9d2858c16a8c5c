// The desktop program as people use it: keys and mnemonics, the order of
// the Tab key, column widths, window titles, and messages that explain.
#include "app/browser/BrowserListCtrl.h"
#include "app/widgets/ColumnWidths.h"
#include "app/frames/CommandIds.h"
#include "app/dialogs/ConfigDialog.h"
#include "app/platform/HtmlViewer.h"
#include "app/widgets/ListColumnSizer.h"
#include "app/frames/MainFrame.h"
#include "app/frames/MenuBuilder.h"
#include "gui/MessageBox.h"
#include "app/document/MorawinDoc.h"
#include "app/document/MorawinView.h"
#include "app/document/OperandListCtrl.h"
#include "app/browser/ProjectBrowser.h"
#include "app/browser/ProjectBrowserFrame.h"
#include "app/dialogs/ProjectFolderDialog.h"
#include "app/frames/ProjectStatusBar.h"
#include "convert/dialogs/ConversionDlg.h"
#include "data/text/Charset.h"
#include "data/sequence/SequenceEntry.h"
#include "panel/PanelProject.h"
#include "tests/app/GuiSupport.h"
#include "tests/support/PanelFiles.h"
#include "tests/support/TestSystem.h"

#include <gtest/gtest.h>
#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/docview.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <algorithm>
#include <cctype>
#include <set>

namespace fs = std::filesystem;

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

wxMenuBar* DocumentBar()
{
    return static_cast<wxFrame*>(ActiveView()->GetFrame())->GetMenuBar();
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

// ---------------------------------------------------------------- keys

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

// ---------------------------------------------------------------- layout

class Columns : public ::testing::Test {
protected:
    void SetUp() override { CColumnWidths::ForgetSession(); }
    void TearDown() override
    {
        CColumnWidths::ForgetSession();
        TestApp().GetMainFrame()->SetSize(wxSize(1000, 700));
        Settle();
    }
};

int TotalWidth(const wxListCtrl& list)
{
    int total = 0;
    for (int i = 0; i < list.GetColumnCount(); ++i)
        total += list.GetColumnWidth(i);
    return total;
}

TEST_F(Columns, SymbolFitsItsWidestTextAndKommentarFillsTheRestOnEveryResize)
{
    COperandListCtrl* list = ActiveView()->GetList();
    Settle();
    int widest = 0;
    for (long row = 0; row < list->GetItemCount(); ++row)
        widest = std::max(widest, list->GetTextExtent(list->GetItemText(row, COperandListCtrl::kSymbolColumn)).GetWidth());
    const int symbol = list->GetColumnWidth(COperandListCtrl::kSymbolColumn);
    EXPECT_GE(symbol, widest);
    EXPECT_LT(symbol, widest + 4 * list->GetCharWidth());
    EXPECT_EQ(list->GetColumnWidth(0), 12 * list->GetCharWidth());
    EXPECT_EQ(TotalWidth(*list), CListColumnSizer::RowWidth(*list));

    const int before = list->GetColumnWidth(COperandListCtrl::kCommentColumn);
    TestApp().GetMainFrame()->SetSize(wxSize(1200, 700));
    ASSERT_TRUE(WaitFor([&] { return list->GetColumnWidth(COperandListCtrl::kCommentColumn) > before; }));
    EXPECT_EQ(TotalWidth(*list), CListColumnSizer::RowWidth(*list));
    TestApp().GetMainFrame()->SetSize(wxSize(800, 700));
    ASSERT_TRUE(WaitFor([&] { return list->GetColumnWidth(COperandListCtrl::kCommentColumn) < before; }));
    EXPECT_EQ(TotalWidth(*list), CListColumnSizer::RowWidth(*list));
    EXPECT_EQ(list->GetColumnWidth(COperandListCtrl::kSymbolColumn), symbol);
}

void SendColumnEvent(wxListCtrl* list, wxEventType type, int column)
{
    wxListEvent event(type, list->GetId());
    event.SetEventObject(list);
    event.m_col = column;
    list->ProcessWindowEvent(event);
}

// A column border dragged by the user, as the list reports it; the main
// window is resized while the mouse is still down (on Windows a scroll bar
// coming or going does that).
void Drag(wxListCtrl* list, int column, int width)
{
    SendColumnEvent(list, wxEVT_LIST_COL_BEGIN_DRAG, column);
    list->SetColumnWidth(column, width);
    wxFrame* main = TestApp().GetMainFrame();
    main->SetSize(main->GetSize() + wxSize(10, 0));
    Settle();
    EXPECT_EQ(list->GetColumnWidth(column), width) << "the layout moved the border while it was dragged";
    SendColumnEvent(list, wxEVT_LIST_COL_END_DRAG, column);
    Settle();
}

TEST_F(Columns, DraggedWidthsStayAfterResizingAndForNewWindows)
{
    COperandListCtrl* list = ActiveView()->GetList();
    Settle();
    Drag(list, COperandListCtrl::kSymbolColumn, 222);
    EXPECT_EQ(list->GetColumnWidth(COperandListCtrl::kSymbolColumn), 222);
    // Kommentar still takes the rest.
    EXPECT_EQ(TotalWidth(*list), CListColumnSizer::RowWidth(*list));
    TestApp().GetMainFrame()->SetSize(wxSize(1150, 700));
    Settle(200);
    EXPECT_EQ(list->GetColumnWidth(COperandListCtrl::kSymbolColumn), 222);
    // Refilling the list after a filter change fits nothing over it.
    COperandFilter filter;
    filter.ShowInputs = false;
    ActiveView()->SetFilter(filter);
    EXPECT_EQ(list->GetColumnWidth(COperandListCtrl::kSymbolColumn), 222);

    ChooseCommand(cmd::kWindowNew);
    Settle();
    CMorawinView* second = ActiveView();
    ASSERT_NE(second->GetList(), list);
    EXPECT_EQ(second->GetList()->GetColumnWidth(COperandListCtrl::kSymbolColumn), 222);

    // Kommentar dragged: it no longer follows the window.
    Drag(second->GetList(), COperandListCtrl::kCommentColumn, 300);
    TestApp().GetMainFrame()->SetSize(wxSize(1000, 700));
    Settle(200);
    EXPECT_EQ(second->GetList()->GetColumnWidth(COperandListCtrl::kCommentColumn), 300);
}

TEST_F(Columns, TheBrowsersWidestColumnsFillTheirPanes)
{
    ModalDriver driver(AnswerAll);
    CProjectBrowserFrame* frame = TestApp().OpenProjectBrowser();
    ASSERT_NE(frame, nullptr);
    Settle();
    CProjectBrowser* browser = frame->GetBrowser();
    for (auto pane : {CProjectBrowser::Pane::groups, CProjectBrowser::Pane::lists, CProjectBrowser::Pane::texts}) {
        CBrowserListCtrl* list = browser->GetPane(pane);
        EXPECT_TRUE(WaitFor([&] { return TotalWidth(*list) == CListColumnSizer::RowWidth(*list); }))
            << static_cast<int>(pane) << ": " << TotalWidth(*list) << " of " << CListColumnSizer::RowWidth(*list);
    }
    CBrowserListCtrl* texts = browser->GetPane(CProjectBrowser::Pane::texts);
    const int before = texts->GetColumnWidth(1);
    TestApp().GetMainFrame()->SetSize(wxSize(1300, 700));
    EXPECT_TRUE(WaitFor([&] { return texts->GetColumnWidth(1) > before; }));
    frame->Close(true);
    Settle();
}

// ---------------------------------------------------------------- titles

std::string TabTitle(CMorawinView* view)
{
    return ToUtf8(static_cast<wxMDIChildFrame*>(view->GetFrame())->GetTitle());
}

TEST(Titles, TwoWindowsOnOneFileAreNumbered)
{
    CMorawinView* first = ActiveView();
    EXPECT_EQ(TabTitle(first), "Zuordnung Ölmühle.seq");
    ChooseCommand(cmd::kWindowNew);
    Settle();
    CMorawinView* second = ActiveView();
    ASSERT_NE(second, first);
    EXPECT_EQ(TabTitle(first), "Zuordnung Ölmühle.seq:1");
    EXPECT_EQ(TabTitle(second), "Zuordnung Ölmühle.seq:2");
    EXPECT_TRUE(WaitFor([] {
        return ToUtf8(TestApp().GetMainFrame()->GetTitle()) == MainTitleWith("Zuordnung Ölmühle.seq:2");
    })) << ToUtf8(TestApp().GetMainFrame()->GetTitle());

    second->GetFrame()->Close(true);
    Settle();
    EXPECT_EQ(TabTitle(first), "Zuordnung Ölmühle.seq");
    EXPECT_TRUE(WaitFor([] {
        return ToUtf8(TestApp().GetMainFrame()->GetTitle()) == MainTitleWith("Zuordnung Ölmühle.seq");
    })) << ToUtf8(TestApp().GetMainFrame()->GetTitle());
}

TEST(Titles, ANewDocumentHasOneNameInItsTabAndTheMainTitle)
{
    ModalDriver driver(AnswerAll);
    TestApp().GetDocManager()->CreateNewDocument();
    Settle();
    CMorawinView* created = ActiveView();
    ASSERT_NE(created, nullptr);
    const std::string tab = TabTitle(created);
    EXPECT_EQ(tab.rfind("Morawi", 0), 0u) << tab;
    EXPECT_TRUE(WaitFor([&] { return ToUtf8(TestApp().GetMainFrame()->GetTitle()) == MainTitleWith(tab); }))
        << ToUtf8(TestApp().GetMainFrame()->GetTitle()) << " / " << tab;
    TestApp().GetDocManager()->CloseDocument(created->GetDocument(), true);
    Settle();
}

TEST(WindowMenu, OffersArrangingOnlyWhereChildWindowsCanBeArranged)
{
    wxMenuBar* bar = DocumentBar();
    const bool arranged = CMenuBuilder::ChildWindowsCanBeArranged();
    EXPECT_NE(bar->FindItem(cmd::kWindowNew), nullptr);
    for (int id : {cmd::kWindowCascade, cmd::kWindowTile, cmd::kWindowArrange})
        EXPECT_EQ(bar->FindItem(id) != nullptr, arranged) << id;
#if defined(__WXGTK__)
    // GTK shows the child windows as tabs.
    EXPECT_FALSE(arranged);
#endif
}

TEST(WindowMenu, CascadeAndTileArrangeTheChildWindows)
{
    if (!CMenuBuilder::ChildWindowsCanBeArranged())
        GTEST_SKIP() << "child windows are tabs here";
    auto* first = static_cast<wxMDIChildFrame*>(ActiveView()->GetFrame());
    ChooseCommand(cmd::kWindowNew);
    Settle();
    auto* second = static_cast<wxMDIChildFrame*>(ActiveView()->GetFrame());
    ASSERT_NE(second, first);
    EXPECT_TRUE(second->IsMaximized());
    const wxSize room = TestApp().GetMainFrame()->GetClientWindow()->GetClientSize();

    // Restored and overlapping, one below and right of the other; the
    // main title names the active window itself again.
    ChooseCommand(cmd::kWindowCascade);
    Settle();
    EXPECT_FALSE(first->IsMaximized());
    EXPECT_FALSE(second->IsMaximized());
    const wxRect a = first->GetRect(), b = second->GetRect();
    EXPECT_NE(a.GetPosition(), b.GetPosition());
    EXPECT_TRUE(a.Intersects(b));
    EXPECT_LT(a.GetWidth(), room.GetWidth());
    EXPECT_TRUE(WaitFor([] {
        return ToUtf8(TestApp().GetMainFrame()->GetTitle()) == "MoraWin - Zuordnung Ölmühle.seq:2";
    })) << ToUtf8(TestApp().GetMainFrame()->GetTitle());

    // Side by side: together they fill the room without overlapping.
    ChooseCommand(cmd::kWindowTile);
    Settle();
    const wxRect c = first->GetRect(), d = second->GetRect();
    EXPECT_FALSE(c.Intersects(d)) << c.x << "," << c.y << " " << d.x << "," << d.y;
    EXPECT_EQ(c.Union(d).GetSize(), room);

    // Maximized again, the system names the window in the title.
    second->Maximize();
    EXPECT_TRUE(WaitFor([] {
        return ToUtf8(TestApp().GetMainFrame()->GetTitle()) == MainTitleWith("Zuordnung Ölmühle.seq:2");
    })) << ToUtf8(TestApp().GetMainFrame()->GetTitle());
    second->Close(true);
    Settle();
}

// ---------------------------------------------------------------- messages

// Shows a message box for real and reports its buttons and icon.
struct ShownBox {
    std::vector<std::string> labels;
    std::vector<int> ids;
    std::string icon;
    std::string title;
    int defaultId = 0;
};

ShownBox ShowBox(long style, int press, int* result = nullptr)
{
    ShownBox shown;
    ModalDriver driver([&](wxDialog* dialog) {
        // The program's own box, not wx's: let it come.
        if (wxDynamicCast(dialog, wxMessageDialog))
            return static_cast<int>(wxID_NONE);
        auto* box = dynamic_cast<CMessageBox*>(dialog);
        if (!box) {
            ADD_FAILURE() << "not the program's message box";
            return static_cast<int>(wxID_CANCEL);
        }
        for (wxWindow* child : box->GetChildren())
            if (auto* button = dynamic_cast<wxButton*>(child)) {
                shown.labels.push_back(ToUtf8(button->GetLabel()));
                shown.ids.push_back(button->GetId());
            }
        if (auto* button = dynamic_cast<wxButton*>(box->GetDefaultItem()))
            shown.defaultId = button->GetId();
        shown.icon = ToUtf8(box->GetIconId());
        shown.title = ToUtf8(box->GetTitle());
        box->CallAfter([box, press] { ClickButton(box, press); });
        return static_cast<int>(wxID_NONE);
    });
    const int answer = wxMessageBox(wxString::FromUTF8("Soll es sein?"), wxString::FromUTF8("morawin"), style,
                                    TestApp().GetMainFrame());
    if (result)
        *result = answer;
    return shown;
}

TEST(Messages, EveryBoxHasGermanButtonsAndTheIconOfItsKind)
{
    int answer = 0;
    ShownBox box = ShowBox(wxOK | wxCANCEL | wxICON_WARNING, CMessageBox::kCancelId, &answer);
    EXPECT_EQ(box.labels, (std::vector<std::string>{"OK", "Abbrechen"}));
    EXPECT_EQ(box.icon, wxART_WARNING);
    EXPECT_EQ(box.title, "morawin");
    EXPECT_EQ(box.defaultId, CMessageBox::kOkId);
    EXPECT_EQ(answer, wxCANCEL);

    box = ShowBox(wxYES_NO, CMessageBox::kNoId, &answer);
    EXPECT_EQ(box.labels, (std::vector<std::string>{"&Ja", "&Nein"}));
    EXPECT_EQ(box.icon, wxART_QUESTION);
    EXPECT_EQ(answer, wxNO);

    box = ShowBox(wxOK | wxICON_ERROR, CMessageBox::kOkId, &answer);
    EXPECT_EQ(box.labels, std::vector<std::string>{"OK"});
    EXPECT_EQ(box.icon, wxART_ERROR);
    EXPECT_EQ(answer, wxOK);

    // A question without an icon of its own is still a question; a plain
    // message is information.
    EXPECT_EQ(ShowBox(wxOK | wxCANCEL | wxICON_NONE, CMessageBox::kOkId).icon, wxART_QUESTION);
    EXPECT_EQ(ShowBox(wxOK, CMessageBox::kOkId).icon, wxART_INFORMATION);

    // No button has one of wx's stock IDs: for those, GTK would show its
    // own button, in the desktop's language ("Cancel" with LANG=C).
    box = ShowBox(wxYES_NO | wxCANCEL | wxNO_DEFAULT, CMessageBox::kYesId, &answer);
    EXPECT_EQ(box.labels, (std::vector<std::string>{"&Ja", "&Nein", "Abbrechen"}));
    EXPECT_EQ(box.defaultId, CMessageBox::kNoId);
    EXPECT_EQ(answer, wxYES);
    for (int id : box.ids)
        EXPECT_FALSE(wxIsStockID(static_cast<wxWindowID>(id))) << id;
}

TEST(Messages, EscapeOnABoxIsItsCancelOrNo)
{
    const std::pair<long, int> cases[] = {{wxOK | wxCANCEL, wxCANCEL}, {wxYES_NO, wxNO}, {wxOK, wxOK}};
    for (const auto& [style, expected] : cases) {
        ModalDriver driver([](wxDialog* dialog) {
            if (wxDynamicCast(dialog, wxMessageDialog))
                return static_cast<int>(wxID_NONE);
            dialog->CallAfter([dialog] {
                wxKeyEvent escape(wxEVT_CHAR_HOOK);
                escape.m_keyCode = WXK_ESCAPE;
                escape.SetEventObject(dialog);
                dialog->ProcessWindowEvent(escape);
            });
            return static_cast<int>(wxID_NONE);
        });
        EXPECT_EQ(wxMessageBox(wxString::FromUTF8("Text"), wxString::FromUTF8("morawin"), style), expected) << style;
    }
}

// The program's error messages (through its message sink) are such boxes.
TEST(Messages, TheProgramsErrorsUseTheGermanBox)
{
    std::string icon;
    std::vector<std::string> labels;
    ModalDriver driver([&](wxDialog* dialog) {
        if (wxDynamicCast(dialog, wxMessageDialog))
            return static_cast<int>(wxID_NONE);
        if (auto* box = dynamic_cast<CMessageBox*>(dialog)) {
            icon = ToUtf8(box->GetIconId());
            for (wxWindow* child : box->GetChildren())
                if (auto* button = dynamic_cast<wxButton*>(child))
                    labels.push_back(ToUtf8(button->GetLabel()));
        }
        return static_cast<int>(wxID_OK);
    });
    EXPECT_FALSE(TestApp().OpenSequenceFile(Fixture().dir / "fehlt.seq"));
    EXPECT_EQ(icon, wxART_ERROR);
    EXPECT_EQ(labels, std::vector<std::string>{"OK"});
}

TEST(Messages, TheChooserSaysWhyAFolderIsNoProject)
{
    const fs::path empty = Fixture().dir / "Kein Projekt";
    fs::create_directories(empty);
    const fs::path cut = Fixture().dir / "Kaputt";
    fs::create_directories(cut);
    WriteText(cut / "SDAT.731", std::string("\x01", 1));
    std::vector<std::string> reasons;
    bool stayedOpen = false;
    ModalDriver driver([&](wxDialog* dialog) {
        auto* chooser = dynamic_cast<CProjectFolderDialog*>(dialog);
        if (!chooser)
            return static_cast<int>(wxID_OK);
        chooser->CallAfter([&, chooser] {
            const auto reason = [chooser] {
                return ToUtf8(static_cast<wxStaticText*>(chooser->FindWindow(CProjectFolderDialog::kReason))->GetLabel());
            };
            auto* path = static_cast<wxTextCtrl*>(chooser->FindWindow(CProjectFolderDialog::kPathField));
            for (const fs::path& folder : {empty, cut}) {
                path->ChangeValue(wxString::FromUTF8(folder.string()));
                ClickButton(chooser, wxID_OK);
                reasons.push_back(reason());
            }
            stayedOpen = chooser->IsModal();
            path->ChangeValue(wxString::FromUTF8(Fixture().otherProject.string()));
            ClickButton(chooser, wxID_OK);
            reasons.push_back(reason());
        });
        return static_cast<int>(wxID_NONE);
    });
    TestApp().OnOpenProject();
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(reasons, (std::vector<std::string>{"Kein RZ731-Projekt: keine Projektdatei (SDAT.731 oder SDAT.SYS)",
                                                 "Kein RZ731-Projekt: Kopf der Projektdatei unvollständig (SDAT.731)",
                                                 ""}));
    ASSERT_NE(TestApp().GetProject(), nullptr);
    EXPECT_EQ(charset::Cp1252ToUtf8(TestApp().GetProject()->GetName()), "Linie 2");
}

wxString CountsPane()
{
    return TestApp().GetMainFrame()->GetProjectStatusBar()->GetStatusText(2);
}

TEST(Messages, AnEmptyFileSaysWhyAndTheStatusBarCountsTheOperands)
{
    EXPECT_TRUE(WaitFor([] { return ToUtf8(CountsPane()) == "12 Operanden"; })) << ToUtf8(CountsPane());
    COperandFilter filter;
    filter.ShowInputs = false;
    ActiveView()->SetFilter(filter);
    EXPECT_TRUE(WaitFor([] { return ToUtf8(CountsPane()) == "9 von 12 Operanden"; })) << ToUtf8(CountsPane());
    EXPECT_EQ(ActiveView()->GetList()->GetHint(), wxString());

    // Every kind switched off: the list says so.
    COperandFilter none;
    none.ShowInputs = none.ShowOutputs = none.ShowMarkers = none.ShowTimers = none.ShowCounters = false;
    ActiveView()->SetFilter(none);
    EXPECT_EQ(ToUtf8(ActiveView()->GetList()->GetHint()), "Keine Operanden der gewählten Arten (Ansicht ▸ Operanden...)");

    ASSERT_TRUE(TestApp().OpenSequenceFile(Fixture().emptySequenceFile));
    Settle();
    COperandListCtrl* list = ActiveView()->GetList();
    EXPECT_EQ(list->GetItemCount(), 0);
    EXPECT_EQ(ToUtf8(list->GetHint()), "Keine Operanden in dieser Datei: jede Zeile muss mit Tabulator, "
                                       "Kennbuchstabe und Leerzeichen beginnen");
    EXPECT_TRUE(WaitFor([] { return ToUtf8(CountsPane()) == "0 Operanden"; })) << ToUtf8(CountsPane());

    // No document, no counts.
    TestApp().GetDocManager()->CloseDocuments(true);
    EXPECT_TRUE(WaitFor([] { return TestApp().GetMainFrame()->GetProjectStatusBar()->GetFieldsCount() == 2; }));
}

TEST(Messages, DuplicateOperandsAreMarkedAndCounted)
{
    const fs::path file = Fixture().dir / "doppelt.seq";
    WriteText(file, "\tE 0.1\tS_ALT\tStart alt\r\n"
                    "\tA 4.0\tK1\tPumpe\r\n"
                    "\tE 0.1\tS_NEU\tStart neu\r\n"
                    "\tM 1.0\tM1\tMerker\r\n"
                    "\tM 1.0\tM1\tMerker\r\n");
    ASSERT_TRUE(TestApp().OpenSequenceFile(file));
    Settle();
    COperandListCtrl* list = ActiveView()->GetList();
    ASSERT_EQ(list->GetItemCount(), 5);
    std::string marked;
    for (long row = 0; row < list->GetItemCount(); ++row)
        if (list->IsDuplicateRow(row))
            marked += list->GetItemText(row, 0).utf8_string() + " ";
    EXPECT_EQ(marked, "E000.01 E000.01 M001.00 M001.00 ");
    EXPECT_TRUE(WaitFor([] { return ToUtf8(CountsPane()) == "5 Operanden, 2 mehrfach in der Datei"; }))
        << ToUtf8(CountsPane());

    // The tool tip names it where the mouse points at a marked row.
    wxWindow* rows = list;
    for (wxWindow* child : list->GetChildren())
        if (child->GetClassInfo()->IsKindOf(wxCLASSINFO(wxWindow)) && child->GetSize().y > list->GetSize().y / 2)
            rows = child;
    TestApp().GetMainFrame()->Raise();
    wxRect first;
    ASSERT_TRUE(list->GetItemRect(0, first));
    wxUIActionSimulator mouse;
    mouse.MouseMove(list->ClientToScreen(first.GetPosition() + wxPoint(first.width / 3, first.height / 2)));
    EXPECT_TRUE(WaitFor([&] { return ToUtf8(rows->GetToolTipText()) == "mehrfach in der Datei"; }))
        << ToUtf8(rows->GetToolTipText());
    // Row 2 is A004.00, named once.
    wxRect second;
    ASSERT_TRUE(list->GetItemRect(2, second));
    mouse.MouseMove(list->ClientToScreen(second.GetPosition() + wxPoint(second.width / 3, second.height / 2)));
    EXPECT_TRUE(WaitFor([&] { return rows->GetToolTipText().empty(); })) << ToUtf8(rows->GetToolTipText());

    TestApp().GetDocManager()->CloseDocument(ActiveView()->GetDocument(), true);
    Settle();
}

// xdg-open that cannot show the document fails only by its exit status;
// the program says so.
TEST(Messages, AHelpViewerThatGivesUpIsReported)
{
    if (test_system::kWindows)
        GTEST_SKIP() << "Windows opens the document through the shell's association, which fails at once or "
                        "not at all; there is no xdg-open whose exit status comes later";
    const fs::path tools = Fixture().dir / "werkzeuge";
    fs::create_directories(tools);
    WriteText(tools / "xdg-open", "#!/bin/sh\necho 'xdg-open: no method available' >&2\nexit 3\n");
    fs::permissions(tools / "xdg-open", fs::perms::owner_all);
    wxString oldPath;
    wxGetEnv(wxASCII_STR("PATH"), &oldPath);
    wxSetEnv(wxASCII_STR("PATH"), wxString::FromUTF8(tools.string()));
    bool failed = false;
    const bool started = LaunchHtmlViewer(wxString::FromUTF8("file:///hilfe.htm"), [&] { failed = true; });
    EXPECT_TRUE(WaitFor([&] { return failed; }, 5000));
    EXPECT_TRUE(started);

    // No xdg-open at all: nothing could be started, or it is reported later.
    fs::remove(tools / "xdg-open");
    failed = false;
    const bool none = LaunchHtmlViewer(wxString::FromUTF8("file:///hilfe.htm"), [&] { failed = true; });
    EXPECT_TRUE(!none || WaitFor([&] { return failed; }, 5000));
    wxSetEnv(wxASCII_STR("PATH"), oldPath);
}

} // namespace
