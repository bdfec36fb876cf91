// The process-wide store of post-analysis options: the values of "prodoption", written
// <tool>::<entry>, grouped by tool and walked through recyclable iterator ids.
#pragma once

#include <functional>
#include <utility>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "IterCont.h"

// What the store is built from: the "prodoption" values in order, and whether "always-first" is
// among the "debug" keywords (then the store is built afresh at every walk).
struct PostAnalysisSettings {
    std::vector<std::string> prodOptions;
    bool alwaysFirst = false;
};

class PostAnalysisOptionStore {
public:
    using Source = std::function<PostAnalysisSettings()>;

    explicit PostAnalysisOptionStore(Source source) : source_(std::move(source)) {}

    // An iterator id over the entries of the tool (already at end when it has none). A null tool
    // name is an assertion.
    int getFirstOption(const char* tool);
    bool atEnd(int id) const;
    // The current entry's text, or null at end.
    const char* value(int id) const;
    // Advances; true when the end is now reached, and then the id is released.
    bool next(int id);

    // Walks the tool's entries; on the first whose key equals the name sets the value from it and
    // answers true.
    bool find(const char* tool, const std::string& name, std::string& value);

    // The tool's entries, in option order.
    std::vector<std::string> entries(const char* tool);

    // The "prodoption" values as given, whatever their form.
    std::vector<std::string> givenOptions() const { return source_().prodOptions; }
    // Files the entries (tool, entry) as if they had been given so, after the tools' own entries (a
    // tool takes an entry written under a misspelling of its name); replaces those adopted before.
    void adopt(std::vector<std::pair<std::string, std::string>> entries);

    // The interned copy of the text: the same pointer for byte-wise equal texts.
    const char* intern(const std::string& text);

    // The store of the current command line.
    static PostAnalysisOptionStore& instance();

private:
    using Entries = std::multimap<const char*, const char*>;

    void build();

    Source source_;
    std::vector<std::pair<std::string, std::string>> adopted_; // tool, entry
    std::set<std::string> strings_;
    Entries entries_;
    IterCont<Entries::const_iterator> iterators_;
    bool built_ = false;
    bool rebuildNext_ = false;
};

// Walks the tool's entries in order; on the first whose key equals the name (case-sensitive) sets
// the value from it and answers true. A matching entry without a blank or "=" separator is an
// assertion, reported with a sentence that names the setting.
bool findPostAnalysisOption(const std::string& tool, const std::string& name, std::string& value);

// The value of the tool's option of the name, or the default when it has none.
std::string postAnalysisOption(const std::string& tool, const std::string& name, const std::string& defaultValue);
