// Malformed UTF-8 in the JSON writer: replaced exactly as the JSON library
// replaces it when it dumps with error_handler_t::replace, the form all
// JSON of morawin-cli had before it wrote its JSON itself.
#include "cli/JsonWriter.h"
#include "cli/OutputBuffer.h"
#include "tests/cli/CliRunner.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>
#include <vector>

namespace {

std::string Written(const std::string& utf8, std::size_t capacity)
{
    std::string written;
    COutputBuffer out(written, capacity);
    CJsonWriter(out).String(utf8);
    out.Flush();
    return written;
}

std::string ByLibrary(const std::string& utf8)
{
    return nlohmann::json(utf8).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

} // namespace

TEST(JsonWriterUtf8, MalformedSequencesAreReplacedAsByTheLibrary)
{
    const struct {
        const char* name;
        std::string bytes;
    } kCases[] = {
        {"well-formed, 2 to 4 bytes", "a\xC3\xA4z \xE2\x82\xAC \xF0\x9F\x98\x80 \xEF\xBF\xBF \xF4\x8F\xBF\xBF"},
        {"escapes around non-ASCII", std::string("\"\\\x01\x1F\x7F\t\xC3\xA4\n\0", 10)},
        {"overlong 2 bytes", "<\xC0\x80 \xC1\xBF>"},
        {"overlong 3 bytes", "<\xE0\x80\x80 \xE0\x9F\xBF>"},
        {"overlong 4 bytes", "<\xF0\x80\x80\x80 \xF0\x8F\xBF\xBF>"},
        {"surrogates", "<\xED\xA0\x80 \xED\xBF\xBF \xED\x9F\xBF>"},
        {"above U+10FFFF", "<\xF4\x90\x80\x80 \xF5\x80\x80\x80>"},
        {"truncated, then more text", "<\xC3 \xE2\x82 \xF0\x9F\x98 \xE2\x82\xC3\xA4>"},
        {"truncated at the end 1", "x\xC3"},
        {"truncated at the end 2", "x\xE2\x82"},
        {"truncated at the end 3", "x\xF0\x9F\x98"},
        {"lone continuation bytes", "<\x80 \xBF\xBF \xC3\xA4\x80>"},
        {"F5..FF", "<\xF5 \xF8\x88\x80\x80\x80 \xFC \xFE\xFF>"},
        {"a lead byte ends a sequence", "<\xE2\xF0\x9F\x98\x80\xC3>"},
        {"only malformed", "\xFF"},
    };
    for (const auto& c : kCases) {
        // 64 is the smallest buffer: texts longer than it are written through.
        for (const std::size_t capacity : {64u, 4096u})
            EXPECT_EQ(Written(c.bytes, capacity), ByLibrary(c.bytes)) << c.name << ", buffer " << capacity;
    }
    EXPECT_EQ(Written(std::string(100, '\xE0') + "\xA0\x80", 64), ByLibrary(std::string(100, '\xE0') + "\xA0\x80"));
}

// Every string of up to four bytes from the values where the rules of
// UTF-8 change, so that no combination of lead, continuation and ending
// escapes the table above.
TEST(JsonWriterUtf8, AllShortCombinationsOfBoundaryBytesMatchTheLibrary)
{
    const std::string kBytes = "A\"\x7F\x80\x8F\x90\x9F\xA0\xBF\xC0\xC1\xC2\xDF\xE0\xE1\xEC\xED\xEE\xEF\xF0\xF1\xF3\xF4\xF5\xFF";
    std::vector<std::string> strings = {""};
    int mismatches = 0;
    for (int length = 1; length <= 4; ++length) {
        std::vector<std::string> longer;
        for (const std::string& start : strings)
            for (const char byte : kBytes)
                longer.push_back(start + byte);
        for (const std::string& text : longer)
            if (Written(text, 64) != ByLibrary(text) && ++mismatches <= 5)
                ADD_FAILURE() << "differs for " << testing::PrintToString(text);
        strings = std::move(longer);
    }
    EXPECT_EQ(mismatches, 0);
}

// A dry run converting into a group whose identifier is not ASCII names a
// file that is not UTF-8 on POSIX: the summary still is JSON.
TEST(DryRunJson, ASummaryNamingAFileThatIsNotUtf8IsStillJson)
{
    TempDir dir;
    const std::filesystem::path project = dir.Path() / "P";
    std::filesystem::copy(ExamplePath("mischanlage-projekt"), project);
    const auto result = RunCli({"convert", ExamplePath("mischanlage.seq"), project.string(), "--kinds", "E",
                                "--group", "\xC3\x84" "12", "--dry-run", "--json", "--answer", "yes-all"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::string last = result.out.substr(result.out.rfind('\n', result.out.size() - 2) + 1);
    const auto summary = nlohmann::json::parse(last)["summary"];
    ASSERT_EQ(summary["wouldWrite"].size(), 1u) << last;
    EXPECT_NE(summary["wouldWrite"][0].get<std::string>().find("12.731 (new, "), std::string::npos) << last;
    EXPECT_EQ(summary["converted"], 24);
}
