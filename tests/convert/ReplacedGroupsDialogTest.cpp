// "Alle übernehmen" over groups that exist already, and a failed write at
// its end, driven through the conversion dialog under Xvfb.
#include "convert/dialogs/ConversionDlg.h"
#include "tests/convert/ConversionDialogFixture.h"
#include "data/records/AtomicFile.h"
#include "data/sequence/SequenceFile.h"
#include "data/settings/AppSettings.h"
#include "panel/PanelProject.h"
#include "tests/support/ModalScript.h"
#include "tests/support/PanelFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>

#include <cerrno>
#include <map>
#include <sstream>

namespace {

class ReplacedGroupsDialogTest : public ConversionDialogTest {
protected:
    void SetUp() override
    {
        ConversionDialogTest::SetUp();
        settings.MaxLists = 1;
        settings.MaxOperands = 2;
    }

    void WriteHandMade(const std::string& id)
    {
        WriteBytes(dir / ("G" + id + ".731"),
                   GroupBytes("Mischanlage", id, "Bedienpult", 1).List("005", "Hand", 4, 1).Text(5, 0, "Hand").EndList().Bytes());
    }

    std::map<std::string, std::vector<std::uint8_t>> Files() const { return FolderBytes(dir.Path()); }

    // Four inputs in mode all.
    int Run(const std::function<void(CConversionDlg&)>& actions)
    {
        return ConversionDialogTest::Run(ConversionMode::all, "\tE 0.0\ta\n\tE 0.1\tb\n\tE 0.2\tc\n\tE 0.3\td\n", actions);
    }

    static std::string Note(wxWindow& dialog)
    {
        return dynamic_cast<wxStaticText*>(dialog.FindWindow(CConversionDlg::kGroupNoteId))->GetLabel().utf8_string();
    }
};

TEST_F(ReplacedGroupsDialogTest, AcceptAllAsksOnceNamingTheGroupsItReplaces)
{
    WriteHandMade("S01");
    WriteHandMade("S02");
    const auto before = Files();
    std::string note;
    bool openAfterCancel = false;
    script.boxAnswers = {wxID_CANCEL};
    Run([&](CConversionDlg& dialog) {
        note = Note(dialog);
        Click(dialog, CConversionDlg::kAcceptAllId);
        openAfterCancel = IsOpen(dialog);
    });
    EXPECT_EQ(note, "wird ersetzt");
    EXPECT_TRUE(openAfterCancel);
    EXPECT_EQ(script.Messages(), std::vector<std::string>{"Die Schrittkettengruppen GS01, GS02 existieren bereits und werden ersetzt."});
    EXPECT_EQ(script.boxes.front().style & (wxOK | wxCANCEL), wxOK | wxCANCEL);
    EXPECT_EQ(Files(), before);

    script.boxes.clear();
    script.boxAnswers = {wxID_OK, wxID_OK};
    EXPECT_EQ(Run([](CConversionDlg& dialog) { Click(dialog, CConversionDlg::kAcceptAllId); }), wxID_OK);
    EXPECT_EQ(script.Messages(), (std::vector<std::string>{"Die Schrittkettengruppen GS01, GS02 existieren bereits und werden ersetzt.",
                                                    "Alle Operanden wurden erfolgreich konvertiert."}));
    EXPECT_NE(ReadBytes(dir / "GS01.731"), before.at("GS01.731"));
    EXPECT_NE(ReadBytes(dir / "GS02.731"), before.at("GS02.731"));
}

TEST_F(ReplacedGroupsDialogTest, AFailedWriteSaysHowManyOperandsWereNotConverted)
{
    // The two new groups' first files are written; the final saves fail.
    int writes = 0;
    CAtomicFile::SetFaultHook([&](CAtomicFile::Step step) {
        return step == CAtomicFile::Step::write && ++writes > 2 ? EIO : 0;
    });
    Run([](CConversionDlg& dialog) { Click(dialog, CConversionDlg::kAcceptAllId); });
    EXPECT_EQ(script.Messages(), (std::vector<std::string>{
                              "Fehler beim Schreiben der Datei \"GS01.731\".\n2 Operand(en) wurden nicht konvertiert.",
                              "Fehler beim Schreiben der Datei \"GS02.731\".\n2 Operand(en) wurden nicht konvertiert."}));
}

} // namespace
