// Operations recorded through the engine and the project's lists, taken
// back and forth: exact bytes every time.
#include "tests/history/HistoryFixture.h"

#include "data/records/AtomicFile.h"
#include "data/text/Charset.h"

namespace {

class TakeBackTest : public HistoryFixture {};

using Outcome = CProjectHistory::TakeBack::Outcome;

std::vector<std::string> Utf8(const std::vector<std::string>& messages)
{
    std::vector<std::string> texts;
    for (const auto& message : messages)
        texts.push_back(charset::Cp1252ToUtf8(message));
    return texts;
}

TEST_F(TakeBackTest, UndoAndRedoOfAConversionGiveBackEveryFileByteForByte)
{
    settings.MaxLists = 1;
    ExistingGroup("S01", {{"E 0.0", "alt"}}, "009");
    const Files before = GroupFiles();
    Convert(Inputs(70)); // S01 replaced, S02 new (64 operands per list)
    const Files after = GroupFiles();
    ASSERT_EQ(after.size(), 2u);
    ASSERT_NE(after, before);

    const auto undone = history->Undo();
    EXPECT_EQ(undone.outcome, Outcome::done);
    EXPECT_EQ(charset::Cp1252ToUtf8(undone.description), "Rückgängig: Konvertierung von anlage.seq: 70 Operanden in S01, S02");
    EXPECT_EQ(GroupFiles(), before);
    EXPECT_EQ(history->Redo().outcome, Outcome::done);
    EXPECT_EQ(GroupFiles(), after);
    EXPECT_EQ(history->Undo().outcome, Outcome::done);
    EXPECT_EQ(GroupFiles(), before);
}

TEST_F(TakeBackTest, EveryStepOfARunIsOneOperationNamedAfterWhatItConverted)
{
    settings.MaxOperands = 8;
    settings.MaxLists = 2;
    Convert(Inputs(40), ConversionMode::selected);
    const CHistoryIndex index = Index();
    ASSERT_EQ(index.records.size(), 1u);
    const auto& record = index.records[0];
    EXPECT_EQ(record.kind, "convert");
    EXPECT_EQ(charset::Cp1252ToUtf8(record.description), "Konvertierung von anlage.seq: 40 Operanden in S01, S02, S03");
    ASSERT_EQ(record.files.size(), 3u);
    EXPECT_TRUE(record.files[0].before.IsAbsent());
    EXPECT_EQ(record.files[0].after, CFileState::Of(GroupFiles().at("GS01.731")));
    EXPECT_EQ(index.undo, std::vector<int>{record.id});
}

TEST_F(TakeBackTest, AFileChangedSinceRefusesTheTakeBackOrIsLeftOutWhenAsked)
{
    settings.MaxLists = 1;
    ExistingGroup("S01", {{"E 0.0", "alt"}}, "009");
    ExistingGroup("S02", {{"E 0.0", "alt"}}, "009");
    const Files before = GroupFiles();
    Convert(Inputs(100));
    WriteBytes(dir / "GS02.731", {1, 2, 3}); // another program
    const Files changed = GroupFiles();

    const auto refused = history->Undo();
    EXPECT_EQ(refused.outcome, Outcome::refused);
    EXPECT_EQ(Utf8(refused.messages), std::vector<std::string>{"GS02.731 wurde seitdem geändert"});
    EXPECT_EQ(refused.changedFiles, std::vector<std::string>{"GS02.731"});
    EXPECT_EQ(GroupFiles(), changed);

    const auto partly = history->Undo(std::nullopt, true);
    EXPECT_EQ(partly.outcome, Outcome::done);
    EXPECT_EQ(GroupFiles().at("GS01.731"), before.at("GS01.731"));
    EXPECT_EQ(GroupFiles().at("GS02.731"), (Bytes{1, 2, 3}));
    // What was left out is not taken back by a redo either.
    EXPECT_EQ(history->Redo().outcome, Outcome::done);
    EXPECT_EQ(GroupFiles(), changed);

    // With every file changed there is no other file to offer.
    WriteBytes(dir / "GS01.731", {4});
    const auto none = history->Undo();
    EXPECT_EQ(none.outcome, Outcome::refused);
    EXPECT_TRUE(none.changedFiles.empty());
}

TEST_F(TakeBackTest, ATakeBackThatAnotherProgramRunsRefusesWithoutOfferingTheOtherFiles)
{
    Convert(Inputs(3));
    CHistoryIndex index = Index();
    CHistoryIndex::Record running = index.records.at(0);
    running.id = 2;
    running.kind = "undo";
    running.takes = {1};
    running.open = true;
    running.owner = platform::CurrentProcessId(); // still running
    index.records.push_back(running);
    WriteText(history->Folder() / "index", index.ToText());
    const Files files = GroupFiles();

    const auto refused = history->Undo();
    EXPECT_EQ(refused.outcome, Outcome::refused);
    EXPECT_EQ(refused.messages.size(), 1u);
    EXPECT_TRUE(refused.changedFiles.empty());
    EXPECT_EQ(GroupFiles(), files);
}

TEST_F(TakeBackTest, UndoDownToAnOperationTakesBackEveryLaterOneAtOnce)
{
    const Files empty = GroupFiles();
    Convert(Inputs(10, "A"));
    Convert(Inputs(100, "B"));
    Convert(Inputs(10, "C"));
    const Files last = GroupFiles();
    const int first = Index().undo.front();

    const auto result = history->Undo(first);
    EXPECT_EQ(result.outcome, Outcome::done);
    EXPECT_EQ(charset::Cp1252ToUtf8(result.description),
              "Rückgängig: 3 Aktionen bis \"Konvertierung von anlage.seq: 10 Operanden in S01\"");
    EXPECT_EQ(GroupFiles(), empty);
    EXPECT_TRUE(Index().undo.empty());
    EXPECT_EQ(history->Redo().outcome, Outcome::done);
    EXPECT_EQ(GroupFiles(), last);
    EXPECT_EQ(history->Undo(12345).outcome, Outcome::nothing);
}

TEST_F(TakeBackTest, ANewOperationAfterAnUndoEmptiesTheRedoList)
{
    Convert(Inputs(10, "A"));
    ASSERT_EQ(history->Undo().outcome, Outcome::done);
    EXPECT_TRUE(history->NextRedo());
    Reopen(); // as a host reads the project again after a take-back
    Convert(Inputs(5, "B"));
    EXPECT_FALSE(history->NextRedo());
    EXPECT_EQ(history->Redo().outcome, Outcome::nothing);
    // The undo names what it took back; the menu says the same.
    EXPECT_EQ(charset::Cp1252ToUtf8(CProjectHistory::SubjectOf(*history->NextUndo())),
              "Konvertierung von anlage.seq: 5 Operanden in S01");
}

TEST_F(TakeBackTest, RenameAndDeleteOfGroupsAreTakenBackWholeFilesAndNames)
{
    ExistingGroup("S01", {{"E 0.0", "eins"}});
    ExistingGroup("S02", {{"E 0.0", "zwei"}});
    const Files before = GroupFiles();
    History();
    {
        CHistoryOperation rename(&*history, *project, "rename");
        ASSERT_TRUE(folder->FindGroup("S01")->Rename("GS05", "fünf"));
    }
    {
        CHistoryOperation remove(&*history, *project, "delete");
        folder->Remove(folder->FindGroup("S02"));
    }
    EXPECT_EQ(GroupFiles().count("GS01.731") + GroupFiles().count("GS02.731"), 0u);
    EXPECT_EQ(history->Undo().outcome, Outcome::done);
    EXPECT_EQ(history->Undo().outcome, Outcome::done);
    EXPECT_EQ(GroupFiles(), before);
    const auto index = Index();
    const auto& renamed = index.records[0];
    ASSERT_EQ(renamed.files.size(), 2u);
    EXPECT_EQ(renamed.kind, "rename");
}

TEST_F(TakeBackTest, NothingIsRecordedForAnOperationThatChangedNothing)
{
    ExistingGroup("S01", {{"E 0.0", "eins"}});
    History();
    {
        CHistoryOperation save(&*history, *project, "paste");
        auto* group = folder->FindGroup("S01");
        ASSERT_TRUE(group->Load());
        group->SetModified(true);
        ASSERT_TRUE(group->Save()); // the same bytes again
    }
    EXPECT_TRUE(Index().records.empty());
    EXPECT_EQ(project->GetFileJournal(), nullptr) << "the operation is no longer the journal";
}

TEST_F(TakeBackTest, TheHistoryKeepsTheNewestOperationsWithinItsLimits)
{
    History({3, 200});
    for (int i = 0; i < 5; ++i)
        Convert(Inputs(10 + i));
    CHistoryIndex index = Index();
    ASSERT_EQ(index.records.size(), 3u);
    EXPECT_EQ(index.records.front().id, 3);
    // Only what the kept operations name is still there: the contents
    // before each of them.
    EXPECT_EQ(ListFolder(history->Folder() / "blobs").size(), 3u);

    // Each group file is about 1 KB: a limit below two operations' worth
    // keeps the newest alone.
    History({100, 0});
    Convert(Inputs(30));
    EXPECT_EQ(Index().records.size(), 1u);
    EXPECT_EQ(history->Undo().outcome, Outcome::done);
}

TEST_F(TakeBackTest, KeepZeroTurnsTheHistoryOff)
{
    History({0, 200});
    Convert(Inputs(10));
    EXPECT_FALSE(std::filesystem::exists(history->Folder()));
    EXPECT_EQ(history->Undo().outcome, Outcome::nothing);
}

TEST_F(TakeBackTest, AHistoryThatCannotBeWrittenStopsTheConversionBeforeAnyFileChanges)
{
    ExistingGroup("S01", {{"E 0.0", "alt"}});
    const Files before = GroupFiles();
    WriteText(state / "blocked", "a file where the history's folder would be");
    history.emplace(state / "blocked", *project, CProjectHistory::Limits{});
    for (const auto mode : {ConversionMode::all, ConversionMode::selected}) {
        Convert(Inputs(70), mode);
        EXPECT_EQ(GroupFiles(), before);
        EXPECT_FALSE(host.Requests("error 1091").empty());
    }
}

TEST_F(TakeBackTest, AnOperationWhoseProgramEndedWithoutFinishingIsTakenBackAsItLeftTheFiles)
{
    ExistingGroup("S01", {{"E 0.0", "alt"}});
    const Files before = GroupFiles();
    const Bytes old = before.at("GS01.731");
    // A program kept the file, wrote it and was killed before the end: its
    // operation stays open, owned by a process that is gone.
    CHistoryIndex::Record record;
    record.kind = "paste";
    History().Begin(record, {{{"GS01.731", CFileState::Of(old), CFileState::Unknown()}, old, dir / "GS01.731"}});
    CAtomicFile::Write(dir / "GS01.731", Bytes{9, 9});
    std::string text = ReadText(history->Folder() / "index");
    const auto open = text.find(" open ") + 6;
    text.replace(open, text.find('\n', open) - open, "999999999");
    WriteText(history->Folder() / "index", text);

    EXPECT_EQ(history->Undo().outcome, Outcome::done);
    EXPECT_EQ(GroupFiles(), before);
    EXPECT_EQ(history->Redo().outcome, Outcome::done);
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), (Bytes{9, 9}));
}

} // namespace
