#pragma once

#include <string>
#include <vector>

#include "messagesink.h"

// Collects the library's message boxes on the test's thread for as long as it lives, then puts the
// sink back to standard error.
class CMessageCapture
{
public:
    CMessageCapture()
    {
        kplatform::SetMessageMode(kplatform::MessageMode::Handler);
        kplatform::SetMessageHandler([this](const kplatform::Message& m) { m_messages.push_back(m); }, [] {});
    }
    ~CMessageCapture()
    {
        kplatform::ClearMessageHandler();
        kplatform::SetMessageMode(kplatform::MessageMode::Stderr);
    }
    CMessageCapture(const CMessageCapture&) = delete;
    CMessageCapture& operator=(const CMessageCapture&) = delete;

    const std::vector<kplatform::Message>& Messages() const { return m_messages; }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const auto& m : m_messages)
            texts.push_back(m.text);
        return texts;
    }
    void Clear() { m_messages.clear(); }

private:
    std::vector<kplatform::Message> m_messages;
};
