#pragma once

#include "gui/MessageBox.h"
#include "data/text/MessageSink.h"

// Shows the program's messages in message boxes: errors with the stop icon,
// information with the information icon, titled with the program's name.
// While it lives every message box of the program is shown as the
// program's own, with German buttons.
class CWxMessageSink : public IMessageSink {
public:
    void ShowMessage(const std::string& text, MessageKind kind) override;

private:
    CMessageBoxHook m_boxes;
};
