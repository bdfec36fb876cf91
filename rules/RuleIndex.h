// The rules of each message number in a list sorted by number: where that number's rules start.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

// Maps every message number to the first rule with that number; the number's rules are that one
// and those after it while the number stays the same.
template <class Rule>
class RuleIndex {
public:
    explicit RuleIndex(const std::vector<Rule>& sortedRules) : rules_(sortedRules)
    {
        for (std::size_t i = 0; i < rules_.size(); ++i)
            first_.emplace(rules_[i].messageNumber, i); // keeps the first of each number
    }

    bool hasRules(std::int32_t messageNumber) const { return first_.count(messageNumber) != 0; }

    // Calls the function with each rule of the number in order until it answers true; answers
    // whether one did.
    template <class Function>
    bool anyOf(std::int32_t messageNumber, Function&& function) const
    {
        const auto found = first_.find(messageNumber);
        if (found == first_.end())
            return false;
        for (std::size_t i = found->second; i < rules_.size() && rules_[i].messageNumber == messageNumber; ++i)
            if (function(rules_[i]))
                return true;
        return false;
    }

private:
    const std::vector<Rule>& rules_;
    std::unordered_map<std::int32_t, std::size_t> first_;
};
