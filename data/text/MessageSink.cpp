#include "data/text/MessageSink.h"

#include "data/text/Charset.h"

#include <iostream>

void CStderrMessageSink::ShowMessage(const std::string& text, MessageKind)
{
    std::cerr << charset::Cp1252ToUtf8(text) << '\n';
}
