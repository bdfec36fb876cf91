// Helpers of the error-file tests: options of the current run, byte strings and locations.
#pragma once

#include "C_CmdArgs.h"
#include "C_Options.h"
#include "R_BinaryWriter.h"
#include "U_LocationData.h"

#include <sstream>
#include <string>
#include <vector>

namespace anltest {

// A command line made current for the test's lifetime; options are set as attached values, the
// way "-name<value>" sets them.
class CurrentOptions {
public:
    CurrentOptions() : args_(new C_CmdArgs("VELCPP", std::vector<std::string>{})) { apply(); }
    ~CurrentOptions() { C_CmdArgs::clearCurrent(); }
    CurrentOptions(const CurrentOptions&) = delete;
    CurrentOptions& operator=(const CurrentOptions&) = delete;

    C_Options& options() { return *args_->options(); }
    CurrentOptions& set(C_OptionBase& option, const std::string& value)
    {
        std::istringstream in(value);
        option.setFrom(in, true);
        apply();
        return *this;
    }
    CurrentOptions& debug(const std::string& word) { return set(options().debug(), word); }

private:
    void apply() { args_->makeCurrent(); }
    U_Handle<C_CmdArgs> args_;
};

// Little-endian bytes: words, strings, raw bytes.
inline std::string word(std::int32_t value)
{
    R_BinaryWriter out;
    out.word(value);
    return out.bytes();
}

inline std::string str(const std::string& text)
{
    return word(static_cast<std::int32_t>(text.size())) + text;
}

inline std::string bytes(std::initializer_list<int> values)
{
    std::string out;
    for (int v : values)
        out += static_cast<char>(v);
    return out;
}

inline std::string header(std::int32_t id = 0x9300, std::int32_t value = 0)
{
    return word(id) + word(value);
}

inline U_Location loc(const std::string& path, std::int32_t line, std::int32_t column)
{
    return U_LocationData::create(U_Filename(path, path), line, column);
}

} // namespace anltest
