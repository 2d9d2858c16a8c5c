#include "data/settings/AppPaths.h"
#include "data/settings/AppSettings.h"
#include "data/settings/Language.h"
#include "data/settings/StartUp.h"
#include "data/text/MessageCatalog.h"
#include "data/text/StringTable.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

TEST(Language, ChoicesAndSystemLanguagesResolve)
{
    EXPECT_EQ(language::Resolve("", "en_US.UTF-8"), "de");
    EXPECT_EQ(language::Resolve("fr", "en_US.UTF-8"), "de");
    EXPECT_EQ(language::Resolve("de", "en_US.UTF-8"), "de");
    EXPECT_EQ(language::Resolve("en", "de_DE.UTF-8"), "en");
    EXPECT_EQ(language::Resolve("system", "de_AT.UTF-8"), "de");
    EXPECT_EQ(language::Resolve("system", "de-CH"), "de");
    EXPECT_EQ(language::Resolve("system", "de:en"), "de");
    EXPECT_EQ(language::Resolve("system", "en_GB.UTF-8"), "en");
    EXPECT_EQ(language::Resolve("system", "fr_FR@euro"), "en");
    EXPECT_EQ(language::Resolve("system", "en:de"), "en");
    // A system that names no language keeps the program's own.
    EXPECT_EQ(language::Resolve("system", "C"), "de");
    EXPECT_EQ(language::Resolve("system", "POSIX"), "de");
    EXPECT_EQ(language::Resolve("system", ""), "de");
    EXPECT_FALSE(language::IsChoice("english"));
}

// A catalog of the given pairs in the layout msgfmt writes, in either byte order.
std::string MoBytes(const std::vector<std::pair<std::string, std::string>>& pairs, bool bigEndian = false)
{
    std::string out;
    const auto word = [&](std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            out += static_cast<char>(value >> (bigEndian ? 24 - 8 * i : 8 * i) & 0xff);
    };
    const auto n = static_cast<std::uint32_t>(pairs.size());
    const std::uint32_t sources = 28, translations = sources + 8 * n;
    std::uint32_t text = translations + 8 * n;
    word(0x950412de), word(0), word(n), word(sources), word(translations), word(0), word(0);
    std::string texts;
    for (int side = 0; side < 2; ++side)
        for (const auto& pair : pairs) {
            const std::string& s = side == 0 ? pair.first : pair.second;
            word(static_cast<std::uint32_t>(s.size())), word(text);
            texts += s + '\0';
            text += static_cast<std::uint32_t>(s.size() + 1);
        }
    return out + texts;
}

TEST(MessageCatalog, ReadsEitherByteOrderAndRefusesDamage)
{
    const std::vector<std::pair<std::string, std::string>> pairs = {
        {"", "Content-Type: text/plain; charset=UTF-8\n"}, {"Bereit", "Ready"}, {"Löschen", "Delete"}};
    for (const bool bigEndian : {false, true}) {
        const auto catalog = CMessageCatalog::Parse(MoBytes(pairs, bigEndian));
        ASSERT_TRUE(catalog);
        EXPECT_EQ(catalog->Size(), 2u);
        ASSERT_TRUE(catalog->Find("Löschen"));
        EXPECT_EQ(*catalog->Find("Löschen"), "Delete");
        EXPECT_EQ(catalog->Find("Beenden"), nullptr);
    }
    const std::string good = MoBytes(pairs);
    std::string error;
    EXPECT_FALSE(CMessageCatalog::Parse(good.substr(0, 20), &error));
    EXPECT_EQ(error, "too short for a message catalog");
    EXPECT_FALSE(CMessageCatalog::Parse("#" + good.substr(1), &error));
    EXPECT_EQ(error, "not a message catalog");
    // Cut inside the texts, and a count that runs past the end.
    EXPECT_FALSE(CMessageCatalog::Parse(good.substr(0, good.size() - 3), &error));
    EXPECT_EQ(error, "a damaged message catalog");
    std::string counted = good;
    counted[8] = '\x7f';
    EXPECT_FALSE(CMessageCatalog::Parse(counted, &error));
    EXPECT_EQ(error, "a damaged message catalog");
}

class LanguageInUse : public ::testing::Test {
protected:
    void SetUp() override { m_paths.LocaleFolder = MORAWIN_LOCALE_DIR; }
    void TearDown() override
    {
        start_up::UseLanguage(m_paths, "de");
        CStringTable::ResetToBuiltIn();
    }
    CAppPaths m_paths;
    TempDir m_dir;
};

TEST_F(LanguageInUse, EnglishTranslatesTheStringTableAndTheResourceCatalogStillOverrides)
{
    const std::string german = CStringTable::Get(ids::kReadError);
    {
        std::ofstream(m_dir / "morawin.strings") << "1041=Eigener Text\n";
    }
    ASSERT_TRUE(CStringTable::LoadCatalog(m_dir / "morawin.strings"));

    const auto english = start_up::UseLanguage(m_paths, "en");
    EXPECT_EQ(english.code, "en");
    EXPECT_EQ(english.warning, "");
    EXPECT_EQ(CStringTable::Get(ids::kReadError), "Error reading the file \"%s\".");
    EXPECT_EQ(CStringTable::Get(ids::kWriteError), "Eigener Text");
    // Operand letters are the program's in every language.
    EXPECT_EQ(CStringTable::Get(ids::kKindLetterBase + 1), "E");

    EXPECT_EQ(start_up::UseLanguage(m_paths, "de").code, "de");
    EXPECT_EQ(CStringTable::Get(ids::kReadError), german);
    EXPECT_EQ(CStringTable::Get(ids::kWriteError), "Eigener Text");
}

TEST_F(LanguageInUse, AMissingCatalogKeepsGermanAndSaysSoOnce)
{
    m_paths.LocaleFolder = m_dir / "locale";
    const std::string german = CStringTable::Get(ids::kReadError);
    const auto result = start_up::UseLanguage(m_paths, "en");
    EXPECT_EQ(result.code, "de");
    EXPECT_NE(result.warning.find("morawin.mo cannot be opened; the texts stay German"), std::string::npos)
        << result.warning;
    EXPECT_EQ(result.warning.find('\n'), std::string::npos);
    EXPECT_EQ(CStringTable::Get(ids::kReadError), german);
}

TEST_F(LanguageInUse, TheSettingsKeepAChosenLanguageAndAddNoneUnasked)
{
    const auto file = m_dir / "morawin.ini";
    CAppSettings settings;
    settings.Load(file);
    EXPECT_EQ(settings.Language, "");
    ASSERT_TRUE(settings.Save());
    // Read whole and closed again: Windows replaces no file held open.
    const auto text = [&file] {
        const std::vector<std::uint8_t> bytes = ReadBytes(file);
        return std::string(bytes.begin(), bytes.end());
    };
    const std::string before = text();
    EXPECT_EQ(before.find("Language"), std::string::npos) << before;

    settings.Language = "en";
    ASSERT_TRUE(settings.Save());
    CAppSettings again;
    again.Load(file);
    EXPECT_EQ(again.Language, "en");
    const std::string after = text();
    EXPECT_NE(after.find("[Settings]\r\nLanguage=en"), std::string::npos) << after;
}

} // namespace
