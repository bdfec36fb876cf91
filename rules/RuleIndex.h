// The rules of each message number in a list sorted by number: where that number's rules start.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// A set of message numbers, for the question every diagnostic asks: numbers up to 65,535 (all that
// the analyser uses) one bit each, so that the answer costs one load and a process that starts for
// one file touches 8 KB at most; others in a sorted list.
class MessageNumberSet {
public:
    void add(std::int32_t number)
    {
        if (number >= 0 && number < kLimit) {
            const std::size_t word = static_cast<std::uint32_t>(number) >> 6;
            if (words_.size() <= word)
                words_.resize(word + 1, 0);
            words_[word] |= std::uint64_t{1} << (number & 63);
        } else {
            others_.insert(std::lower_bound(others_.begin(), others_.end(), number), number);
        }
    }

    bool contains(std::int32_t number) const
    {
        if (number >= 0 && number < kLimit) {
            const std::size_t word = static_cast<std::uint32_t>(number) >> 6;
            return word < words_.size() && (words_[word] >> (number & 63) & 1) != 0;
        }
        return std::binary_search(others_.begin(), others_.end(), number);
    }

private:
    static constexpr std::int32_t kLimit = 1 << 16;
    std::vector<std::uint64_t> words_;
    std::vector<std::int32_t> others_;
};

// Maps every message number to the first rule with that number; the number's rules are that one
// and those after it while the number stays the same. Every diagnostic asks whether its number has
// rules: the set of numbers answers it, and only a number that has rules is looked up in the sorted
// list of numbers.
template <class Rule>
class RuleIndex {
public:
    explicit RuleIndex(const std::vector<Rule>& sortedRules) : rules_(sortedRules)
    {
        for (std::size_t i = 0; i < rules_.size(); ++i) {
            const std::int32_t number = rules_[i].messageNumber;
            if (!numbers_.empty() && numbers_.back() == number)
                continue;
            numbers_.push_back(number);
            firsts_.push_back(static_cast<std::uint32_t>(i));
            present_.add(number);
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
    static constexpr std::size_t kNone = SIZE_MAX;

    std::size_t firstOf(std::int32_t number) const
    {
        if (!present_.contains(number))
            return kNone;
        const auto found = std::lower_bound(numbers_.begin(), numbers_.end(), number);
        if (found == numbers_.end() || *found != number)
            return kNone;
        return firsts_[static_cast<std::size_t>(found - numbers_.begin())];
    }

    const std::vector<Rule>& rules_;
    MessageNumberSet present_;
    std::vector<std::int32_t> numbers_; // each number once, ascending, as the rules are sorted
    std::vector<std::uint32_t> firsts_; // the first rule of each of numbers_
};
