// Helpers of the command-line tests: environment overrides and setting options from argument texts.
#pragma once

#include "C_AliasTable.h"
#include "C_OptionBase.h"
#include "C_Options.h"

#include <cstdlib>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>

#include <unistd.h>

namespace cmdtest {

// Sets (or unsets, for std::nullopt) environment variables and restores them when it goes.
class EnvOverride {
public:
    EnvOverride() = default;
    explicit EnvOverride(const std::map<std::string, std::optional<std::string>>& values)
    {
        for (const auto& [name, value] : values)
            set(name, value);
    }
    EnvOverride(const EnvOverride&) = delete;
    EnvOverride& operator=(const EnvOverride&) = delete;
    ~EnvOverride()
    {
        for (const auto& [name, value] : saved_) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
    }

    void set(const std::string& name, const std::optional<std::string>& value)
    {
        if (!saved_.count(name)) {
            const char* old = std::getenv(name.c_str());
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value)
            ::setenv(name.c_str(), value->c_str(), 1);
        else
            ::unsetenv(name.c_str());
    }

private:
    std::map<std::string, std::optional<std::string>> saved_;
};

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

} // namespace cmdtest
