// The rules of each message number in a list sorted by number: where that number's rules start.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

// Maps every message number to the first rule with that number; the number's rules are that one
// and those after it while the number stays the same. Every diagnostic asks whether its number has
// rules, so numbers up to kDenseLimit (all that the analyser uses) are looked up in a table indexed
// by the number; others go through a hash map.
template <class Rule>
class RuleIndex {
public:
    static constexpr std::int32_t kDenseLimit = 1 << 16;

    explicit RuleIndex(const std::vector<Rule>& sortedRules) : rules_(sortedRules)
    {
        std::int32_t highest = -1;
        for (const Rule& rule : rules_)
            if (rule.messageNumber >= 0 && rule.messageNumber < kDenseLimit && rule.messageNumber > highest)
                highest = rule.messageNumber;
        dense_.assign(static_cast<std::size_t>(highest + 1), kNone);
        for (std::size_t i = 0; i < rules_.size(); ++i) {
            const std::int32_t number = rules_[i].messageNumber;
            if (isDense(number)) {
                auto& first = dense_[static_cast<std::size_t>(number)];
                if (first == kNone)
                    first = static_cast<std::uint32_t>(i);
            } else {
                sparse_.emplace(number, i); // keeps the first of each number
            }
        }
    }

    bool hasRules(std::int32_t messageNumber) const { return firstOf(messageNumber) != kNone; }

    // Calls the function with each rule of the number in order until it answers true; answers
    // that rule, or null when none did.
    template <class Function>
    const Rule* find(std::int32_t messageNumber, Function&& function) const
    {
        const std::size_t first = firstOf(messageNumber);
        if (first == kNone)
            return nullptr;
        for (std::size_t i = first; i < rules_.size() && rules_[i].messageNumber == messageNumber; ++i)
            if (function(rules_[i]))
                return &rules_[i];
        return nullptr;
    }

    // Whether find would answer a rule.
    template <class Function>
    bool anyOf(std::int32_t messageNumber, Function&& function) const
    {
        return find(messageNumber, std::forward<Function>(function)) != nullptr;
    }

private:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    bool isDense(std::int32_t number) const
    {
        return number >= 0 && static_cast<std::size_t>(number) < dense_.size();
    }

    std::size_t firstOf(std::int32_t number) const
    {
        if (isDense(number))
            return dense_[static_cast<std::size_t>(number)];
        if (sparse_.empty())
            return kNone;
        const auto found = sparse_.find(number);
        return found == sparse_.end() ? kNone : found->second;
    }

    const std::vector<Rule>& rules_;
    std::vector<std::uint32_t> dense_;
    std::unordered_map<std::int32_t, std::size_t> sparse_;
};
