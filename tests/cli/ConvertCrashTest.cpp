// Kills a large conversion at random moments: afterwards every group file
// of the project holds its old bytes or exactly the bytes an uninterrupted
// run writes. Step by step (without --all) each step is saved, so one group
// may be between the two, holding each of its lists as old or as new.
#include "panel/GroupFolder.h"
#include "panel/PanelProject.h"
#include "panel/StepChainGroup.h"
#include "panel/StepChainList.h"
#include "panel/StepChainText.h"
#include "tests/cli/KillSupport.h"
#include "tests/support/PanelFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <map>
#include <optional>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

int RunCli(const std::vector<std::string>& args)
{
    return RunCliToEnd(args);
}

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void CopyGroupFiles(const std::filesystem::path& from, const std::filesystem::path& to)
{
    std::filesystem::create_directories(to);
    std::filesystem::copy_file(from / "SDAT.731", to / "SDAT.731", std::filesystem::copy_options::overwrite_existing);
    Restore(to, GroupFiles(from));
}

// The lists of a group file as text, by identifier (kind, designation and
// texts); nullopt when the file does not load.
using Lists = std::map<std::string, std::string>;
std::optional<Lists> ListsOf(const std::filesystem::path& folder, const std::string& fileName)
{
    CPanelProject project(folder, "");
    project.Load();
    auto* group = static_cast<CStepChainGroup*>(
        project.GetGroupFolder()->FindEntry(fileName.substr(0, fileName.find('.'))));
    if (!group || !group->Load())
        return std::nullopt;
    Lists lists;
    for (int i = 0; i < group->GetCount(); ++i) {
        const CStepChainList* list = group->GetList(i);
        std::string text = std::to_string(list->GetKind()) + "|" + list->GetName();
        for (int t = 0; t < list->GetCount(); ++t) {
            const auto* entry = static_cast<const CStepChainText*>(list->GetAt(t));
            text += "|" + entry->GetOperandName() + "=" + entry->GetText();
        }
        lists[list->GetListId()] = text;
    }
    return lists;
}

struct Reference {
    std::filesystem::path oldFolder;
    std::filesystem::path fullFolder; // what an uninterrupted run leaves
    Files old;
    Files full;
};

// After a kill: every group file holds its old bytes or those of the full
// run; with `stepwise`, one group may hold a mix of old and new lists.
void ExpectOldOrFullRun(const std::filesystem::path& folder, const Reference& ref, bool stepwise)
{
    const Files now = GroupFiles(folder);
    for (const auto& [name, bytes] : ref.old)
        EXPECT_TRUE(now.count(name)) << name << " vanished";
    int between = 0;
    for (const auto& [name, bytes] : now) {
        const auto old = ref.old.find(name);
        const auto full = ref.full.find(name);
        if ((old != ref.old.end() && old->second == bytes) || (full != ref.full.end() && full->second == bytes))
            continue;
        ASSERT_TRUE(stepwise) << name << " is neither old nor what the run writes";
        ++between;
        const auto lists = ListsOf(folder, name);
        ASSERT_TRUE(lists) << name << " does not load";
        const auto oldLists = old != ref.old.end() ? ListsOf(ref.oldFolder, name) : Lists{};
        const auto fullLists = ListsOf(ref.fullFolder, name);
        ASSERT_TRUE(oldLists && fullLists) << name;
        for (const auto& [id, text] : *oldLists)
            EXPECT_TRUE(lists->count(id)) << name << " lost list " << id;
        for (const auto& [id, text] : *lists) {
            const bool asOld = oldLists->count(id) && oldLists->at(id) == text;
            const bool asNew = fullLists->count(id) && fullLists->at(id) == text;
            EXPECT_TRUE(asOld || asNew) << name << " list " << id;
        }
    }
    EXPECT_LE(between, 1) << "only the group of the step that was cut short";
}

class ConvertCrash : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(project);
        WriteDataFile(project, "Kranbahn");
        WriteText(dir / "morawin.ini", "[Configuration]\r\n");
        WriteText(dir / "alt.seq", CrashOperands(20000, "ALT_"));
        WriteText(dir / "neu.seq", CrashOperands(20000, "NEU_"));
        ASSERT_EQ(RunCli({"convert", (dir / "alt.seq").string(), project.string(), "--all", "--settings", settings}),
                  0);
        old = GroupFiles(project);
        ASSERT_GT(old.size(), 5u);
        CopyGroupFiles(project, dir / "alt");
    }

    std::vector<std::string> Args(const std::vector<std::string>& mode) const
    {
        auto args = std::vector<std::string>{"convert", (dir / "neu.seq").string(), project.string(), "--settings",
                                             settings};
        args.insert(args.end(), mode.begin(), mode.end());
        return args;
    }

    TempDir dir;
    std::filesystem::path project = dir / "projekt";
    std::string settings = (dir / "morawin.ini").string();
    Files old;
};

TEST_F(ConvertCrash, KilledConversionLeavesOldOrFullRunBytes)
{
    struct Mode {
        std::vector<std::string> args;
        bool stepwise;
        Reference ref;
        std::chrono::microseconds runtime{};
    };
    std::vector<Mode> modes = {{{"--all"}, false, {}}, {{"--answer", "yes-all"}, true, {}}};
    for (std::size_t m = 0; m < modes.size(); ++m) {
        // An uninterrupted run on the old project gives the expected bytes,
        // and how long a run takes, to spread the kills over it.
        Mode& mode = modes[m];
        Restore(project, old);
        const auto start = std::chrono::steady_clock::now();
        // Step by step, a run may stop at lists that other operands fill (5).
        const int code = RunCli(Args(mode.args));
        ASSERT_TRUE(code == 0 || (mode.stepwise && code == 5)) << code;
        mode.runtime =
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
        mode.ref = {dir / "alt", dir / ("voll" + std::to_string(m)), old, GroupFiles(project)};
        CopyGroupFiles(project, mode.ref.fullFolder);
        ASSERT_NE(mode.ref.full, old);
    }

    // Kills at random moments until enough of them landed in the middle of
    // a run (under a sanitizer or a loaded machine the start of a process
    // takes a larger share of a run, and more kills land before any write).
    std::mt19937 random(20261208);
    int interrupted = 0;
    constexpr int kWanted = 6;
    for (int round = 0; round < 120 && (round < 24 || interrupted < kWanted); ++round) {
        const Mode& mode = modes[static_cast<std::size_t>(round) % modes.size()];
        Restore(project, old);
        const pid_t pid = StartCli(Args(mode.args));
        std::this_thread::sleep_for(std::chrono::microseconds(random() % (mode.runtime.count() + 1)));
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        ExpectOldOrFullRun(project, mode.ref, mode.stepwise);
        std::size_t changed = 0;
        const Files now = GroupFiles(project);
        for (const auto& [name, bytes] : now)
            changed += !old.count(name) || old.at(name) != bytes;
        interrupted += changed > 0 && changed < now.size();
    }
    // The kills did land in the middle of runs, not only before or after.
    EXPECT_GE(interrupted, kWanted);
}

TEST_F(ConvertCrash, AFullDiskLeavesEveryOldGroupFileAndSaysSo)
{
    // The history is the first to fill the disk: nothing of the project
    // is touched then.
    Restore(project, old);
    const auto historyErr = dir / "verlauf.txt";
    int status = 0;
    ::waitpid(StartCli(Args({"--all"}), 1000, historyErr.string()), &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 5);
    EXPECT_TRUE(GroupFiles(project) == old) << "a group file changed";
    EXPECT_NE(ReadText(historyErr).find("Der Verlauf kann nicht geschrieben werden; die Datei \"GS01.731\""),
              std::string::npos)
        << ReadText(historyErr);

    // Without the history, the group files' own writes fail.
    WriteText(dir / "morawin.ini", "[Configuration]\r\n[History]\r\nKeep=0\r\n");
    for (const auto& mode : {std::vector<std::string>{"--all"}, std::vector<std::string>{"--answer", "yes-all"}}) {
        Restore(project, old);
        const auto errFile = dir / "fehler.txt";
        int status = 0;
        // No file may grow beyond 1000 bytes: every group save fails.
        ::waitpid(StartCli(Args(mode), 1000, errFile.string()), &status, 0);
        ASSERT_TRUE(WIFEXITED(status)) << "the run was not ended by a signal";
        EXPECT_EQ(WEXITSTATUS(status), 5) << mode[0];
        EXPECT_TRUE(GroupFiles(project) == old) << mode[0] << ": a group file changed";
        EXPECT_NE(ReadText(errFile).find("Fehler beim Schreiben der Datei \"GS01.731\"."), std::string::npos)
            << ReadText(errFile);
    }
}

} // namespace
