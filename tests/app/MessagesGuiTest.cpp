// Messages that explain: the program's German message boxes, why a folder
// is no project, empty and duplicate operands, a help viewer that fails.
#include "app/dialogs/ProjectFolderDialog.h"
#include "app/document/MorawinDoc.h"
#include "app/document/MorawinView.h"
#include "app/document/OperandListCtrl.h"
#include "app/frames/MainFrame.h"
#include "app/frames/ProjectStatusBar.h"
#include "app/platform/HtmlViewer.h"
#include "data/text/Charset.h"
#include "gui/MessageBox.h"
#include "panel/PanelProject.h"
#include "tests/app/GuiSupport.h"
#include "tests/support/PanelFiles.h"
#include "tests/support/TestSystem.h"

#include <gtest/gtest.h>
#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/docview.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

namespace fs = std::filesystem;

namespace {

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
