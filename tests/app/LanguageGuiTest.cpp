#include "app/frames/CommandIds.h"
#include "app/frames/MainFrame.h"
#include "app/browser/ProjectBrowserFrame.h"
#include "app/frames/MenuBuilder.h"
#include "app/startup/WindowLanguage.h"
#include "data/settings/AppPaths.h"
#include "gui/MessageBox.h"
#include "tests/app/GuiSupport.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/docview.h>
#include <wx/filedlg.h>
#include <wx/frame.h>
#include <wx/msgdlg.h>
#include <wx/listctrl.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/menu.h>
#include <wx/settings.h>
#include <wx/stattext.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

std::string MenuLabel(wxMenuBar* bar, int menu)
{
    return ToUtf8(bar->GetMenuLabel(static_cast<size_t>(menu)));
}

// Each label of the dialog's texts, boxes and buttons whose text is wider
// than the control shows it, with the two widths.
std::vector<std::string> ClippedLabels(wxWindow* dialog)
{
    std::vector<std::string> clipped;
    for (wxWindow* child : dialog->GetChildren()) {
        for (wxWindow* inner : child->GetChildren())
            for (const std::string& label : ClippedLabels(inner))
                clipped.push_back(label);
        if (!wxDynamicCast(child, wxStaticText) && !wxDynamicCast(child, wxCheckBox) && !wxDynamicCast(child, wxButton))
            continue;
        const wxString text = wxStripMenuCodes(child->GetLabel());
        const int needed = child->GetTextExtent(text).GetWidth();
        if (needed > child->GetClientSize().GetWidth())
            clipped.push_back(ToUtf8(text) + " " + std::to_string(needed) + ">"
                              + std::to_string(child->GetClientSize().GetWidth()));
    }
    return clipped;
}

// The headings of the window's lists that their columns show cut short:
// the header draws a title with an inset of three edge widths each side.
std::vector<std::string> ClippedHeaders(wxWindow* window)
{
    std::vector<std::string> clipped;
    for (wxWindow* child : window->GetChildren()) {
        for (const std::string& label : ClippedHeaders(child))
            clipped.push_back(label);
        auto* list = wxDynamicCast(child, wxListCtrl);
        if (!list)
            continue;
        const int inset = 6 * std::max(2, wxSystemSettings::GetMetric(wxSYS_EDGE_X, list));
        for (int column = 0; column < list->GetColumnCount(); ++column) {
            wxListItem item;
            item.SetMask(wxLIST_MASK_TEXT);
            list->GetColumn(column, item);
            if (list->GetColumnWidth(column) < list->GetTextExtent(item.GetText()).GetWidth() + inset)
                clipped.push_back(ToUtf8(item.GetText()));
        }
    }
    return clipped;
}

// The program back in German after each test, as every other test expects it.
class WindowLanguage : public ::testing::Test {
protected:
    void SetUp() override { m_paths.LocaleFolder = MORAWIN_LOCALE_DIR; }
    void TearDown() override { window_language::Use(m_paths, "de"); }
    CAppPaths m_paths;
};

TEST_F(WindowLanguage, EnglishMenusAndButtonsComeFromTheCatalogAndGermanStaysAsItWas)
{
    const std::unique_ptr<wxMenuBar> german(CMenuBuilder::MainMenuBar());
    EXPECT_EQ(MenuLabel(german.get(), 0), "&Datei");
    EXPECT_EQ(ToUtf8(german->GetMenu(0)->GetLabel(cmd::kFileOpen)), "Ö&ffnen...\tCtrl+O");

    ASSERT_EQ(window_language::Use(m_paths, "en"), "en");
    const std::unique_ptr<wxMenuBar> english(CMenuBuilder::MainMenuBar());
    EXPECT_EQ(MenuLabel(english.get(), 0), "&File");
    EXPECT_EQ(MenuLabel(english.get(), 1), "&Edit");
    EXPECT_EQ(MenuLabel(english.get(), 3), "&Configuration");
    wxMenuItem* language = english->GetMenu(3)->FindItemByPosition(1);
    ASSERT_TRUE(language && language->GetSubMenu());
    EXPECT_EQ(ToUtf8(language->GetItemLabel()), "&Language");
    // Each language keeps its own name.
    EXPECT_EQ(ToUtf8(language->GetSubMenu()->GetLabel(cmd::kLanguageGerman)), "Deutsch");
    EXPECT_EQ(ToUtf8(language->GetSubMenu()->GetLabel(cmd::kLanguageSystem)), "System language");
    CMessageBox box(nullptr, wxString::FromUTF8("?"), wxString::FromUTF8("MoraWin"), wxYES_NO | wxCANCEL);
    EXPECT_EQ(ToUtf8(box.FindWindow(CMessageBox::kYesId)->GetLabel()), "&Yes");
    EXPECT_EQ(ToUtf8(box.FindWindow(CMessageBox::kCancelId)->GetLabel()), "Cancel");

    ASSERT_EQ(window_language::Use(m_paths, "de"), "de");
    const std::unique_ptr<wxMenuBar> again(CMenuBuilder::MainMenuBar());
    EXPECT_EQ(MenuLabel(again.get(), 0), "&Datei");
}

// The words of a text, lower-cased (ASCII letters; other bytes split
// words), without abbreviations in capitals ("MIT", "RZ").
std::vector<std::string> Words(const std::string& text)
{
    std::vector<std::string> words;
    std::string word;
    bool capitals = true;
    const auto end = [&] {
        if (!word.empty() && !(capitals && word.size() > 1))
            words.push_back(word);
        word.clear();
        capitals = true;
    };
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80 && std::isalpha(byte)) {
            capitals = capitals && std::isupper(byte);
            word += static_cast<char>(std::tolower(byte));
        } else {
            end();
        }
    }
    end();
    return words;
}

// A text of the program's windows that reads German: an umlaut or one of
// the words its German texts are made of.
bool ReadsGerman(const std::string& text)
{
    static const std::set<std::string> kGerman = {
        "und", "der", "die", "das", "den", "nicht", "datei", "gruppe", "liste", "schlie", "abbrechen", "bernehmen",
        "ffnen", "operanden", "kommentare", "konvertierung", "anzeigen", "verlauf", "sprache", "ja", "nein", "alle",
        "projekt", "einstellungen", "hilfe", "von", "mit", "neu", "verwaist", "gleich", "zeile", "zeilen", "spalte",
        "trennzeichen", "kodierung", "blatt", "adresse", "kennung", "bezeichnung", "anzahl", "frei", "listen",
        "werden", "ist", "oder", "ein", "eine", "keine", "kein", "zur", "zum", "auf", "aus", "bei", "wird"};
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80 && text.find("Deutsch") == std::string::npos)
            return true;
    for (const std::string& word : Words(text))
        if (kGerman.count(word))
            return true;
    return false;
}

// The texts a user reads in a window: its title and the labels of its
// texts, boxes and buttons and the headings of its lists.
void CollectTexts(wxWindow* window, std::vector<std::string>& texts)
{
    for (wxWindow* child : window->GetChildren()) {
        if (wxDynamicCast(child, wxStaticText) || wxDynamicCast(child, wxCheckBox) || wxDynamicCast(child, wxButton)
            || wxDynamicCast(child, wxStaticBox) || wxDynamicCast(child, wxRadioButton))
            texts.push_back(ToUtf8(wxStripMenuCodes(child->GetLabel())));
        if (auto* list = wxDynamicCast(child, wxListCtrl)) {
            for (int column = 0; column < list->GetColumnCount(); ++column) {
                wxListItem item;
                item.SetMask(wxLIST_MASK_TEXT);
                list->GetColumn(column, item);
                texts.push_back(ToUtf8(item.GetText()));
            }
        }
        CollectTexts(child, texts);
    }
}

void CollectMenuTexts(wxMenu* menu, std::vector<std::string>& texts)
{
    for (wxMenuItem* item : menu->GetMenuItems()) {
        if (item->IsSeparator())
            continue;
        texts.push_back(ToUtf8(item->GetItemLabelText()));
        texts.push_back(ToUtf8(item->GetHelp()));
        if (item->GetSubMenu())
            CollectMenuTexts(item->GetSubMenu(), texts);
    }
}

// What a walk through the program's windows met: each window's texts, the
// labels shown cut short, and the messages.
struct Walk {
    std::vector<std::string> titles;
    std::vector<std::string> texts;
    std::vector<std::string> clipped;
};

// Opens every dialog a command of the main window opens, looks at it
// before it shows and closes it, and reads the menus as they are built now.
Walk WalkThroughTheWindows()
{
    Walk walk;
    for (wxMenuBar* bar : {CMenuBuilder::MainMenuBar(), CMenuBuilder::DocumentMenuBar(), CMenuBuilder::BrowserMenuBar()}) {
        for (size_t menu = 0; menu < bar->GetMenuCount(); ++menu) {
            walk.texts.push_back(ToUtf8(wxStripMenuCodes(bar->GetMenuLabel(menu))));
            CollectMenuTexts(bar->GetMenu(menu), walk.texts);
        }
        delete bar;
    }
    ModalDriver driver([&walk](wxDialog* dialog) {
        if (!wxDynamicCast(dialog, wxMessageDialog) && !wxDynamicCast(dialog, wxFileDialog)) {
            walk.titles.push_back(ToUtf8(dialog->GetTitle()));
            CollectTexts(dialog, walk.texts);
            for (const std::string& label : ClippedLabels(dialog))
                walk.clipped.push_back(ToUtf8(dialog->GetTitle()) + ": " + label);
        }
        return AnswerAll(dialog);
    });
    TestApp().runConversions = true;
    for (const int command : {cmd::kConfiguration, cmd::kViewOperands, cmd::kAppAbout, cmd::kOpenProject,
                              cmd::kCompareWithProject, cmd::kConvertAll}) {
        ChooseCommand(command);
        Settle();
    }
    TestApp().runConversions = false;
    ChooseCommand(cmd::kHistoryWindow);
    // The columns dialog, which Abbrechen leaves without opening the table.
    TestApp().ImportSymbolTable(std::filesystem::path(MORAWIN_EXAMPLES) / "mischanlage.csv");
    // The windows inside the main window, made anew: an operand view and
    // the project browser.
    TestApp().GetDocManager()->CloseDocuments(true);
    Settle();
    TestApp().OpenSequenceFile(Fixture().sequenceFile);
    Settle();
    CollectTexts(TestApp().GetMainFrame(), walk.texts);
    if (CProjectBrowserFrame* browser = TestApp().OpenProjectBrowser()) {
        Settle(200);
        CollectTexts(browser, walk.texts);
        for (const std::string& label : ClippedHeaders(browser))
            walk.clipped.push_back("browser: " + label);
        browser->Close();
        Settle();
    }
    for (const std::string& message : driver.messages)
        walk.texts.push_back(message);
    return walk;
}

TEST_F(WindowLanguage, AWalkThroughTheWindowsMeetsNoGermanInEnglishAndNoLabelCutInEither)
{
    const Walk german = WalkThroughTheWindows();
    EXPECT_EQ(german.clipped, std::vector<std::string>());
    // The word check knows German when it reads it.
    EXPECT_GT(std::count_if(german.texts.begin(), german.texts.end(), ReadsGerman), 50);
    // The walk reached every dialog it opens.
    EXPECT_EQ(german.titles, (std::vector<std::string>{"Konfiguration", "Auswahl Operanden", "Info über morawin",
                                                       "Öffnen RZ731Win-Projekt", "Mit Projekt abgleichen",
                                                       "Konvertierung einer gesamten Liste", "Verlauf",
                                                       "Spalten zuordnen - mischanlage.csv"}));

    ASSERT_EQ(window_language::Use(m_paths, "en"), "en");
    const Walk english = WalkThroughTheWindows();
    EXPECT_EQ(english.clipped, std::vector<std::string>());
    EXPECT_EQ(english.titles.size(), german.titles.size());
    std::vector<std::string> germanTexts;
    for (const auto* texts : {&english.titles, &english.texts})
        for (const std::string& text : *texts)
            if (ReadsGerman(text))
                germanTexts.push_back(text);
    EXPECT_EQ(germanTexts, std::vector<std::string>());
}

TEST(LanguageMenu, ChoosingALanguageKeepsItForTheNextStartAndSaysSo)
{
    wxMenuBar* bar = TestApp().GetMainFrame()->GetMenuBar();
    ASSERT_TRUE(bar);
    wxMenuItem* german = bar->FindItem(cmd::kLanguageGerman);
    ASSERT_TRUE(german);
    TestApp().GetTopWindow()->UpdateWindowUI();
    bar->GetMenu(static_cast<size_t>(bar->FindMenu(wxString::FromUTF8("Konfiguration"))))->UpdateUI();
    EXPECT_TRUE(german->IsChecked());

    ModalDriver driver(AnswerAll);
    ChooseCommand(cmd::kLanguageEnglish);
    EXPECT_EQ(driver.messages, std::vector<std::string>{"Die gewählte Sprache gilt ab dem nächsten Start von MoraWin."});
    EXPECT_NE(ReadFileText(Fixture().settingsFile).find("[Settings]\r\nLanguage=en"), std::string::npos);
    // Until then the program speaks what it spoke.
    EXPECT_EQ(TestApp().GetLanguage(), "de");
    EXPECT_EQ(MenuLabel(bar, 0), "&Datei");

    // The language in use again: nothing to say.
    ChooseCommand(cmd::kLanguageEnglish);
    EXPECT_EQ(driver.messages.size(), 1u);
}

} // namespace
