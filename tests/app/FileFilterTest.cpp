#include "app/frames/FileFilter.h"
#include "data/text/StringTable.h"

#include <gtest/gtest.h>

namespace {

TEST(FileFilter, SequenceFilterOfTheStringTable)
{
    EXPECT_EQ(FileDialogWildcard(CStringTable::Get(ids::kSequenceFilter)),
              "SEQ Dateien (*.seq)|*.seq;*.SEQ|Alle Dateien (*.*)|*");
}

TEST(FileFilter, SeveralPatternsAndOddInput)
{
    EXPECT_EQ(FileDialogWildcard("Texte|*.txt;*.Log|"), "Texte|*.txt;*.TXT;*.Log;*.LOG");
    EXPECT_EQ(FileDialogWildcard("Gross|*.SEQ"), "Gross|*.SEQ");
    EXPECT_EQ(FileDialogWildcard("nur eine Beschreibung"), "");
    EXPECT_EQ(FileDialogWildcard("||"), "");
}

} // namespace
