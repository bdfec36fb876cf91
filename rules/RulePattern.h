// A compiled regular expression of a rules file, shared by every reading of the same pattern text.
#pragma once

#include "MatchSubject.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct pcre2_real_code_8;

// Compiled with no flags (case-sensitive, no multi-line mode), as the POSIX-style interface does.
// A match anywhere in the subject counts; the subject ends at its first NUL byte. A match that
// exceeds the backtracking limits counts as no match, so a pathological pattern ends in bounded time.
class RulePattern {
public:
    ~RulePattern();
    RulePattern(const RulePattern&) = delete;
    RulePattern& operator=(const RulePattern&) = delete;

    // The compiled form of the pattern, or null when it does not compile. Each distinct text is
    // compiled once per process; later calls return the same object.
    static std::shared_ptr<const RulePattern> compile(const std::string& pattern);
    // Why the pattern does not compile: the matcher's message and the offset where it stopped
    // ("missing closing parenthesis at offset 1"); empty when it compiles.
    static std::string compileError(const std::string& pattern);

    // The patterns' compiled forms as the matcher serialises them; empty when it cannot.
    static std::string serialize(const std::vector<std::shared_ptr<const RulePattern>>& patterns);
    // Offers the compiled forms of the texts, serialised in that order, to the next compile() calls
    // (in about that order): a text that is not compiled yet takes its offered form instead of being
    // compiled. The texts' bytes must stay until the offers are withdrawn. False (nothing offered)
    // when the serialised forms are not count of this matcher's.
    static bool offer(std::string_view serialised, const std::vector<std::string_view>& texts);
    // Says that offers of about this many serialised bytes, for about this many texts, are coming,
    // so that the room for their decoded forms and their compiled forms' entries is made at once.
    // Only time depends on it.
    static void expectOffers(std::size_t bytes, std::size_t texts);
    // Frees the offered forms that no compile() took.
    static void withdrawOffers();
    // Withdraws the offers and forgets every compiled form, so that each text is compiled anew
    // (after offers that turned out not to fit their texts).
    static void forgetCompiled();

    bool matches(const std::string& subject) const;
    // The same answer for a subject prepared for many patterns. The pre-check is inline: a line is
    // tested against every rule of its number, and most of them are settled by it.
    bool matches(const MatchSubject& subject) const
    {
        return mayMatch(subject) && run(subject.text(), subject.length());
    }

private:
    // False when the subject lacks a code unit that every match contains (either case of a letter).
    bool mayMatch(const MatchSubject& subject) const
    {
        return (firstUnit_ < 0 || holdsEitherCase(subject, firstUnit_)) &&
               (requiredUnit_ < 0 || holdsEitherCase(subject, requiredUnit_));
    }
    static bool holdsEitherCase(const MatchSubject& subject, int unit)
    {
        if (subject.contains(static_cast<unsigned char>(unit)))
            return true;
        const bool letter = (unit >= 'a' && unit <= 'z') || (unit >= 'A' && unit <= 'Z');
        return letter && subject.contains(static_cast<unsigned char>(unit ^ 0x20));
    }

    explicit RulePattern(pcre2_real_code_8* code);
    void findRequiredUnits(const std::string& pattern);
    // Runs the matcher on the first length bytes of the subject (which end there or at a NUL).
    bool run(const std::string& subject, std::size_t length) const;

    pcre2_real_code_8* code_;
    // The tool is single-threaded; matching a pattern often enough compiles it further.
    static constexpr unsigned kInterpretedRunsBeforeJit = 32;
    mutable unsigned interpretedRuns_ = 0;
    mutable bool jitTried_ = false;
    mutable bool jitCompiled_ = false;
    // Code units that every match must contain (the first, and the last literal one), or -1.
    int firstUnit_ = -1;
    int requiredUnit_ = -1;
};
