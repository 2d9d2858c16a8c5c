#include "data/text/ErrorMessage.h"
#include "data/text/MessageCatalog.h"
#include "data/sequence/SequenceEntry.h"
#include "data/text/StringTable.h"
#include "data/text/TextFormat.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

namespace {

// The conversions of a format as FormatText reads them, one letter each:
// 's' for a text, 'd' for a number (d i u x X o c).
std::string Placeholders(const std::string& format)
{
    static const std::regex kDirective("%(?:%|[-0+ #]*[0-9]*(?:\\.[0-9]*)?[hlz]*([diuxXocs]))");
    std::string kinds;
    for (std::sregex_iterator it(format.begin(), format.end(), kDirective), end; it != end; ++it)
        if ((*it)[1].matched)
            kinds += (*it)[1] == "s" ? 's' : 'd';
    return kinds;
}

// Every string that reaches FormatText, with the arguments its callers
// fill it with. Messages reported through CErrorMessage (directly or by the
// conversion's hosts) get its text (a file name, an identifier) and its
// number; a format shows what it has placeholders for.
struct Formatted {
    unsigned id;
    const char* kinds;
    bool errorMessage;
};

constexpr Formatted kFormatted[] = {
    // FormatText: the paste's duplicate question and the conversion.
    {ids::kOperandExists, "s", true}, // operand name; also reported by a paste
    {ids::kConverted, "sss", false},  // operands, group, list
    {ids::kConvertedWithKept, "sssdd", false}, // ... taken over, unchanged
    {ids::kGroupExists, "s", false},           // group
    {ids::kOperandsLeft, "d", false},          // operands left
    {ids::kGroupsExhausted, "d", false},       // operands left
    {ids::kOperandsTooLong, "ds", false},      // size limit in KB, operand names
    {ids::kGroupReplaced, "s", false},         // group
    {ids::kGroupsReplaced, "s", false},        // groups
    {ids::kOperandsNotConverted, "d", false},  // operands of a group not written
    // FormatText: the browser's questions and marks.
    {ids::kDeletedGroup, "sss", false},  // group, designation, file
    {ids::kDeletedList, "sss", false},   // list, designation, group
    {ids::kDeletedTexts, "dss", false},  // count, list, designation
    {ids::kGroupDamaged, "d", false},     // the header's size
    {ids::kReasonSystem, "d", false},     // the system's error number
    {ids::kHelpFileIs, "s", false},       // the help file's path
    // FormatText: the project history.
    {ids::kChangedSince, "s", false},          // file
    {ids::kHistoryDamaged, "d", false},        // line of the index
    {ids::kConversionDescription, "sds", false}, // sequence file, operands, groups
    {ids::kComparisonDescription, "sds", false}, // sequence file, texts, groups
    {ids::kUndoDescription, "s", false},       // what is taken back
    {ids::kRedoDescription, "s", false},
    {ids::kHistoryContentMissing, "s", false}, // file
    {ids::kUndoSeveral, "ds", false},          // operations, the oldest of them
    {ids::kTakeBackCompleted, "s", false},     // the take-back
    {ids::kHistoryFolderUnwritable, "s", false}, // the history's folder
    {ids::kHistoryUnwritable, "s", true},      // file (also from the engine's host)
    {ids::kAskPasteListAs, "sss", false}, // list, group, free list
    {ids::kPasteDescription, "s", false},  // file
    {ids::kDeleteDescription, "s", false}, // files
    {ids::kRenameDescription, "ss", false}, // old file, new file
    {ids::kTableRow, "d", false},           // row of a table
    {ids::kTableCell, "s", false},          // cell of a workbook
    {ids::kCharactersReplaced, "d", false}, // characters read as "?"
    // FormatText: the status bar's counts, why a folder is no project, the
    // desktop program's command line.
    {ids::kCountShownOf, "d", false},
    {ids::kCountOperand, "d", false},
    {ids::kCountOperands, "d", false},
    {ids::kCountDuplicated, "d", false},
    {ids::kNotAProjectBecause, "s", false},     // the reason
    {ids::kProjectUnreadable, "s", false},      // the project file
    {ids::kProjectHeaderCut, "s", false},
    {ids::kProjectBadNameLength, "s", false},
    {ids::kProjectWrongKind, "s", false},
    {ids::kUsage, "ssss", false},               // history folder, version, copyright, licence
    {ids::kVersionLicense, "s", false},         // licence
    {ids::kUnknownOption, "s", false},          // the option
    {ids::kOptionNeedsFile, "s", false},        // the option
    {ids::kDisplayDoesNotAnswer, "s", false},   // the display variable
    {ids::kNumberExpected, "dd", false},        // lowest, highest
    {ids::kNumberOutOfRange, "dd", false},
    // CErrorMessage with a file name.
    {ids::kReadError, "s", true},
    {ids::kWriteError, "s", true},
    {ids::kChangedOnDisk, "s", true},
    {ids::kGroupUnreadable, "s", true},
    {ids::kDeleteError, "s", true},
    {ids::kFileError, "", true}, // the help file's name is given, not shown
    // CErrorMessage with an identifier.
    {ids::kGroupIdTaken, "s", true},
    {ids::kGroupWouldOverflow, "sd", true}, // group, size limit
    {ids::kGroupIdInvalid, "", true},
    {ids::kGroupIdBadChars, "", true},
    {ids::kListIdInvalid, "", true},
    {ids::kListOtherKind, "", true},
    // CErrorMessage with a number that the text does not show.
    {ids::kClipboardTooLarge, "", true},
    {ids::kClipboardFull, "", true},
    {ids::kNoMemory, "", true},
    {ids::kClipboardDataInvalid, "", true},
    {ids::kClipboardOtherKind, "", true},
    {ids::kListIdExists, "", true},
    {ids::kClipboardHoldsNoLists, "", true},
    {ids::kClipboardHoldsNoTexts, "", true},
    {ids::kPasteNeedsGroup, "", true},
    {ids::kPasteNeedsList, "", true},
};

TEST(StringTable, PlaceholdersMatchWhatTheCallersPass)
{
    std::set<unsigned> listed;
    for (const Formatted& use : kFormatted) {
        const std::string& format = CStringTable::Get(use.id);
        ASSERT_FALSE(format.empty()) << use.id;
        EXPECT_EQ(Placeholders(format), use.kinds) << "string " << use.id << ": " << CStringTable::GetUtf8(use.id);
        listed.insert(use.id);
    }
    // Any other string would show its placeholders as they are.
    for (unsigned id = 0; id <= 0xFFFF; ++id) {
        if (listed.count(id))
            continue;
        EXPECT_EQ(Placeholders(CStringTable::Get(id)), "") << "string " << id << " is formatted by no caller";
    }
}

TEST(StringTable, ErrorMessagesFillTheirPlaceholdersWithTextAndNumber)
{
    // CErrorMessage hands its text to a format with a %s, always first, and
    // its number last: a message can take nothing, the text, the number, or
    // both in that order.
    for (const Formatted& use : kFormatted) {
        if (!use.errorMessage)
            continue;
        const std::string& format = CStringTable::Get(use.id);
        const std::string kinds = use.kinds;
        const std::string shown = CErrorMessage(use.id, "G007.731", 4711).BuildText();
        if (kinds.empty())
            EXPECT_EQ(shown, format) << use.id;
        else if (kinds == "s")
            EXPECT_EQ(shown, FormatText(format, {"G007.731"})) << use.id;
        else if (kinds == "d")
            EXPECT_EQ(shown, FormatText(format, {4711})) << use.id;
        else if (kinds == "sd")
            EXPECT_EQ(shown, FormatText(format, {"G007.731", 4711})) << use.id;
        else
            ADD_FAILURE() << "string " << use.id << " takes " << kinds << ", which no error message can give";
    }
}

TEST(StringTable, PlaceholdersAreReadAsFormatTextReadsThem)
{
    EXPECT_EQ(Placeholders("%s %03u.%02u %-5d %.2s %lx %c"), "sdddsdd");
    EXPECT_EQ(Placeholders("100%% %%s %n %p % at the end %"), "");
}

TEST(StringTable, TextsAreWindows1252)
{
    // "ü" is one byte 0xFC in the table, not two UTF-8 bytes.
    EXPECT_EQ(CStringTable::Get(ids::kGroupIdInvalid), "Gruppen-Kennung ung\xFCltig.");
    EXPECT_EQ(CStringTable::GetUtf8(ids::kGroupIdInvalid), "Gruppen-Kennung ungültig.");
}

TEST(StringTable, TextsKeepTheirExactWording)
{
    EXPECT_EQ(CStringTable::GetUtf8(1031), "Der  Operand \"%s\" ist bereits vorhanden. Soll er überschrieben werden?");
    EXPECT_EQ(CStringTable::GetUtf8(1029), "Es kann keine Eintäge mehr vom Clipboard übernommen werden.");
    EXPECT_EQ(CStringTable::GetUtf8(1045), "Die Operanden %s wurden nach \nGruppe %s, Liste %s konvertiert.");
    EXPECT_EQ(CStringTable::GetUtf8(1053), "Die Schrittkettengruppe \"%s\" existiert bereits\nund wird überschrieben.");
    EXPECT_EQ(CStringTable::GetUtf8(57665), "Verläßt die Anwendung. \nBeenden");
    EXPECT_EQ(CStringTable::Get(1038), "Operand\nSymbol\nKommentar");
}

TEST(StringTable, KindLetters)
{
    EXPECT_EQ(KindLetter(0), "F");
    EXPECT_EQ(KindLetter(1), "E");
    EXPECT_EQ(KindLetter(2), "A");
    EXPECT_EQ(KindLetter(3), "M");
    EXPECT_EQ(KindLetter(4), "T");
    EXPECT_EQ(KindLetter(5), "Z");
    EXPECT_EQ(FormatOperand(1, 12, 3), "E012.03");
    EXPECT_EQ(FormatOperand(5, 7, 9), "Z007");
    EXPECT_EQ(FormatOperand(4, 255, 0), "T255");
}

TEST(StringTable, MissingIdIsEmpty)
{
    EXPECT_EQ(CStringTable::Get(1047), "");
}

// Each English text takes the arguments of the German one it stands for,
// in the same order, and every German text has one.
TEST(StringTable, EveryEnglishTextTakesTheArgumentsOfItsGermanSource)
{
    const auto catalog =
        CMessageCatalog::Load(std::filesystem::path(MORAWIN_LOCALE_DIR) / "en" / "LC_MESSAGES" / "morawin.mo");
    ASSERT_TRUE(catalog);
    for (const std::string_view source : CStringTable::SourceTexts()) {
        const std::string* english = catalog->Find(source);
        ASSERT_NE(english, nullptr) << source;
        EXPECT_EQ(Placeholders(*english), Placeholders(std::string(source))) << source;
    }
}

} // namespace
