#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class CMessageCatalog;

// String IDs that code refers to by name. The texts themselves live in the
// table in StringTable.cpp (and may be overridden by a resource catalog).
namespace ids {
constexpr unsigned kDummy = 1024;
constexpr unsigned kNoMemory = 1025;
constexpr unsigned kClipboardTooLarge = 1026;
constexpr unsigned kNoError = 1027;
constexpr unsigned kFileError = 1028;
constexpr unsigned kClipboardFull = 1029;
constexpr unsigned kListIdExists = 1030;
constexpr unsigned kOperandExists = 1031;
constexpr unsigned kKindLetterBase = 1032; // + operand kind 0..5
constexpr unsigned kSequenceColumns = 1038;
constexpr unsigned kOpenProjectTitle = 1039;
constexpr unsigned kReadError = 1040;
constexpr unsigned kWriteError = 1041;
constexpr unsigned kGroupIdInvalid = 1042;
constexpr unsigned kListIdInvalid = 1043;
constexpr unsigned kListOtherKind = 1044;
constexpr unsigned kConverted = 1045;
constexpr unsigned kConvertAllTitle = 1046;
constexpr unsigned kAllConverted = 1048;
constexpr unsigned kSequenceFilter = 1049;
constexpr unsigned kGroupIdBadChars = 1050;
constexpr unsigned kUnitLists = 1051;
constexpr unsigned kUnitBytes = 1052;
constexpr unsigned kGroupExists = 1053;
constexpr unsigned kNoProject = 1054;
constexpr unsigned kProjectNamePane = 1055;
constexpr unsigned kNoHtmViewer = 1056;
constexpr unsigned kUnknownSystemError = 1057;
// Messages of this program beyond the original table.
constexpr unsigned kOperandsLeft = 1060;
constexpr unsigned kGroupsExhausted = 1061;
constexpr unsigned kGroupUnreadable = 1062;
constexpr unsigned kClipboardDataInvalid = 1063;
constexpr unsigned kGroupWouldOverflow = 1064;
constexpr unsigned kClipboardOtherKind = 1065;
constexpr unsigned kAskDeleteGroups = 1066;
constexpr unsigned kAskDeleteLists = 1067;
constexpr unsigned kAskDeleteTexts = 1068;
constexpr unsigned kGroupIdTaken = 1069;
constexpr unsigned kConvertedWithKept = 1070;
constexpr unsigned kOperandsTooLong = 1071;
constexpr unsigned kNoTextSwitch = 1072;
constexpr unsigned kGroupWillBeReplaced = 1073;
constexpr unsigned kGroupReplaced = 1074;
constexpr unsigned kGroupsReplaced = 1075;
constexpr unsigned kOperandsNotConverted = 1076;
constexpr unsigned kChangedOnDisk = 1080;
constexpr unsigned kGroupDamaged = 1081;
constexpr unsigned kDeleteError = 1082;
constexpr unsigned kReasonEndOfFile = 1083;
constexpr unsigned kReasonTooLarge = 1084;
constexpr unsigned kReasonNotAGroup = 1085;
constexpr unsigned kReasonSystem = 1086;
constexpr unsigned kHelpFileIs = 1087;
// What a delete question names, one line per entry.
constexpr unsigned kDeletedGroup = 1088;
constexpr unsigned kDeletedList = 1089;
constexpr unsigned kDeletedTexts = 1090;
// The project history.
constexpr unsigned kHistoryUnwritable = 1091;
constexpr unsigned kChangedSince = 1092;
constexpr unsigned kHistoryDamaged = 1093;
constexpr unsigned kConversionDescription = 1094;
constexpr unsigned kComparisonDescription = 1095;
constexpr unsigned kUndoDescription = 1096;
constexpr unsigned kRedoDescription = 1097;
constexpr unsigned kHistoryContentMissing = 1098;
constexpr unsigned kUndoSeveral = 1099;
constexpr unsigned kTakeBackCompleted = 1100;
constexpr unsigned kTakeBackRunning = 1101;
constexpr unsigned kHistoryFolderUnwritable = 1102;
constexpr unsigned kAskPasteListAs = 1103;
constexpr unsigned kClipboardHoldsNoLists = 1104;
constexpr unsigned kClipboardHoldsNoTexts = 1105;
constexpr unsigned kPasteNeedsGroup = 1106;
constexpr unsigned kPasteNeedsList = 1107;
// The browser's operations in the project history, and taking them back.
constexpr unsigned kPasteDescription = 1108;
constexpr unsigned kDeleteDescription = 1109;
constexpr unsigned kRenameDescription = 1110;
constexpr unsigned kAskTakeBackOthers = 1111;
constexpr unsigned kResetToThisState = 1112;
constexpr unsigned kStateBeforeOperations = 1113;
// Symbol tables in the desktop program.
constexpr unsigned kTableRow = 1120;
constexpr unsigned kTableCell = 1121;
constexpr unsigned kCharactersReplaced = 1122;
constexpr unsigned kSymbolTableFilter = 1123;
// The status bar's operand counts.
constexpr unsigned kCountShownOf = 1124;
constexpr unsigned kCountOperand = 1125;
constexpr unsigned kCountOperands = 1126;
constexpr unsigned kCountDuplicated = 1127;
// Why a folder is no panel project.
constexpr unsigned kNotAProject = 1128;
constexpr unsigned kNotAProjectBecause = 1129;
constexpr unsigned kProjectNoFolder = 1130;
constexpr unsigned kProjectNoDataFile = 1131;
constexpr unsigned kProjectUnreadable = 1132;
constexpr unsigned kProjectHeaderCut = 1133;
constexpr unsigned kProjectBadNameLength = 1134;
constexpr unsigned kProjectWrongKind = 1135;
// The desktop program's command line.
constexpr unsigned kUsage = 1136;
constexpr unsigned kVersionLicense = 1137;
constexpr unsigned kUnknownOption = 1138;
constexpr unsigned kOptionNeedsFile = 1139;
// No display to start on.
constexpr unsigned kNoDisplayAnswers = 1140;
constexpr unsigned kNoDisplaySet = 1141;
constexpr unsigned kDisplayDoesNotAnswer = 1142;
// A number field's complaints.
constexpr unsigned kNumberExpected = 1143;
constexpr unsigned kNumberOutOfRange = 1144;
// The program's name, the title of its message boxes.
constexpr unsigned kProgramTitle = 57344;
} // namespace ids

// The program's string table. Texts are kept as Windows-1252 bytes, like
// every other text of the model; shells convert them where they show them.
//
// An optional resource catalog (UTF-8 text, one "ID=text" per line, "\n",
// "\t" and "\\" as escapes, "#" starting a comment line) overrides single
// strings; IDs it does not name keep their built-in text.
class CStringTable {
public:
    // Windows-1252 text of `id`; empty when the table has no such string.
    static const std::string& Get(unsigned id);
    static std::string GetUtf8(unsigned id);

    // Reads a catalog and overrides the strings it names. Returns false when
    // the file cannot be read; the table is then unchanged.
    static bool LoadCatalog(const std::filesystem::path& file);
    // Translates the built-in texts with `catalog` (kept, not copied; null
    // for German); the resource catalog's overrides still stand above them.
    static void UseTranslations(const CMessageCatalog* catalog);
    // Back to the built-in texts (tests, and a catalog that turned out bad).
    static void ResetToBuiltIn();
    // The built-in German texts, UTF-8, as the translations' catalog names them.
    static std::vector<std::string_view> SourceTexts();
};
