#include "data/text/MessageSink.h"

#include "data/text/Charset.h"

#include <iostream>

void CStderrMessageSink::ShowMessage(const std::string& text, MessageKind)
{
    std::cerr << Lines(text);
}

std::string CStderrMessageSink::Lines(const std::string& text)
{
    // A message box breaks its lines at "\r\n", "\n" or a lone "\r"; a
    // terminal shows only "\n" as a break, and the blank before a break
    // would end the line.
    std::string lines;
    std::string line;
    const auto end = [&] {
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        lines += charset::Cp1252ToUtf8(line) + '\n';
        line.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            end();
        } else {
            line += text[i];
        }
    }
    end();
    return lines;
}
