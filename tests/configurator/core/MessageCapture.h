// Captures the configurator's messages and turns its fatal stop into an exception, for tests.
#pragma once

#include <string>
#include <vector>

#include "MessageSink.h"

namespace conftest {

// Thrown by the exit hook instead of ending the process.
struct ProcessEnded {
    int code;
};

// While alive, every showWarning text is recorded and endWithStatus throws ProcessEnded.
class MessageCapture {
public:
    MessageCapture();
    ~MessageCapture();
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;

    const std::vector<std::string>& messages() const { return messages_; }
    // The last message, or "" when none was shown.
    std::string last() const { return messages_.empty() ? std::string() : messages_.back(); }

private:
    std::vector<std::string> messages_;
    conf::WarningSink previousSink_;
    conf::ExitHook previousHook_;
};

} // namespace conftest
