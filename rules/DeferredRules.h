// A reading of a rules file taken from its digest: rules are parsed and compiled as numbers need them.
#pragma once

#include "RuleSet.h"
#include "RulePattern.h"
#include "RulesDigest.h"
#include "RulesDigestStore.h"
#include "TextLineReader.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace deferredrules {

template <class Rule, class = void>
struct HasPosition : std::false_type {};
template <class Rule>
struct HasPosition<Rule, std::void_t<decltype(std::declval<Rule>().position)>> : std::true_type {};

// The position a digest gives the rule: a parameter rule's own, 0 for a message rule.
template <class Rule>
std::int32_t positionOf(const Rule& rule)
{
    if constexpr (HasPosition<Rule>::value)
        return rule.position;
    else
        return 0;
}

} // namespace deferredrules

template <class Rule>
class DeferredRules {
public:
    // The source holds the rules file's path and unusable lines; the bytes (the rules file's, as the
    // digest holds them) and the groups are the digest's, loaded as the kind.
    DeferredRules(RulesKind kind, RulesFileSource source, std::string_view bytes, RulesDigestGroupTable groups)
        : kind_(kind), source_(std::move(source)), bytes_(bytes), groups_(groups)
    {
        for (std::size_t i = 0; i < groups_.size(); ++i)
            numbers_.add(groups_.numberAt(i));
    }
    DeferredRules(const DeferredRules&) = delete;
    DeferredRules& operator=(const DeferredRules&) = delete;

    const RulesFileSource& source() const { return source_; }
    // The rules file's bytes, valid until the kind's next digest load.
    std::string_view bytes() const { return bytes_; }
    // Whether a message number has rules.
    const MessageNumberSet& numbers() const { return numbers_; }

    // A rule set holding every rule of the numbers (sorted, without repeats) and of the numbers
    // asked for before; for those numbers it matches as the complete reading would. Each rule is
    // parsed again from its line with parse(line, rule, report), which takes its compiled pattern
    // from the group or compiles it. Null when a group cannot be read unchanged, or a line does not
    // give a usable rule with the number, position and pattern that the digest says: nothing taken
    // from the digest may be used then. The set's source holds the path only.
    template <class Parse>
    SharedRuleSet<Rule> select(const std::vector<std::int32_t>& numbers, const Parse& parse)
    {
        std::vector<std::int32_t> wanted;
        std::set_union(selectedNumbers_.begin(), selectedNumbers_.end(), numbers.begin(), numbers.end(),
                       std::back_inserter(wanted));
        if (selection_ && wanted.size() == selectedNumbers_.size())
            return selection_;

        std::vector<RulesDigestGroup> groups;
        groups.reserve(wanted.size());
        for (const std::int32_t number : wanted) {
            RulesDigestGroup group;
            if (groups_.find(number, group))
                groups.push_back(group);
        }
        std::vector<std::string_view> data;
        std::vector<Rule> rules;
        std::size_t count = 0;
        std::size_t bytes = 0;
        std::size_t fresh = 0;
        for (const RulesDigestGroup& group : groups) {
            count += group.count;
            // The groups of numbers selected before were decoded then.
            if (!std::binary_search(selectedNumbers_.begin(), selectedNumbers_.end(), group.messageNumber)) {
                bytes += group.size;
                fresh += group.count;
            }
        }
        // Each rule takes a line of the file: counts beyond its size are a damaged digest's, which
        // parsing the groups will find.
        rules.reserve(std::min(count, bytes_.size()));
        RulePattern::expectOffers(bytes, std::min(fresh, bytes_.size()));
        bool fits = RulesDigestStore::loadGroups(kind_, groups, data);
        for (std::size_t i = 0; fits && i < groups.size(); ++i)
            fits = parseGroup(groups[i], data[i], parse, rules);
        if (!fits) {
            RulePattern::forgetCompiled();
            return nullptr;
        }
        // The groups come by number, each in file order: matching order for the set, then sorted by line.
        std::vector<Rule> byNumber = rules;
        std::sort(rules.begin(), rules.end(), [](const Rule& a, const Rule& b) { return a.line < b.line; });
        RulesFileSource source;
        source.path = source_.path;
        selection_ = std::make_shared<const RuleSet<Rule>>(std::move(rules), std::move(byNumber), std::move(source));
        selectedNumbers_ = std::move(wanted);
        return selection_;
    }

private:
    // Parses the rules of the group from its bytes into the list, with the group's compiled
    // patterns offered to the parsing; false when the digest does not fit the file.
    template <class Parse>
    bool parseGroup(const RulesDigestGroup& group, std::string_view data, const Parse& parse, std::vector<Rule>& rules)
    {
        std::vector<RulesDigestRule> entries;
        std::string_view serialised;
        if (!decodeRulesDigestGroup(data, group, bytes_.size(), entries, serialised))
            return false;
        if (!serialised.empty()) {
            std::vector<std::string_view> texts;
            texts.reserve(entries.size());
            for (const RulesDigestRule& entry : entries)
                texts.push_back(lineFrom(entry.patternOffset));
            RulePattern::offer(serialised, texts);
        }
        for (const RulesDigestRule& entry : entries) {
            Rule rule;
            if (!parseAt(entry, parse, rule))
                return false;
            rules.push_back(std::move(rule));
        }
        RulePattern::withdrawOffers();
        return true;
    }

    // The text from the offset to the end of its line, read as a reading reads it: up to the LF, a
    // CR before the LF dropped. It lies in the source's bytes.
    std::string_view lineFrom(std::size_t offset) const
    {
        const std::string_view bytes = bytes_;
        const std::size_t lf = bytes.find('\n', offset);
        std::string_view text = lf == std::string_view::npos ? bytes.substr(offset) : bytes.substr(offset, lf - offset);
        if (lf != std::string_view::npos && !text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        return text;
    }

    // The rule of the line that starts at the entry's offset.
    template <class Parse>
    bool parseAt(const RulesDigestRule& digested, const Parse& parse, Rule& rule) const
    {
        const std::string_view bytes = bytes_;
        const std::size_t start = TextLineReader::textStart(bytes);
        if (digested.offset >= bytes.size() || digested.offset < start ||
            (digested.offset > start && bytes[digested.offset - 1] != '\n'))
            return false;
        const std::string line(lineFrom(digested.offset));
        bool reported = false;
        auto report = [&reported](const char*, const std::string&) { reported = true; };
        if (!parse(line, rule, report) || reported)
            return false;
        rule.line = digested.line;
        return rule.messageNumber == digested.messageNumber &&
               deferredrules::positionOf(rule) == digested.position && digested.patternOffset > digested.offset &&
               digested.patternOffset - digested.offset == line.size() - rule.pattern.size();
    }

    RulesKind kind_;
    RulesFileSource source_;
    std::string_view bytes_; // the digest's copy, valid until the kind's next load
    RulesDigestGroupTable groups_; // the digest's, valid until the kind's next load
    MessageNumberSet numbers_;
    std::vector<std::int32_t> selectedNumbers_; // sorted
    SharedRuleSet<Rule> selection_;
};

// A reading of a rules file: complete (every rule parsed and compiled), or deferred (taken from a
// digest). Exactly one of the two is set.
template <class Rule>
struct RuleReading {
    SharedRuleSet<Rule> complete;
    std::shared_ptr<DeferredRules<Rule>> deferred;
};
