// The post-analysis option store and the lookup of a tool's option.
#include "postanalysis.h"

#include "PostAnalysisAssertion.h"
#include "PostAnalysisEntry.h"

#include "C_CmdArgs.h"
#include "C_Options.h"

#include <cstring>

namespace {

// Reads the "prodoption" values and the "always-first" keyword of the current command line.
PostAnalysisSettings currentSettings();

} // namespace

const char* PostAnalysisOptionStore::intern(const std::string& text)
{
    return strings_.insert(text).first->c_str();
}

void PostAnalysisOptionStore::build()
{
    entries_.clear();
    const PostAnalysisSettings settings = source_();
    for (const std::string& option : settings.prodOptions) {
        const auto separator = option.find("::");
        if (separator == std::string::npos || separator + 2 == option.size())
            continue;
        const char* tool = intern(option.substr(0, separator));
        const char* entry = intern(option.substr(separator + 2));
        entries_.emplace(tool, entry); // after the tool's earlier entries: option order is kept
    }
    for (const auto& [tool, entry] : adopted_)
        entries_.emplace(intern(tool), intern(entry));
    built_ = true;
    rebuildNext_ = settings.alwaysFirst;
}

void PostAnalysisOptionStore::adopt(std::vector<std::pair<std::string, std::string>> entries)
{
    adopted_ = std::move(entries);
    built_ = false;
}

int PostAnalysisOptionStore::getFirstOption(const char* tool)
{
    if (tool == nullptr)
        postAnalysisAssertionFailed("postanalysis", 194,
                                    "0 != value && \"Do not call getFirstOption with a null option\"");
    if (!built_ || rebuildNext_)
        build();
    const auto range = entries_.equal_range(intern(tool));
    return iterators_.add(range.first, range.second);
}

bool PostAnalysisOptionStore::atEnd(int id) const
{
    return iterators_.atEnd(id);
}

const char* PostAnalysisOptionStore::value(int id) const
{
    const auto current = iterators_.current(id);
    if (iterators_.atEnd(id))
        return nullptr;
    return current->second;
}

bool PostAnalysisOptionStore::next(int id)
{
    return iterators_.next(id);
}

bool PostAnalysisOptionStore::find(const char* tool, const std::string& name, std::string& value)
{
    const int id = getFirstOption(tool);
    while (!atEnd(id)) {
        const char* entry = this->value(id);
        if (entryKey(entry) == name) {
            if (!entryHasValue(entry))
                postAnalysisSettingLacksValue(tool, entry);
            value = entryValue(entry);
            return true;
        }
        next(id);
    }
    return false;
}

std::vector<std::string> PostAnalysisOptionStore::entries(const char* tool)
{
    std::vector<std::string> all;
    const int id = getFirstOption(tool);
    while (!atEnd(id)) {
        all.emplace_back(value(id));
        next(id);
    }
    return all;
}

PostAnalysisOptionStore& PostAnalysisOptionStore::instance()
{
    static PostAnalysisOptionStore store(currentSettings);
    return store;
}

bool findPostAnalysisOption(const std::string& tool, const std::string& name, std::string& value)
{
    return PostAnalysisOptionStore::instance().find(tool.c_str(), name, value);
}

std::string postAnalysisOption(const std::string& tool, const std::string& name, const std::string& defaultValue)
{
    std::string value;
    return findPostAnalysisOption(tool, name, value) ? value : defaultValue;
}

namespace {

PostAnalysisSettings currentSettings()
{
    PostAnalysisSettings settings;
    const U_Handle<C_CmdArgs> args = C_CmdArgs::current();
    if (!args || !args->options())
        return settings;
    settings.prodOptions = args->options()->prodoption().value();
    settings.alwaysFirst = args->options()->hasDebugKeyword("always-first");
    return settings;
}

} // namespace
