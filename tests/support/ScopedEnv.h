// Environment variables set (or removed) for the life of an object and restored when it goes.
#pragma once

#include "TestSupport.h"

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

namespace testsupport {

// Every variable keeps the value it had before the first change made through the object; a
// variable that was not set before is removed again.
class ScopedEnv {
public:
    ScopedEnv() = default;
    // One variable; nullptr removes it.
    ScopedEnv(const char* name, const char* value)
    {
        set(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
    // Several variables; std::nullopt removes one.
    explicit ScopedEnv(const std::map<std::string, std::optional<std::string>>& values)
    {
        for (const auto& [name, value] : values)
            set(name, value);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;
    ~ScopedEnv()
    {
        for (const auto& [name, value] : saved_)
            setEnvironment(name, value);
    }

    void set(const std::string& name, const std::optional<std::string>& value)
    {
        if (!saved_.count(name)) {
            const char* old = std::getenv(name.c_str());
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        setEnvironment(name, value);
    }

private:
    std::map<std::string, std::optional<std::string>> saved_;
};

} // namespace testsupport
