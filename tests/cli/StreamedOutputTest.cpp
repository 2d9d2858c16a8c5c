// The streamed output of operands and show against what the tree-based
// writer of the JSON library produces for the same files, on generated files
// holding every byte value, and what happens when the output fails.
#include "cli/JsonWriter.h"
#include "cli/OutputBuffer.h"
#include "data/text/Charset.h"
#include "data/sequence/SequenceEntry.h"
#include "data/sequence/SequenceFile.h"
#include "panel/GroupFolder.h"
#include "panel/PanelProject.h"
#include "panel/StepChainGroup.h"
#include "panel/StepChainList.h"
#include "panel/StepChainText.h"
#include "tests/cli/CliRunner.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSystem.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <clocale>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

namespace {

using charset::Cp1252ToUtf8;
using nlohmann::ordered_json;

// Every byte but the line ends, somewhere in a symbol or comment.
std::string RandomText(std::mt19937& random, std::size_t maxLength, bool withTabs)
{
    std::string text(random() % (maxLength + 1), ' ');
    for (char& c : text) {
        do
            c = static_cast<char>(random() % 256);
        while (c == '\n' || c == '\r' || (!withTabs && c == '\t') || c == 0);
    }
    return text;
}

std::string GeneratedSequence(unsigned seed, int lines)
{
    std::mt19937 random(seed);
    static const char kLetters[] = "EIAOFMTCZ";
    std::string file;
    for (int i = 0; i < lines; ++i) {
        const char letter = kLetters[random() % 9];
        file += '\t';
        file += letter;
        file += ' ' + std::to_string(random() % 300);
        if (letter != 'T' && letter != 'C' && letter != 'Z')
            file += '.' + std::to_string(random() % 12);
        file += '\t' + RandomText(random, 20, false);
        if (random() % 4 != 0)
            file += '\t' + RandomText(random, 40, true);
        file += random() % 2 ? "\r\n" : "\n";
        if (random() % 10 == 0)
            file += RandomText(random, 30, true) + "\n";
    }
    return file;
}

std::unique_ptr<CSequenceFile> ReadReference(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    auto file = std::make_unique<CSequenceFile>(path);
    EXPECT_TRUE(file->ReadArchive(in));
    return file;
}

// What operands --json printed before it was streamed.
std::string OperandsJsonByTree(const CSequenceFile& file)
{
    std::ostringstream out;
    out << '[';
    const char* separator = "\n";
    for (int i = 0; i < file.GetCount(); ++i) {
        const CSequenceEntry* entry = file.GetEntry(i);
        const ordered_json element = {
            {"kind", Cp1252ToUtf8(KindLetter(entry->GetKind()))},
            {"byte", entry->GetByte()},
            {"bit", entry->GetBit()},
            {"operand", Cp1252ToUtf8(entry->GetOperandText())},
            {"symbol", Cp1252ToUtf8(entry->GetSymbol())},
            {"comment", Cp1252ToUtf8(entry->GetComment())},
        };
        out << separator << element.dump();
        separator = ",\n";
    }
    out << (file.GetCount() == 0 ? "]\n" : "\n]\n");
    return out.str();
}

std::string OperandsTextByStream(const CSequenceFile& file)
{
    std::ostringstream out;
    for (int i = 0; i < file.GetCount(); ++i) {
        const CSequenceEntry* entry = file.GetEntry(i);
        out << Cp1252ToUtf8(entry->GetOperandText()) << '\t' << Cp1252ToUtf8(entry->GetSymbol()) << '\t'
            << Cp1252ToUtf8(entry->GetComment()) << '\n';
    }
    return out.str();
}

TEST(StreamedOutput, OperandsMatchTheTreeBuiltOutputOnGeneratedFiles)
{
    TempDir dir;
    for (const unsigned seed : {1u, 2u, 3u}) {
        const auto path = dir / ("gen" + std::to_string(seed) + ".seq");
        WriteText(path, GeneratedSequence(seed, 3000));
        const auto reference = ReadReference(path);
        ASSERT_GT(reference->GetCount(), 2000);

        const auto json = RunCli({"operands", path.string(), "--json"});
        ASSERT_EQ(json.exitCode, 0) << json.err;
        EXPECT_EQ(json.out, OperandsJsonByTree(*reference)) << "seed " << seed;
        const auto text = RunCli({"operands", path.string()});
        ASSERT_EQ(text.exitCode, 0) << text.err;
        EXPECT_EQ(text.out, OperandsTextByStream(*reference)) << "seed " << seed;
    }
}

// A project whose groups hold texts and designations made of every byte
// value a group file can hold.
void WriteGeneratedProject(const std::filesystem::path& folder, unsigned seed)
{
    std::ofstream(folder / "SDAT.731", std::ios::binary) << std::string("\x01\0\0\x06Pr\xF6j\x80", 9);
    CPanelProject project(folder, "");
    project.Load();
    std::mt19937 random(seed);
    for (int g = 0; g < 4; ++g) {
        auto group = std::make_unique<CStepChainGroup>(project.GetGroupFolder());
        group->Rename("GS0" + std::to_string(g), RandomText(random, 32, true));
        for (int l = 0; l < 3; ++l) {
            const int kind = 1 + static_cast<int>(random() % 5);
            auto* list = group->AddNew(std::make_unique<CStepChainList>(group.get()));
            list->SetProperties("00" + std::to_string(l), kind, RandomText(random, 32, true));
            for (int t = 0; t < 40; ++t) {
                const bool bits = IsBitKind(kind);
                list->AddNew(std::make_unique<CStepChainText>(
                    list, static_cast<std::uint8_t>(bits ? t / 8 : t), static_cast<std::uint8_t>(bits ? t % 8 : 0),
                    static_cast<std::uint8_t>(random() % 32), static_cast<std::uint8_t>(random() % 8),
                    RandomText(random, 40, true)));
            }
            list->OnEntryChanged(nullptr);
        }
        ASSERT_TRUE(group->Save());
        project.GetGroupFolder()->AddNew(std::move(group));
    }
    // One group that cannot be read: listed with its error.
    std::ofstream(folder / "GS09.731", std::ios::binary) << std::string("\x0C\x40\x00\x06Pr\xF6j\x80S09\x01\x03", 14);
}

// What show --json printed before it was streamed.
std::string ShowJsonByTree(const std::filesystem::path& folder)
{
    CPanelProject project(folder, "");
    project.Load();
    ordered_json groups = ordered_json::array();
    CGroupFolder* groupFolder = project.GetGroupFolder();
    for (int g = 0; g < groupFolder->GetCount(); ++g) {
        CStepChainGroup& group = *groupFolder->GetGroup(g);
        ordered_json json = {{"id", Cp1252ToUtf8(group.GetGroupId())},
                             {"file", Cp1252ToUtf8(group.GetFileName())},
                             {"name", Cp1252ToUtf8(group.GetName())}};
        if (!group.Load()) {
            json["error"] = "the file ends inside a record";
        } else {
            ordered_json lists = ordered_json::array();
            for (int l = 0; l < group.GetCount(); ++l) {
                const CStepChainList& list = *group.GetList(l);
                ordered_json texts = ordered_json::array();
                for (int t = 0; t < list.GetCount(); ++t) {
                    const CStepChainText& text = *list.GetText(t);
                    texts.push_back({{"byte", text.GetOperand()},
                                     {"bit", text.GetBit()},
                                     {"attr", {text.GetAttribute1(), text.GetAttribute2()}},
                                     {"text", Cp1252ToUtf8(text.GetText())}});
                }
                lists.push_back({{"id", Cp1252ToUtf8(list.GetListId())},
                                 {"kind", list.GetKindLetter()},
                                 {"name", Cp1252ToUtf8(list.GetName())},
                                 {"texts", std::move(texts)}});
            }
            json["lists"] = std::move(lists);
        }
        groups.push_back(std::move(json));
    }
    const ordered_json json = {
        {"project",
         {{"name", Cp1252ToUtf8(project.GetName())},
          {"date", project.GetDateText()},
          {"dataFile", project.GetDataFileName()}}},
        {"groups", std::move(groups)},
    };
    return json.dump(-1, ' ', false, ordered_json::error_handler_t::replace) + "\n";
}

TEST(StreamedOutput, ShowMatchesTheTreeBuiltOutputOnGeneratedProjects)
{
    // The program writes dates in the user's locale; so must the reference.
    std::setlocale(LC_TIME, "");
    for (const unsigned seed : {7u, 8u}) {
        TempDir dir;
        WriteGeneratedProject(dir.Path(), seed);
        const auto result = RunCli({"show", dir.Path().string(), "--json"});
        EXPECT_EQ(result.exitCode, 4) << result.err;
        EXPECT_EQ(result.out, ShowJsonByTree(dir.Path())) << "seed " << seed;
        EXPECT_NE(result.out.find("\"error\":"), std::string::npos);
    }
}

TEST(JsonWriter, NestsAndSeparatesAsTheLibraryDoes)
{
    std::string written;
    {
        COutputBuffer out(written, 64);
        CJsonWriter json(out);
        json.BeginObject();
        json.Key("a").BeginArray().EndArray();
        json.Key("b").BeginObject().EndObject();
        json.Key("c").BeginArray().Number(-9223372036854775807LL - 1).Number(0).Number(4294967296LL).Bool(true)
            .Bool(false).Null().BeginArray().BeginObject().Key("x\"y").String("").EndObject().EndArray().EndArray();
        json.Key("d").String("\xC3\xA4 ok \xFF bad");
        json.Key("e").Cp1252String(std::string("\0\x1F\x7F\x80\x81\xFF\"\\/\t", 10));
        json.EndObject();
        EXPECT_TRUE(json.Complete());
        out.Flush();
    }
    const ordered_json expected = {
        {"a", ordered_json::array()},
        {"b", ordered_json::object()},
        {"c", {std::numeric_limits<std::int64_t>::min(), 0, 4294967296LL, true, false, nullptr,
               ordered_json::array({{{"x\"y", ""}}})}},
        {"d", "\xC3\xA4 ok \xFF bad"},
        {"e", Cp1252ToUtf8(std::string("\0\x1F\x7F\x80\x81\xFF\"\\/\t", 10))},
    };
    EXPECT_EQ(written, expected.dump(-1, ' ', false, ordered_json::error_handler_t::replace));
}

TEST(JsonWriter, ElementPerLineLayout)
{
    std::string written;
    COutputBuffer out(written);
    CJsonWriter json(out);
    json.BeginArray(CJsonWriter::Layout::elementPerLine).EndArray();
    json.BeginArray(CJsonWriter::Layout::elementPerLine).Number(1).BeginObject().EndObject().EndArray();
    out.Flush();
    EXPECT_EQ(written, "[][\n1,\n{}\n]");
}

TEST(OutputBuffer, LongTextsAndSmallBuffersConvertAlike)
{
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += static_cast<char>(i % 255 + 1);
    for (const std::size_t capacity : {64u, 100u, 1u << 20}) {
        std::string utf8, json;
        COutputBuffer textOut(utf8, capacity), jsonOut(json, capacity);
        textOut.WriteCp1252(text);
        textOut.WriteCp1252(text.substr(0, 50));
        textOut.Flush();
        CJsonWriter(jsonOut).Cp1252String(text);
        jsonOut.Flush();
        EXPECT_EQ(utf8, Cp1252ToUtf8(text) + Cp1252ToUtf8(text.substr(0, 50))) << capacity;
        EXPECT_EQ(json, ordered_json(Cp1252ToUtf8(text)).dump()) << capacity;
    }
}

// A sequence file large enough that its output fills any pipe.
std::filesystem::path WriteLargeSequence(const TempDir& dir)
{
    const auto path = dir / "gross.seq";
    WriteText(path, GeneratedSequence(5, 20000));
    return path;
}

std::string Shell(const std::string& command, int& status)
{
    std::FILE* pipe = ::popen(("bash -c '" + command + "' 2>&1").c_str(), "r");
    std::string out;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, got);
    status = ::pclose(pipe);
    return out;
}

TEST(OutputFailure, AClosedPipeEndsQuietly)
{
    if (test_system::kWindows)
        GTEST_SKIP() << "Windows has no SIGPIPE and no shell pipe to close here";
    TempDir dir;
    const auto path = WriteLargeSequence(dir);
    for (const char* json : {"", " --json"}) {
        for (const char* signal : {"", "trap \"\" PIPE; "}) {
            // With SIGPIPE ignored the write fails with EPIPE instead.
            int status = 0;
            const std::string out = Shell(std::string(signal) + MORAWIN_CLI + " operands " + path.string() + json
                                              + " 2>" + (dir / "err").string()
                                              + " | head -c 10 >/dev/null; echo ${PIPESTATUS[0]}",
                                          status);
            EXPECT_TRUE(out == "0\n" || out == "141\n") << out << signal << json;
            std::ifstream err(dir / "err");
            EXPECT_EQ(std::string(std::istreambuf_iterator<char>(err), {}), "") << signal << json;
        }
    }
}

TEST(OutputFailure, AFullDiskIsExit2WithAMessage)
{
    if (test_system::kWindows)
        GTEST_SKIP() << "Windows has no /dev/full";
    TempDir dir;
    const auto path = WriteLargeSequence(dir);
    for (const auto& args : std::vector<std::string>{"operands " + path.string(), "operands --json " + path.string(),
                                                     "show " + std::string(MORAWIN_EXAMPLES) + "/mischanlage-projekt"}) {
        int status = 0;
        const std::string out = Shell(std::string(MORAWIN_CLI) + " " + args + " >/dev/full; echo $?", status);
        EXPECT_EQ(out, "morawin-cli: cannot write the output: No space left on device\n2\n") << args;
    }
}

} // namespace
