#pragma once

// The conversion dialog on a project of its own, shown modally under Xvfb
// and driven through its real controls.
#include "convert/dialogs/ConversionDlg.h"
#include "data/settings/AppSettings.h"
#include "data/records/AtomicFile.h"
#include "data/sequence/SequenceFile.h"
#include "panel/GroupFolder.h"
#include "panel/PanelProject.h"
#include "panel/StepChainGroup.h"
#include "panel/StepChainList.h"
#include "panel/StepChainText.h"
#include "tests/support/ModalScript.h"
#include "tests/support/PanelFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/combobox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

inline 
std::string Utf8(const wxString& text)
{
    return text.utf8_string();
}

class ConversionDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteDataFile(dir.Path(), "Mischanlage");
        settings.Load(dir / "morawin.ini");
    }
    void TearDown() override { CAtomicFile::SetFaultHook({}); }

    std::vector<CSequenceEntry*> Operands(const std::string& text)
    {
        sequence = std::make_unique<CSequenceFile>(dir / "anlage.seq");
        std::istringstream in(text);
        sequence->ReadArchive(in);
        std::vector<CSequenceEntry*> entries;
        for (int i = 0; i < sequence->GetCount(); ++i)
            entries.push_back(sequence->GetEntry(i));
        return entries;
    }

    // Shows the dialog modally and runs `actions` inside its loop; a dialog
    // still open afterwards is cancelled. Returns ShowModal's result.
    int Run(ConversionMode mode, const std::string& operands, std::function<void(CConversionDlg&)> actions)
    {
        CPanelProject project(dir.Path().string(), "");
        EXPECT_TRUE(project.IsValid());
        CConversionDlg dialog(nullptr, mode, project, Operands(operands), settings);
        script.Allow(&dialog);
        wxTheApp->CallAfter([&] {
            actions(dialog);
            if (IsOpen(dialog))
                Click(dialog, CConversionDlg::kCancelId);
        });
        return dialog.ShowModal();
    }

    template <class T>
    static T& Control(wxWindow& dialog, int id)
    {
        return *dynamic_cast<T*>(dialog.FindWindow(id));
    }
    static std::string Value(wxWindow& dialog, int id)
    {
        if (auto* combo = dynamic_cast<wxComboBox*>(dialog.FindWindow(id)))
            return Utf8(combo->GetValue());
        if (auto* text = dynamic_cast<wxTextCtrl*>(dialog.FindWindow(id)))
            return Utf8(text->GetValue());
        return Utf8(Control<wxStaticText>(dialog, id).GetLabel());
    }
    // The focus is on the control or inside it (a combo box's entry).
    static bool HasFocus(wxWindow& dialog, int id)
    {
        for (wxWindow* w = wxWindow::FindFocus(); w; w = w->GetParent())
            if (w == dialog.FindWindow(id))
                return true;
        return false;
    }
    static void Choose(wxComboBox& combo, const wxString& item)
    {
        combo.SetSelection(combo.FindString(item));
        wxCommandEvent chosen(wxEVT_COMBOBOX, combo.GetId());
        chosen.SetEventObject(&combo);
        chosen.SetInt(combo.GetSelection());
        combo.ProcessWindowEvent(chosen);
    }

    // A group S02 "Zwei" with input list 001 holding E001.00 "alt".
    void ExistingGroup(const std::string& id = "S02", int kind = 1)
    {
        // Written afresh: a new group never replaces a file it did not read.
        std::filesystem::remove(dir / ("G" + id + ".731"));
        CPanelProject project(dir.Path().string(), "");
        project.Load();
        auto group = std::make_unique<CStepChainGroup>(project.GetGroupFolder());
        group->Rename("G" + id, "Zwei");
        auto* list = group->AddNew(std::make_unique<CStepChainList>(group.get()));
        list->SetProperties("001", kind, "Liste");
        auto* text = list->AddNew(std::make_unique<CStepChainText>(list, 1, 0, 0, 0, "alt"));
        list->OnEntryChanged(text);
        ASSERT_TRUE(group->Save());
    }

    std::vector<std::string> Messages() const
    {
        std::vector<std::string> texts;
        for (const auto& box : script.boxes)
            texts.push_back(box.message);
        return texts;
    }

    TempDir dir;
    CAppSettings settings;
    ModalScript script;
    std::unique_ptr<CSequenceFile> sequence;
    const std::string threeInputs = "\tE 1.0\tA\tx\n\tE 1.1\tB\ty\n\tE 1.2\tC\tz\n";
};
