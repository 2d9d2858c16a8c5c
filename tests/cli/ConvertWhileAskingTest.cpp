// morawin-cli convert waiting for an answer while another program changes
// the group file: the change survives, the step is refused on stderr and
// tried once more on what the file holds.
#include "tests/cli/CliRunner.h"
#include "tests/support/PanelFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// morawin-cli with its standard streams in the test's hands: it can wait
// for a prompt and answer it.
class InteractiveCli {
public:
    explicit InteractiveCli(const std::vector<std::string>& args)
    {
        int in[2], out[2], err[2];
        if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::dup2(in[0], 0);
            ::dup2(out[1], 1);
            ::dup2(err[1], 2);
            std::vector<char*> argv{const_cast<char*>(MORAWIN_CLI)};
            for (const std::string& arg : args)
                argv.push_back(const_cast<char*>(arg.c_str()));
            argv.push_back(nullptr);
            ::execv(MORAWIN_CLI, argv.data());
            ::_exit(127);
        }
        ::close(in[0]);
        ::close(out[1]);
        ::close(err[1]);
        m_in = in[1];
        m_out = out[0];
        m_err = err[0];
    }
    ~InteractiveCli()
    {
        for (int fd : {m_in, m_out, m_err})
            if (fd >= 0)
                ::close(fd);
        if (m_pid > 0 && !m_reaped) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
    }

    // Reads the error stream until `text` has appeared `count` times.
    bool WaitFor(const std::string& text, int count)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (Count(text) < count) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            if (left.count() <= 0 || !ReadSome(m_err, m_errText, static_cast<int>(left.count())))
                return false;
        }
        return true;
    }

    void Answer(const std::string& line)
    {
        const std::string text = line + "\n";
        ASSERT_EQ(::write(m_in, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    }

    CliResult Finish()
    {
        ::close(m_in);
        m_in = -1;
        CliResult result;
        while (ReadSome(m_out, result.out, 30000)) {
        }
        while (ReadSome(m_err, m_errText, 30000)) {
        }
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_reaped = true;
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.err = m_errText;
        return result;
    }

private:
    int Count(const std::string& text) const
    {
        int n = 0;
        for (auto at = m_errText.find(text); at != std::string::npos; at = m_errText.find(text, at + 1))
            ++n;
        return n;
    }

    // False at the end of the stream or when nothing came in time.
    static bool ReadSome(int fd, std::string& into, int milliseconds)
    {
        pollfd ready{fd, POLLIN, 0};
        if (::poll(&ready, 1, milliseconds) <= 0)
            return false;
        char buffer[4096];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0)
            return false;
        into.append(buffer, static_cast<std::size_t>(n));
        return true;
    }

    pid_t m_pid = -1;
    bool m_reaped = false;
    int m_in = -1, m_out = -1, m_err = -1;
    std::string m_errText;
};

const std::string kPrompt = "[j] Ja";
const std::string kRefused = "morawin-cli: Die Datei \"GS01.731\" wurde inzwischen von einem anderen Programm "
                             "geändert. Sie wurde neu eingelesen; bitte den Schritt wiederholen.\n";

// Group S01 with list 001: E012.01 with `text`, and, from another program,
// a list `extra` of outputs.
std::vector<std::uint8_t> Group(const std::string& text, const std::string& extra = {})
{
    GroupBytes group("P1", "S01", "alt", extra.empty() ? 1 : 2);
    group.List("001", "Liste", 1, 1).BitBlock(12, 1).Text(1, 0, text).EndList();
    if (!extra.empty())
        group.List(extra, "Fremd", 2, 1).BitBlock(4, 1).Text(0, 0, "Ventil").EndList();
    return group.Bytes();
}

class ConvertWhileAskingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(project);
        WriteDataFile(project, "P1");
        WriteText(ini, "[Configuration]\r\nCommentToText=0\r\n");
        WriteText(dir / "anlage.seq", "\tE 12.1\tneu\tx\n\tE 12.3\tdazu\tx\n");
        WriteBytes(project / "GS01.731", Group("alt"));
    }

    // Runs the conversion and answers "Ja" to each question; before it
    // answers question i, another program writes writes[i] over GS01.731
    // (nothing if empty).
    CliResult ConvertWhileWriting(const std::vector<std::vector<std::uint8_t>>& writes)
    {
        InteractiveCli cli({"convert", (dir / "anlage.seq").string(), project.string(), "--settings", ini.string(),
                            "--answer", "ask"});
        for (std::size_t i = 0; i < writes.size(); ++i) {
            if (!cli.WaitFor(kPrompt, static_cast<int>(i + 1))) {
                ADD_FAILURE() << "no question " << i + 1;
                break;
            }
            if (!writes[i].empty())
                WriteBytes(project / "GS01.731", writes[i]);
            cli.Answer("j");
        }
        return cli.Finish();
    }

    // Lists of group S01 as "001: E012.01 neu, ..." through morawin-cli show.
    std::vector<std::string> Lists()
    {
        const CliResult shown = RunCli({"show", project.string(), "--json"});
        EXPECT_EQ(shown.exitCode, 0) << shown.err;
        std::vector<std::string> lists;
        const nlohmann::json json = nlohmann::json::parse(shown.out);
        for (const auto& list : json["groups"][0]["lists"]) {
            std::string line = list["id"].get<std::string>() + ":";
            for (const auto& text : list["texts"])
                line += " " + std::to_string(text["byte"].get<int>()) + "." + std::to_string(text["bit"].get<int>())
                    + " " + text["text"].get<std::string>();
            lists.push_back(line);
        }
        return lists;
    }

    TempDir dir;
    std::filesystem::path project = dir / "projekt";
    std::filesystem::path ini = dir / "morawin.ini";
};

TEST_F(ConvertWhileAskingTest, RefusedStepIsRepeatedOnceOnWhatTheFileHoldsNow)
{
    // Asked again about the same operand, now against the file's text.
    const CliResult result = ConvertWhileWriting({Group("fremd", "009"), {}});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find(kRefused), std::string::npos) << result.err;
    EXPECT_EQ(Lists(), (std::vector<std::string>{"001: 12.1 neu 12.3 dazu", "009: 4.0 Ventil"}));
}

TEST_F(ConvertWhileAskingTest, StepRefusedTwiceEndsWithExitFiveAndTheOtherChangeIntact)
{
    const auto last = Group("wieder fremd", "00A");
    const CliResult result = ConvertWhileWriting({Group("fremd", "009"), last});
    EXPECT_EQ(result.exitCode, 5) << result.err;
    const auto first = result.err.find(kRefused);
    ASSERT_NE(first, std::string::npos) << result.err;
    EXPECT_NE(result.err.find(kRefused, first + 1), std::string::npos) << result.err;
    EXPECT_EQ(ReadBytes(project / "GS01.731"), last);
    EXPECT_EQ(ListFolder(project), (std::vector<std::string>{"GS01.731", "SDAT.731"}));
}

TEST_F(ConvertWhileAskingTest, UnchangedFileIsWrittenAfterTheAnswer)
{
    const CliResult result = ConvertWhileWriting({std::vector<std::uint8_t>()});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err.find("inzwischen"), std::string::npos);
    EXPECT_EQ(Lists(), std::vector<std::string>{"001: 12.1 neu 12.3 dazu"});
}

} // namespace
