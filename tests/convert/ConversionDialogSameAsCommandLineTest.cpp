// The conversion dialog writes the same bytes as morawin-cli convert, step
// by step and with "Alle übernehmen".
#include "convert/dialogs/YesNoAllDlg.h"
#include "tests/convert/ConversionDialogFixture.h"
#include "tests/cli/CliRunner.h"

#include <fstream>

namespace {

class SameAsCommandLineTest : public ConversionDialogTest {
protected:
    void SetUp() override
    {
        for (const auto* copy : {"gui", "cli"}) {
            std::filesystem::create_directories(dir / copy);
            for (const auto& file : std::filesystem::directory_iterator(ExamplePath("mischanlage-projekt")))
                std::filesystem::copy_file(file.path(), dir / copy / file.path().filename());
        }
        settings.Load(dir / "morawin.ini");
    }

    std::vector<CSequenceEntry*> ExampleOperands()
    {
        sequence = std::make_unique<CSequenceFile>(ExamplePath("mischanlage.seq"));
        std::ifstream in(ExamplePath("mischanlage.seq"), std::ios::binary);
        EXPECT_TRUE(sequence->ReadArchive(in));
        std::vector<CSequenceEntry*> entries;
        for (int i = 0; i < sequence->GetCount(); ++i)
            entries.push_back(sequence->GetEntry(i));
        return entries;
    }

    // Runs the dialog on the "gui" copy until it closes.
    void ConvertInDialog(ConversionMode mode, int button)
    {
        CPanelProject project((dir / "gui").string(), "");
        ASSERT_TRUE(project.IsValid());
        CConversionDlg dialog(nullptr, mode, project, ExampleOperands(), settings);
        script.Allow(&dialog);
        wxTheApp->CallAfter([&] {
            for (int clicks = 0; clicks < 100 && IsOpen(dialog) && dialog.FindWindow(button)->IsEnabled(); ++clicks)
                Click(dialog, button);
            if (IsOpen(dialog))
                Click(dialog, CConversionDlg::kCancelId);
        });
        dialog.ShowModal();
    }

    void ExpectSameFiles()
    {
        const auto gui = ListFolder(dir / "gui");
        EXPECT_EQ(gui, ListFolder(dir / "cli"));
        int written = 0;
        for (const auto& name : gui) {
            EXPECT_EQ(ReadBytes(dir / "gui" / name), ReadBytes(dir / "cli" / name)) << name;
            const auto original = std::filesystem::path(ExamplePath("mischanlage-projekt")) / name;
            written += !std::filesystem::exists(original) || ReadBytes(original) != ReadBytes(dir / "gui" / name);
        }
        EXPECT_GT(written, 0); // the conversion did write
    }
};

TEST_F(SameAsCommandLineTest, StepByStep)
{
    script.defaultAction = [](wxDialog& question) { Click(question, CYesNoAllDlg::kYesForAllId); };
    ConvertInDialog(ConversionMode::selected, wxID_OK);
    const auto cli = RunCli({"convert", ExamplePath("mischanlage.seq"), (dir / "cli").string(), "--settings",
                             (dir / "morawin.ini").string(), "--answer", "yes-all"});
    EXPECT_EQ(cli.exitCode, 0) << cli.err;
    ExpectSameFiles();
}

TEST_F(SameAsCommandLineTest, AcceptAll)
{
    ConvertInDialog(ConversionMode::all, CConversionDlg::kAcceptAllId);
    const auto cli = RunCli({"convert", ExamplePath("mischanlage.seq"), (dir / "cli").string(), "--settings",
                             (dir / "morawin.ini").string(), "--all"});
    EXPECT_EQ(cli.exitCode, 0) << cli.err;
    ExpectSameFiles();
}

} // namespace
