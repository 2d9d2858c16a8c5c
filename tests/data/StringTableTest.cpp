#include "data/SequenceEntry.h"
#include "data/StringTable.h"

#include <gtest/gtest.h>

namespace {

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

} // namespace
