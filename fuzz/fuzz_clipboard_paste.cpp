// A clipboard block from anywhere, pasted into groups and lists. Whatever
// the block holds: no crash, no read outside it; a block that fails the
// check changes nothing and says so once; whatever is pasted keeps the
// group within what its file can hold, and the file written from it reads
// back to the same content.
#include "data/clipboard/ClipboardBlock.h"
#include "data/text/ErrorMessage.h"
#include "data/records/FileException.h"
#include "data/text/MessageSink.h"
#include "data/records/RecordStream.h"
#include "fuzz/GroupFuzzSupport.h"
#include "panel/StepChainGroup.h"
#include "panel/StepChainList.h"
#include "panel/StepChainText.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

class CountingSink : public IMessageSink {
public:
    void ShowMessage(const std::string&, MessageKind) override { ++count; }
    int count = 0;
};

std::unique_ptr<CStepChainGroup> NewGroup()
{
    return std::make_unique<CStepChainGroup>(nullptr, "GS01.731", "GS01.fuzz-no-such-file");
}

CStepChainList* AddList(CStepChainGroup& group, const std::string& id, int kind)
{
    auto* list = group.AddNew(std::make_unique<CStepChainList>(&group));
    list->SetProperties(id, kind, "Liste " + id);
    return list;
}

void AddText(CStepChainList& list, std::uint8_t operand, std::uint8_t bit, std::string text)
{
    list.AddNew(std::make_unique<CStepChainText>(&list, operand, bit, 0, 0, std::move(text)));
    list.OnEntryChanged(nullptr);
}

// Lists 001 (inputs) and 002 (timers) with a few texts, and `ballast`
// more bytes in a timer text of list 003.
std::unique_ptr<CStepChainGroup> SmallGroup(std::size_t ballast)
{
    auto group = NewGroup();
    CStepChainList* inputs = AddList(*group, "001", 1);
    AddText(*inputs, 12, 1, "Auf");
    AddText(*inputs, 12, 3, "Zu @5");
    CStepChainList* timers = AddList(*group, "002", 4);
    AddText(*timers, 1, 0, "Start");
    if (ballast > 0)
        AddText(*AddList(*group, "003", 4), 9, 0, std::string(ballast, 'b'));
    return group;
}

std::unique_ptr<CStepChainGroup> AlmostFullOfLists()
{
    auto group = SmallGroup(0);
    for (int i = 0; group->GetCount() < 254; ++i)
        AddList(*group, std::to_string(100 + i), 4);
    return group;
}

// Building the groups text by text for every input would take most of the
// time; reading them from their file images is quick.
const std::vector<std::uint8_t>& Image(std::unique_ptr<CStepChainGroup> (*build)())
{
    static std::map<void*, std::vector<std::uint8_t>> images;
    auto& image = images[reinterpret_cast<void*>(build)];
    if (image.empty()) {
        CMemFile file;
        build()->WriteImage(file);
        image = file.GetImage();
    }
    return image;
}

std::unique_ptr<CStepChainGroup> Fresh(std::unique_ptr<CStepChainGroup> (*build)())
{
    const auto& image = Image(build);
    auto group = NewGroup();
    ReadGroup(*group, image.data(), image.size());
    return group;
}

std::unique_ptr<CStepChainGroup> Small() { return SmallGroup(0); }
std::unique_ptr<CStepChainGroup> Full() { return SmallGroup(65000); }
std::unique_ptr<CStepChainGroup> NearlyFull() { return SmallGroup(65300); }

void Check(bool condition, const char* what)
{
    if (condition)
        return;
    std::fprintf(stderr, "failed: %s\n", what);
    std::abort();
}

// A text as reading gives it back; long ones (the ballast) by length only.
std::string Shown(const CStepChainText& text)
{
    const std::string& shown = text.GetText();
    // Only references and control bytes read back otherwise; the ballast
    // has neither and is not copied.
    const bool plain = shown.find_first_of(std::string_view("@\x1B", 2)) == std::string::npos;
    if (plain && shown.size() > 256)
        return std::to_string(shown.size());
    const std::string back = plain ? shown : record::DecodeReferences(record::EncodeReferences(shown));
    return back.size() > 256 ? std::to_string(back.size()) : back;
}

// What the file keeps of the group: designations without trailing white
// space, texts with their references as reading gives them back.
std::string Describe(const CStepChainGroup& group)
{
    std::string text = group.GetGroupId() + "|" + record::TrimRight(group.GetName()) + "\n";
    for (int i = 0; i < group.GetCount(); ++i) {
        const CStepChainList* list = group.GetList(i);
        text += list->GetListId() + "|" + std::to_string(list->GetKind()) + "|" + record::TrimRight(list->GetName())
            + "\n";
        for (int j = 0; j < list->GetCount(); ++j) {
            const CStepChainText* t = list->GetText(j);
            text += std::to_string(t->GetNumber()) + " " + t->GetOperandName() + " "
                + std::to_string(t->GetAttribute1()) + "/" + std::to_string(t->GetAttribute2()) + "|"
                + Shown(*t) + "\n";
        }
    }
    return text;
}

// The group as its file holds it.
std::string SavedAndRead(const CStepChainGroup& group)
{
    CMemFile file;
    try {
        group.WriteImage(file);
    } catch (const CFileException&) {
        Check(false, "the group can be written");
    }
    auto again = NewGroup();
    Check(ReadGroup(*again, file.GetImage().data(), file.GetLength()), "the written file reads");
    return Describe(*again);
}

void PasteInto(CStepChainGroup& group, CDataList& target, std::span<const std::uint8_t> block, CountingSink& sink)
{
    const std::string before = Describe(group);
    const bool wellFormed = CClipboardBlock::Check(target, block);
    sink.count = 0;
    CClipboardBlock::Paste(target, block, 0);
    if (!wellFormed) {
        Check(sink.count == 1, "a malformed block is reported once");
        Check(Describe(group) == before, "a malformed block changes nothing");
        return;
    }
    Check(static_cast<std::size_t>(group.GetCount()) <= CStepChainGroup::kMaxLists, "at most 255 lists");
    Check(group.ComputeSize() <= CStepChainGroup::kMaxFileSize, "at most 65535 bytes");
    // A paste leaves texts sorted and numbered, as reading gives them.
    Check(SavedAndRead(group) == Describe(group), "the file holds what was pasted");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CountingSink sink;
    CErrorMessage::SetSink(&sink);
    const std::span<const std::uint8_t> block(data, size);

    auto group = Fresh(Small);
    PasteInto(*group, *group, block, sink);
    auto full = Fresh(Full);
    PasteInto(*full, *full, block, sink);
    auto crowded = Fresh(AlmostFullOfLists);
    PasteInto(*crowded, *crowded, block, sink);

    auto lists = Fresh(Small);
    PasteInto(*lists, *lists->GetList(0), block, sink);
    PasteInto(*lists, *lists->GetList(1), block, sink);
    auto nearlyFull = Fresh(NearlyFull);
    PasteInto(*nearlyFull, *nearlyFull->GetList(1), block, sink);

    CErrorMessage::SetSink(nullptr);
    return 0;
}
