// Message capture and exit interception for configurator tests.
#include "MessageCapture.h"

namespace conftest {

MessageCapture::MessageCapture()
{
    previousSink_ = conf::setWarningSink([this](const std::string& text) { messages_.push_back(text); });
    previousHook_ = conf::setExitHook([](int code) { throw ProcessEnded{code}; });
}

MessageCapture::~MessageCapture()
{
    conf::setWarningSink(previousSink_);
    conf::setExitHook(previousHook_);
}

} // namespace conftest
