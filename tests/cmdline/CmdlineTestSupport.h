// Helpers of the command-line tests: running in a directory, setting options from argument texts, messages.
#pragma once

#include "C_AliasTable.h"
#include "C_OptionBase.h"
#include "C_Options.h"

#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>

#include <unistd.h>

namespace cmdtest {

// Runs in a directory and returns to the previous one.
class InDirectory {
public:
    explicit InDirectory(const std::string& path)
    {
        char buffer[4096];
        previous_ = getcwd(buffer, sizeof buffer) ? buffer : "/";
        if (chdir(path.c_str()) != 0)
            throw std::runtime_error("cannot enter " + path);
    }
    InDirectory(const InDirectory&) = delete;
    InDirectory& operator=(const InDirectory&) = delete;
    ~InDirectory() { (void)!chdir(previous_.c_str()); }

private:
    std::string previous_;
};

// Sets one option from an argument such as "-help+" the way the argument loop does, with the
// following argument (if any) as the stream of a value that is not attached.
inline C_OptionBase& applyArgument(C_Options& options, const std::string& argument,
                                   const std::string& following = {})
{
    const C_OptionMatch match = findOption(options, argument.substr(1));
    if (!match)
        throw std::runtime_error("no option for " + argument);
    const std::string rest = argument.substr(1 + match.length);
    if (rest.empty()) {
        std::istringstream next(following.empty() ? std::string() : following + "\n");
        match.option->setFrom(next, false);
    } else {
        std::istringstream attached(rest);
        match.option->setFrom(attached, true);
    }
    return *match.option;
}

// The message of the `Exception` the action throws, or "(no exception)" when it returns.
template <class Exception>
std::string messageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Exception& e) {
        return e.what();
    }
    return "(no exception)";
}

} // namespace cmdtest
