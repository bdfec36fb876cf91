// The rules of one reading of a rules file, in file order and sorted for matching.
#pragma once

#include "RuleIndex.h"

#include <algorithm>
#include <memory>
#include <vector>

// Matching wants a file's rules sorted (stably, by Rule::orderedBefore) and indexed by message
// number. A reading of a rules file is reused for every processed source file while the file stays
// the same, so the sorting and the index are made once per reading and shared.
template <class Rule>
class RuleSet {
public:
    explicit RuleSet(std::vector<Rule> inFileOrder)
        : inFileOrder_(std::move(inFileOrder)), sorted_(sortedCopy(inFileOrder_)), index_(sorted_)
    {
    }
    RuleSet(const RuleSet&) = delete;
    RuleSet& operator=(const RuleSet&) = delete;

    const std::vector<Rule>& inFileOrder() const { return inFileOrder_; }
    const std::vector<Rule>& sorted() const { return sorted_; }
    const RuleIndex<Rule>& index() const { return index_; }
    bool empty() const { return inFileOrder_.empty(); }

private:
    static std::vector<Rule> sortedCopy(const std::vector<Rule>& rules)
    {
        std::vector<Rule> sorted = rules;
        std::stable_sort(sorted.begin(), sorted.end(), &Rule::orderedBefore);
        return sorted;
    }

    std::vector<Rule> inFileOrder_;
    std::vector<Rule> sorted_;
    RuleIndex<Rule> index_; // refers to sorted_, declared before it
};

template <class Rule>
using SharedRuleSet = std::shared_ptr<const RuleSet<Rule>>;
