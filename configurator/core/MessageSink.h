// The configurator's one way of showing messages, and its fatal stop.
#pragma once

#include <functional>
#include <string>

namespace conf {

using WarningSink = std::function<void(const std::string& text)>;
using ExitHook = std::function<void(int code)>;

// Shows a message through the installed sink and returns when it has been acknowledged.
// Without a sink the text and a line end go to standard error.
void showWarning(const std::string& text);

// Installs the sink (the wizard: a modal warning box; tests: a capture). Answers the previous one.
WarningSink setWarningSink(WarningSink sink);

// Ends the process at once with `code` (0: installation missing, 10: file, path or version error).
// An installed exit hook runs first; a hook may throw to unwind instead (tests only).
[[noreturn]] void endWithStatus(int code);

// Installs a hook run by endWithStatus before the process ends. Answers the previous one.
ExitHook setExitHook(ExitHook hook);

} // namespace conf
