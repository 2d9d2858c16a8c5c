#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class COutputBuffer;

// Writes JSON as it goes, without building a document first, in the
// compact form all output of morawin-cli has always had (no spaces,
// non-ASCII text as UTF-8, control characters escaped as \b or \u001f).
// Commas and colons come by themselves; the caller only has to nest
// correctly.
//
//     json.BeginObject().Key("id").String("S01").Key("n").Number(3).EndObject();
class CJsonWriter {
public:
    enum class Layout {
        compact,
        // "[" newline, one element per line separated by ",", newline "]";
        // an empty array stays "[]".
        elementPerLine,
    };

    // A member name, quoted and escaped once; for names written over and
    // over again, such as those of a million array elements.
    class Name {
    public:
        explicit Name(std::string_view name);
        const std::string& Quoted() const { return m_quoted; }

    private:
        std::string m_quoted;
    };

    explicit CJsonWriter(COutputBuffer& out) : m_out(out) {}

    // A small document built in memory, for a line that goes to a stream
    // between other output.
    static std::string Document(const std::function<void(CJsonWriter&)>& write);

    CJsonWriter& BeginObject();
    CJsonWriter& EndObject();
    CJsonWriter& BeginArray(Layout layout = Layout::compact);
    CJsonWriter& EndArray();
    CJsonWriter& Key(std::string_view name);
    CJsonWriter& Key(const Name& name);
    // A text that is UTF-8 already (keys are ASCII); malformed UTF-8 is
    // replaced by U+FFFD, once for each broken sequence and once for each
    // byte that cannot begin one.
    CJsonWriter& String(std::string_view utf8);
    // A text of the model (Windows-1252 bytes).
    CJsonWriter& Cp1252String(std::string_view text);
    CJsonWriter& Number(std::int64_t value);
    CJsonWriter& Bool(bool value);
    CJsonWriter& Null();

    // Nothing is open any more: the document is complete.
    bool Complete() const { return m_levels.empty() && m_started; }

private:
    struct Level {
        bool isArray;
        Layout layout;
        bool empty;
    };

    // The separator a value needs where it stands.
    void BeforeValue();
    void BeforeKey();
    void Raw(std::string_view text);
    // Windows-1252 bytes as a quoted, escaped JSON string.
    void Quoted(std::string_view text);

    COutputBuffer& m_out;
    std::vector<Level> m_levels;
    bool m_afterKey = false;
    bool m_started = false;
};
