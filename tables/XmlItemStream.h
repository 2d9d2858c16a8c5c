#pragma once

#include <pugixml.hpp>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CPartStream;

// The items of one element of a large XML part, read piece by piece: the
// children named `item` of the element that `path` leads to from the
// document (at each step the first child of that name, as the workbook
// looks its elements up), handed out from batches of whole items that
// pugixml parses. Neither the whole text nor its whole tree is ever held.
// Names are compared without their namespace prefix. The rest of the text
// is checked as pugixml checks a document, so that a damaged part is
// refused wherever the damage is.
class CXmlItemStream {
public:
    // Bytes of items parsed at a time, and how deep elements may nest.
    static constexpr std::size_t kBatchSize = 256u << 10;
    static constexpr std::size_t kMaxDepth = 1000;

    CXmlItemStream(CPartStream& part, std::vector<std::string> path, std::string item);

    // The next item, valid until the next call; an empty node after the
    // last, once the whole part is read. Throws CTableError for a part
    // that is no XML or is damaged.
    pugi::xml_node Next();

private:
    bool NextBatch();
    bool Step();
    bool Text();
    bool StartTag();
    bool Attributes(std::size_t from, std::size_t& end, bool& closed);
    bool EndTag();
    bool Exclamation();
    bool Instruction();
    bool Doctype();
    bool DoctypeIgnore(std::size_t& pos);
    bool DoctypePrimitive(std::size_t& pos);
    bool SkipTo(std::string_view terminator, pugi::xml_parse_status status);
    void Open(std::string_view name, std::size_t start);
    void Close(std::size_t end);
    void Finish();
    void Refill();
    void ReadWhole();
    [[noreturn]] void Fail(pugi::xml_parse_status status) const;
    bool Incomplete(pugi::xml_parse_status status) const;

    CPartStream& m_part;
    std::vector<std::string> m_path;
    std::string m_item;
    pugi::xml_encoding m_encoding = pugi::encoding_utf8;

    // The text read so far and not yet let go; lexing goes on at m_pos.
    std::string m_buffer;
    std::size_t m_pos = 0;
    bool m_atEnd = false;
    // Whether text other than spaces inside an element came last.
    bool m_afterText = false;
    // A comment, CDATA section or instruction being skipped: its end.
    std::string_view m_skipEnd;
    pugi::xml_parse_status m_skipStatus = pugi::status_ok;

    // The qualified names of the open elements; how many of them are the
    // elements of the path; whether the path's elements are done with.
    std::vector<std::string> m_open;
    std::size_t m_matched = 0;
    bool m_pathClosed = false;
    bool m_sawElement = false;

    // The batch being put together (start and end in m_buffer), and the
    // one handed out.
    static constexpr std::size_t kNone = ~std::size_t(0);
    std::size_t m_batchStart = kNone;
    std::size_t m_batchEnd = kNone;
    bool m_batchDone = false;
    pugi::xml_document m_batch;
    pugi::xml_node m_next;
    bool m_finished = false;
};
