// The check of the tool's own post-analysis settings before a run.
#include "ToolSettingsCheck.h"

#include "RulesMessages.h"
#include "SuppressionDriverMessages.h"

#include "PostAnalysisAssertion.h"
#include "PostAnalysisEntry.h"
#include "U_Exception.h"
#include "postanalysis.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <set>
#include <vector>

namespace {

const std::vector<std::string>& knownKeys()
{
    static const std::vector<std::string> keys(std::begin(rulesmessages::kToolKeys), std::end(rulesmessages::kToolKeys));
    return keys;
}

std::string knownKeyList()
{
    std::string list;
    for (const std::string& key : knownKeys())
        list += (list.empty() ? "" : ", ") + key;
    return list;
}

// Lower-case letters and digits only: "Dry_Run", "dry-run" and "dryrun" read alike.
std::string folded(const std::string& key)
{
    std::string letters;
    for (const char c : key)
        if (std::isalnum(static_cast<unsigned char>(c)))
            letters += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return letters;
}

std::size_t editDistance(const std::string& a, const std::string& b)
{
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

} // namespace

bool nearMissOfToolName(const std::string& option, std::string& tool, std::string& entry)
{
    const std::string name = rulesmessages::kToolName;
    const std::size_t colon = option.find(':');
    if (colon == std::string::npos || colon == 0)
        return false;
    const bool twoColons = option.compare(colon, 2, "::") == 0;
    tool = option.substr(0, colon);
    entry = option.substr(colon + (twoColons ? 2 : 1));
    if (entry.empty() || (twoColons && tool == name))
        return false;
    std::string lower;
    for (const char c : tool)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower == name || editDistance(lower, name) <= 2;
}

bool looksLikeDryRunKey(const std::string& key)
{
    const std::string letters = folded(key);
    return letters.find("dry") != std::string::npos || editDistance(letters, "dryrun") <= 2;
}

void checkToolSettings(std::ostream& warnings)
{
    PostAnalysisOptionStore& store = PostAnalysisOptionStore::instance();
    std::vector<std::pair<std::string, std::string>> adopted;
    for (const std::string& option : store.givenOptions()) {
        std::string tool;
        std::string entry;
        if (!nearMissOfToolName(option, tool, entry))
            continue;
        warnings << drivermsg::kNearMissHead << option << drivermsg::kNearMissNames << tool << drivermsg::kNearMissTaken
                 << rulesmessages::kToolName << "::" << entry << drivermsg::kNearMissTail;
        warnings.flush();
        adopted.emplace_back(rulesmessages::kToolName, entry);
    }
    store.adopt(std::move(adopted));
    const std::vector<std::string> entries = store.entries(rulesmessages::kToolName);
    std::set<std::string> asked; // the first entry of a known key is the one the run asks for
    std::string refused;
    for (const std::string& entry : entries) {
        const std::string key = entryKey(entry.c_str());
        const auto& known = knownKeys();
        if (std::find(known.begin(), known.end(), key) != known.end()) {
            if (asked.insert(key).second && !entryHasValue(entry.c_str()))
                postAnalysisSettingLacksValue(rulesmessages::kToolName, entry.c_str());
            continue;
        }
        warnings << drivermsg::kUnknownSettingHead << rulesmessages::kToolName << "::" << entry
                 << drivermsg::kUnknownSettingTail << knownKeyList() << ".\n";
        warnings.flush();
        if (refused.empty() && looksLikeDryRunKey(key))
            refused = std::string(rulesmessages::kToolName) + "::" + entry;
    }
    if (!refused.empty())
        throw C_ConfigurationException(drivermsg::kDryRunLookalikeHead + refused + drivermsg::kDryRunLookalikeTail);
}
