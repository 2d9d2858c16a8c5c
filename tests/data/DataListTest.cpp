#include "data/model/DataFile.h"
#include "data/model/DataList.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// An entry ordered by its key; the tag tells equal keys apart.
class KeyEntry : public CDataEntry {
public:
    KeyEntry(CDataEntry* parent, int key, int tag = 0) : CDataEntry(parent), key(key), tag(tag) {}
    int GetType() const override { return 25; }
    std::string GetColumnText(int) const override { return std::to_string(key); }
    int Compare(const CDataEntry* other) const override
    {
        const int k = static_cast<const KeyEntry*>(other)->key;
        return key < k ? -1 : key > k ? 1 : 0;
    }
    int key;
    int tag;
};

class TestList : public CDataList {
public:
    explicit TestList(CDataEntry* parent = nullptr, int type = 17) : CDataList(parent, "list"), type(type) {}
    int GetType() const override { return type; }
    std::string GetColumnText(int) const override { return {}; }
    bool Load() override
    {
        ++loads;
        for (int key : toLoad)
            Add(std::make_unique<KeyEntry>(this, key));
        SetLoaded(true);
        return true;
    }
    void Sort() override
    {
        ++sorts;
        SortEntries();
    }
    int GetColumnCount() const override { return 3; }
    int GetColumnWidth(int) const override { return 1; }
    std::string GetColumnHeaders() const override { return "Operand\nSymbol\nKommentar"; }

    KeyEntry* Entry(int i) const { return static_cast<KeyEntry*>(GetAt(i)); }
    std::vector<int> Keys() const
    {
        std::vector<int> keys;
        for (int i = 0; i < GetCount(); ++i)
            keys.push_back(Entry(i)->key);
        return keys;
    }

    int type;
    int loads = 0;
    int sorts = 0;
    std::vector<int> toLoad;
};

class ProjectLike : public TestList {
public:
    ProjectLike() : TestList(nullptr, 0) { SetName("Projekt P1"); }
};

TEST(DataList, ColumnHeaderSplitsAtNewlines)
{
    TestList list;
    EXPECT_EQ(list.GetColumnHeader(0), "Operand");
    EXPECT_EQ(list.GetColumnHeader(1), "Symbol");
    EXPECT_EQ(list.GetColumnHeader(2), "Kommentar");
    EXPECT_EQ(list.GetColumnHeader(3), "");
    EXPECT_EQ(list.GetColumnHeader(-1), "");
}

TEST(DataList, InsertAfterAppendsOutsideTheList)
{
    TestList list;
    for (int key : {1, 2, 3})
        list.Add(std::make_unique<KeyEntry>(&list, key));
    list.InsertAfter(std::make_unique<KeyEntry>(&list, 10), -1);
    list.InsertAfter(std::make_unique<KeyEntry>(&list, 11), list.GetCount());
    list.InsertAfter(std::make_unique<KeyEntry>(&list, 12), list.GetCount() - 1);
    list.InsertAfter(std::make_unique<KeyEntry>(&list, 13), 0);
    EXPECT_EQ(list.Keys(), (std::vector<int>{1, 13, 2, 3, 10, 11, 12}));
}

TEST(DataList, IndexOfAndRemoveByIdentity)
{
    TestList list;
    KeyEntry* a = list.AddNew(std::make_unique<KeyEntry>(&list, 1));
    KeyEntry* b = list.AddNew(std::make_unique<KeyEntry>(&list, 1));
    KeyEntry stranger(&list, 1);
    EXPECT_EQ(list.IndexOf(a), 0);
    EXPECT_EQ(list.IndexOf(b), 1);
    EXPECT_EQ(list.IndexOf(nullptr), -1);
    EXPECT_EQ(list.IndexOf(&stranger), -1);
    list.Remove(nullptr);
    list.Remove(&stranger);
    EXPECT_EQ(list.GetCount(), 2);
    list.Remove(a);
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetAt(0), b);
}

TEST(DataList, SortIsStableForEqualKeys)
{
    TestList list;
    for (int i = 0; i < 50; ++i)
        list.Add(std::make_unique<KeyEntry>(&list, 7, i));
    list.Sort();
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(list.Entry(i)->tag, i);
}

TEST(DataList, SortMatchesInsertionSortOrder)
{
    // The order the shared insertion sort gives: by key, ties in input order.
    std::mt19937 random(42);
    TestList list;
    std::vector<std::pair<int, int>> expected;
    for (int i = 0; i < 2000; ++i) {
        const int key = static_cast<int>(random() % 50);
        list.Add(std::make_unique<KeyEntry>(&list, key, i));
        expected.emplace_back(key, i);
    }
    for (std::size_t i = 1; i < expected.size(); ++i)
        for (std::size_t j = i; j > 0 && expected[j].first < expected[j - 1].first; --j)
            std::swap(expected[j], expected[j - 1]);
    list.Sort();
    for (int i = 0; i < list.GetCount(); ++i) {
        EXPECT_EQ(list.Entry(i)->key, expected[static_cast<std::size_t>(i)].first);
        EXPECT_EQ(list.Entry(i)->tag, expected[static_cast<std::size_t>(i)].second);
    }
}

TEST(DataList, OnEntryChangedSortsOnlyWhenOrderBroke)
{
    TestList list;
    for (int key : {1, 5, 9})
        list.Add(std::make_unique<KeyEntry>(&list, key));
    list.Entry(1)->key = 6;
    list.OnEntryChanged(list.Entry(1));
    EXPECT_EQ(list.sorts, 0);
    list.Entry(1)->key = 0;
    list.OnEntryChanged(list.Entry(1));
    EXPECT_EQ(list.sorts, 1);
    EXPECT_EQ(list.Keys(), (std::vector<int>{0, 1, 9}));
    list.Entry(0)->key = 10;
    list.OnEntryChanged(list.Entry(0));
    EXPECT_EQ(list.Keys(), (std::vector<int>{1, 9, 10}));
    KeyEntry stranger(&list, -5);
    list.OnEntryChanged(&stranger);
    EXPECT_EQ(list.sorts, 2);
    list.OnEntryChanged(nullptr);
    EXPECT_EQ(list.sorts, 3);
}

TEST(DataList, RemoveAllClearsFlags)
{
    TestList list;
    list.toLoad = {3, 1};
    list.Load();
    list.SetModified(true);
    EXPECT_TRUE(list.IsLoaded());
    list.RemoveAll();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_FALSE(list.IsLoaded());
    EXPECT_FALSE(list.IsModified());
}

TEST(DataList, CollectListsLoadsAndSkipsEmptyLists)
{
    TestList root(nullptr, 3);
    root.toLoad = {};
    auto* empty = root.AddNew(std::make_unique<TestList>(&root, 17));
    auto* full = root.AddNew(std::make_unique<TestList>(&root, 17));
    full->toLoad = {1, 2};
    auto* skipped = root.AddNew(std::make_unique<TestList>(&root, 8));
    skipped->toLoad = {4};
    std::vector<CDataList*> lists;
    root.CollectLists(lists);
    // Every unloaded list is loaded first; the one that stays empty is left
    // out, and type 8 is skipped with everything below it.
    EXPECT_EQ(root.loads, 1);
    EXPECT_EQ(empty->loads, 1);
    EXPECT_EQ(skipped->loads, 0);
    ASSERT_EQ(lists.size(), 2u);
    EXPECT_EQ(lists[0], &root);
    EXPECT_EQ(lists[1], full);
}

TEST(DataList, ProjectIsTheTopmostOwnerOfTypeZero)
{
    ProjectLike project;
    auto* folder = project.AddNew(std::make_unique<TestList>(&project, 3));
    auto* entry = folder->AddNew(std::make_unique<KeyEntry>(folder, 1));
    EXPECT_EQ(entry->GetProject(), &project);
    EXPECT_EQ(folder->GetContextText(0), "Projekt P1");
    EXPECT_EQ(folder->GetContextText(1), "");

    TestList sequence(nullptr, 52);
    auto* operand = sequence.AddNew(std::make_unique<KeyEntry>(&sequence, 1));
    EXPECT_EQ(operand->GetProject(), nullptr);
    EXPECT_EQ(sequence.GetContextText(0), "");
}

TEST(DataList, ContainerTypeCodes)
{
    std::vector<int> containers;
    for (int code = 0; code < 60; ++code)
        if (CDataEntry::IsContainerType(code))
            containers.push_back(code);
    EXPECT_EQ(containers, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 16, 17, 18, 19, 20, 21, 22,
                                            28, 29, 30, 39, 47, 48}));
}

TEST(DataList, ClipboardSizeIsTwoPlusRecords)
{
    TestList list;
    list.Add(std::make_unique<KeyEntry>(&list, 1));
    EXPECT_EQ(list.GetClipboardSize(), 2u);
    EXPECT_EQ(list.GetClipboardFormatName(), "");
    EXPECT_EQ(list.CreateFromRecord(-1, {}), nullptr);
    EXPECT_FALSE(list.IsCommandEnabled(0, 1, 0));
}

class PlainFile : public CDataFile {
public:
    using CDataFile::CDataFile;
    int GetType() const override { return 12; }
    bool Load() override { return true; }
    int GetColumnCount() const override { return 5; }
    int GetColumnWidth(int) const override { return 1; }
    std::string GetColumnHeaders() const override { return "Dummy"; }
};

TEST(DataFile, BaseNameAndExtensionAtFirstPoint)
{
    EXPECT_EQ(PlainFile(nullptr, "G001.731").GetBaseName(), "G001");
    EXPECT_EQ(PlainFile(nullptr, "G001.731").GetExtension(), "731");
    EXPECT_EQ(PlainFile(nullptr, "G001").GetBaseName(), "G001");
    EXPECT_EQ(PlainFile(nullptr, "G001").GetExtension(), "");
    EXPECT_EQ(PlainFile(nullptr, ".profile").GetBaseName(), ".profile");
    EXPECT_EQ(PlainFile(nullptr, ".profile").GetExtension(), "");
    EXPECT_EQ(PlainFile(nullptr, "a.b.c").GetExtension(), "b.c");
}

TEST(DataFile, Columns)
{
    PlainFile file(nullptr, "GS01.731");
    file.SetName("Test");
    EXPECT_EQ(file.GetColumnText(0), "Test");
    EXPECT_EQ(file.GetColumnText(1), "GS01");
    EXPECT_EQ(file.GetColumnText(2), "731");
    EXPECT_EQ(file.GetColumnText(3), "");
    EXPECT_EQ(file.GetColumnText(4), "0");
    EXPECT_EQ(file.GetColumnText(5), "");
    EXPECT_EQ(file.GetContextText(1), "GS01");
    EXPECT_EQ(file.GetContextText(2), "GS01.731");
    EXPECT_EQ(file.GetContextText(3), "");
}

} // namespace

#include "data/sequence/FixedPool.h"

namespace {

TEST(FixedPool, ReusesFreedSlotsAndKeepsAlignment)
{
    CFixedPool pool(20);
    EXPECT_EQ(pool.GetObjectSize() % alignof(std::max_align_t), 0u);
    std::vector<void*> objects;
    for (int i = 0; i < 10000; ++i) {
        objects.push_back(pool.Allocate());
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(objects.back()) % alignof(std::max_align_t), 0u);
    }
    std::sort(objects.begin(), objects.end());
    EXPECT_EQ(std::adjacent_find(objects.begin(), objects.end()), objects.end()) << "a slot handed out twice";
    void* freed = objects[1234];
    pool.Free(freed);
    EXPECT_EQ(pool.Allocate(), freed);
    pool.Free(nullptr);
}

} // namespace
