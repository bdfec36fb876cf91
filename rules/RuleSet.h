// The rules of one reading of a rules file, in file order and sorted for matching.
#pragma once

#include "RuleIndex.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A line of a rules file that cannot be used, with the reason it was reported for (one of the
// texts of RulesMessages.h, e.g. " regex compilation error for line: ").
struct UnusableRuleLine {
    std::int32_t line = 0;   // 1-based, counting every line of the file
    const char* reason = ""; // the reported text
    std::string text;        // the line as read
    std::string pattern;     // the pattern, when it is one that does not compile
};

// The reading a rule set came from: the file's path and bytes, and its lines that cannot be used.
// The bytes let later readings of the same file reuse the set, and give a report the file's hash.
struct RulesFileSource {
    std::string path;
    std::string bytes;
    std::vector<UnusableRuleLine> unusable;
    bool unreadable = false; // the file could not be opened or read (a directory, say): no bytes, no rules
    // The SHA-256 of the bytes in hexadecimal, where the reading keeps what it learns between runs
    // (empty otherwise): what the answers of its rules are kept under.
    std::string contentId{};

    // Every line of the bytes as the reading saw it (text mode, a UTF-8 byte order mark skipped), line 1 first: the text of a rule
    // is found from its line number, so that a reading keeps no copy of it.
    std::vector<std::string> lines() const;
};

// Matching wants a file's rules sorted (stably, by Rule::orderedBefore) and indexed by message
// number. A reading of a rules file is reused for every processed source file while the file stays
// the same, so the sorting and the index are made once per reading and shared.
template <class Rule>
class RuleSet {
public:
    explicit RuleSet(std::vector<Rule> inFileOrder, RulesFileSource source = {})
        : inFileOrder_(std::move(inFileOrder)), sorted_(sortedCopy(inFileOrder_)), index_(sorted_),
          source_(std::move(source))
    {
    }
    // The same set from both orders: byNumber holds the same rules by ascending number, each
    // number's rules in file order (a digest's groups), so that matching order is usually there
    // without sorting.
    RuleSet(std::vector<Rule> inFileOrder, std::vector<Rule> byNumber, RulesFileSource source)
        : inFileOrder_(std::move(inFileOrder)),
          sorted_(inMatchingOrder(byNumber) ? std::move(byNumber) : sortedCopy(inFileOrder_)), index_(sorted_),
          source_(std::move(source))
    {
    }
    RuleSet(const RuleSet&) = delete;
    RuleSet& operator=(const RuleSet&) = delete;

    const std::vector<Rule>& inFileOrder() const { return inFileOrder_; }
    const std::vector<Rule>& sorted() const { return sorted_; }
    const RuleIndex<Rule>& index() const { return index_; }
    bool empty() const { return inFileOrder_.empty(); }
    // Empty for a set that was not read from a file.
    const RulesFileSource& source() const { return source_; }

private:
    static std::vector<Rule> sortedCopy(const std::vector<Rule>& rules)
    {
        std::vector<Rule> sorted = rules;
        if (!inMatchingOrder(sorted))
            std::stable_sort(sorted.begin(), sorted.end(), &Rule::orderedBefore);
        return sorted;
    }

    // Whether the rules are as a stable sort of them in file order leaves them: in matching order,
    // each tie by ascending line.
    static bool inMatchingOrder(const std::vector<Rule>& rules)
    {
        return std::is_sorted(rules.begin(), rules.end(), [](const Rule& a, const Rule& b) {
            return Rule::orderedBefore(a, b) || (!Rule::orderedBefore(b, a) && a.line < b.line);
        });
    }

    std::vector<Rule> inFileOrder_;
    std::vector<Rule> sorted_;
    RuleIndex<Rule> index_; // refers to sorted_, declared before it
    RulesFileSource source_;
};

template <class Rule>
using SharedRuleSet = std::shared_ptr<const RuleSet<Rule>>;
