// Kills an undo of a large conversion at random moments: afterwards every
// group file holds what it held before the conversion or after it, and the
// next undo finishes the take-back (the next redo turns it back), so that
// every file ends as the command asked.
#include "tests/cli/KillSupport.h"
#include "tests/support/PanelFiles.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSystem.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <random>
#include <sys/wait.h>
#include <thread>

namespace {

class TakeBackCrash : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(project);
        WriteDataFile(project, "Kranbahn");
        WriteText(dir / "morawin.ini", "[Configuration]\r\n");
        WriteText(dir / "alt.seq", CrashOperands(20000, "ALT_"));
        WriteText(dir / "neu.seq", CrashOperands(20000, "NEU_"));
        ASSERT_EQ(RunCliToEnd(Args({"convert", (dir / "alt.seq").string(), project.string(), "--all"})), 0);
        before = GroupFiles(project);
        ASSERT_EQ(RunCliToEnd(Args({"convert", (dir / "neu.seq").string(), project.string(), "--all"})), 0);
        after = GroupFiles(project);
        ASSERT_GT(after.size(), 5u);
        std::filesystem::copy(state, saved, std::filesystem::copy_options::recursive);
    }

    std::vector<std::string> Args(std::vector<std::string> args) const
    {
        args.insert(args.end(), {"--settings", (dir / "morawin.ini").string()});
        return args;
    }

    // The project and its history as right after the second conversion.
    void Reset()
    {
        Restore(project, after);
        std::filesystem::remove_all(state);
        std::filesystem::copy(saved, state, std::filesystem::copy_options::recursive);
    }

    // Whether the history says a take-back is running.
    bool Running() const
    {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(state))
            if (entry.path().filename() == "index")
                return ReadText(entry.path()).find(" open ") != std::string::npos;
        return false;
    }

    TempDir dir;
    std::filesystem::path project = dir / "projekt";
    std::filesystem::path state = dir / "state";
    std::filesystem::path saved = dir / "saved";
    ScopedEnvironment stateHome{test_system::StateBaseVariable(), state.string()};
    Files before;
    Files after;
};

TEST_F(TakeBackCrash, KilledUndoLeavesEachFileBeforeOrAfterAndTheNextCommandCompletesIt)
{
    Reset();
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(RunCliToEnd(Args({"undo", project.string()})), 0);
    const auto runtime = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    ASSERT_EQ(GroupFiles(project), before);

    std::mt19937 random(20261209);
    int interrupted = 0;
    constexpr int kWanted = 4;
    for (int round = 0; round < 100 && (round < 16 || interrupted < kWanted); ++round) {
        Reset();
        const pid_t pid = StartCli(Args({"undo", project.string()}));
        std::this_thread::sleep_for(std::chrono::microseconds(random() % (runtime.count() + 1)));
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        const Files now = GroupFiles(project);
        int changed = 0;
        for (const auto& [name, bytes] : after) {
            const bool asBefore = before.count(name) ? now.count(name) && now.at(name) == before.at(name)
                                                     : !now.count(name);
            const bool asAfter = now.count(name) && now.at(name) == bytes;
            ASSERT_TRUE(asBefore || asAfter) << name << " is neither before nor after, round " << round;
            changed += asBefore && !asAfter;
        }
        interrupted += changed > 0 && changed < static_cast<int>(after.size());
        if (!Running()) {
            // Killed before the take-back began, or after it ended.
            EXPECT_TRUE(changed == 0 || changed == static_cast<int>(after.size())) << "round " << round;
            continue;
        }
        // Finished by the next undo, turned back by the next redo.
        const bool finish = round % 2 == 0;
        const int code = RunCliToEnd(Args({finish ? "undo" : "redo", project.string()}));
        EXPECT_EQ(code, 0) << "round " << round;
        EXPECT_TRUE(GroupFiles(project) == (finish ? before : after)) << "round " << round;
    }
    EXPECT_GE(interrupted, kWanted) << "the kills did not land in the middle of a take-back";
}

} // namespace
