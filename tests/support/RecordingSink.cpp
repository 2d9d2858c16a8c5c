#include "tests/support/RecordingSink.h"

#include "data/text/ErrorMessage.h"

RecordingSink::RecordingSink()
{
    CErrorMessage::SetSink(this);
}

RecordingSink::~RecordingSink()
{
    CErrorMessage::SetSink(nullptr);
}

void RecordingSink::ShowMessage(const std::string& text, MessageKind kind)
{
    messages.push_back({text, kind});
}
