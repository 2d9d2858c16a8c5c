#include "app/platform/HelpLauncher.h"
#include "data/platform/Platform.h"
#include "data/text/Charset.h"
#include "data/text/StringTable.h"
#include "tests/support/RecordingSink.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSystem.h"

#include <gtest/gtest.h>

namespace {

TEST(HelpLauncher, MissingDocumentIsAFileError)
{
    TempDir dir;
    RecordingSink sink;
    bool launched = false;
    const CHelpLauncher launcher([&](const std::string&) { return launched = true; });
    EXPECT_FALSE(launcher.Open(dir / "hlp" / "morawin.htm"));
    EXPECT_FALSE(launched);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].text, CStringTable::Get(ids::kFileError));
    EXPECT_EQ(sink.messages[0].kind, MessageKind::error);
}

TEST(HelpLauncher, NoViewerForTheDocumentIsSaidSoWithItsName)
{
    TempDir dir;
    const auto document = dir.Path() / platform::PathFromUtf8("Hilfe für Sie.htm");
    WriteText(document, "<html></html>");
    RecordingSink sink;
    const CHelpLauncher launcher([](const std::string&) { return false; });
    EXPECT_FALSE(launcher.Open(document));
    ASSERT_EQ(sink.messages.size(), 1u);
    // Where the page is, so that the user can open it by hand.
    EXPECT_EQ(sink.messages[0].text, CStringTable::Get(ids::kNoHtmViewer) + "\nDie Hilfe steht in der Datei \""
                                         + charset::Utf8ToCp1252(platform::PathToUtf8(document)) + "\".");
    EXPECT_EQ(sink.messages[0].kind, MessageKind::error);

    const CHelpLauncher none(nullptr);
    EXPECT_FALSE(none.Open(document));
    EXPECT_EQ(sink.messages.size(), 2u);
}

TEST(HelpLauncher, TheViewerGetsAFileUrl)
{
    TempDir dir;
    const auto document = dir.Path() / platform::PathFromUtf8("Hilfe für Sie.htm");
    WriteText(document, "<html></html>");
    RecordingSink sink;
    std::string url;
    const CHelpLauncher launcher([&](const std::string& u) {
        url = u;
        return true;
    });
    EXPECT_TRUE(launcher.Open(document));
    EXPECT_TRUE(sink.messages.empty());
    // On Windows the drive follows a third slash: file:///C:/...
    const std::string folder = dir.Path().generic_string();
    EXPECT_EQ(url, "file://" + std::string(folder.starts_with('/') ? "" : "/") + folder + "/Hilfe%20f%C3%BCr%20Sie.htm");
}

TEST(HelpLauncher, FileUrlsEscapeEverythingButTheSafeCharacters)
{
    if (test_system::kWindows)
        GTEST_SKIP() << "POSIX paths are made absolute on a drive there (Z:/opt/...)";
    EXPECT_EQ(CHelpLauncher::FileUrl("/opt/mora-win_1.1~/hlp/morawin.htm"), "file:///opt/mora-win_1.1~/hlp/morawin.htm");
    EXPECT_EQ(CHelpLauncher::FileUrl("/a b/#?%&.htm"), "file:///a%20b/%23%3F%25%26.htm");
    EXPECT_EQ(CHelpLauncher::FileUrl("/x/../y/./z.htm"), "file:///y/z.htm");
    // A colon is a drive's on Windows and may stand as it is.
    EXPECT_EQ(CHelpLauncher::FileUrl("/a:b/z.htm"), "file:///a:b/z.htm");
}

} // namespace
