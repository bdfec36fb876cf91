// Messages through a replaceable sink, and the fatal stop with its test hook.
#include "MessageSink.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace conf {

namespace {

WarningSink& sink()
{
    static WarningSink s;
    return s;
}

ExitHook& exitHook()
{
    static ExitHook h;
    return h;
}

} // namespace

void showWarning(const std::string& text)
{
    if (sink()) {
        sink()(text);
        return;
    }
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
}

WarningSink setWarningSink(WarningSink newSink)
{
    return std::exchange(sink(), std::move(newSink));
}

void endWithStatus(int code)
{
    if (exitHook())
        exitHook()(code);
    std::exit(code);
}

ExitHook setExitHook(ExitHook hook)
{
    return std::exchange(exitHook(), std::move(hook));
}

} // namespace conf
