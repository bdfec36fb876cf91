// A rule of the message suppression file, and the reading of that file.
#pragma once

#include "DeferredRules.h"
#include "RulePattern.h"
#include "RuleSet.h"

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

// A diagnostic of the number is suppressed when the text of its source line matches the pattern.
struct MessageRule {
    std::int32_t messageNumber = 0;
    std::string pattern;                              // exactly as it stood in the file
    std::shared_ptr<const RulePattern> compiled;      // never null in a list that was read
    std::int32_t line = 0;                            // 1-based line in the rules file (see RulesFileSource)
    std::string warning; // what a maintainer should check about the line as read (ruleFieldWarnings)

    // The order of matching: by message number, file order kept within a number.
    static bool orderedBefore(const MessageRule& a, const MessageRule& b) { return a.messageNumber < b.messageNumber; }
};

using MessageRules = std::vector<MessageRule>;
using MessageRuleSet = SharedRuleSet<MessageRule>;

// The path of the message suppression file: the "suppressions_txt" post-analysis option of the tool
// when given, otherwise "suppressions.txt" in the program directory.
std::string messageRulesPath(const std::string& programDirectory);

// Reads the rules of the file at the path, in file order. Lines that cannot be used are reported
// on the stream ("Ignoring <path> ...: <line>") and skipped. The file must exist.
MessageRules readMessageRulesFile(const std::string& path, std::ostream& out);
// The same reading as a shared set, sorted and indexed for matching.
MessageRuleSet readMessageRuleSetFile(const std::string& path, std::ostream& out);

// Locates and reads the message suppression file. A missing file raises SuppressionStop with
// "<path> not found.".
MessageRules readMessageRules(const std::string& programDirectory, std::ostream& out);
MessageRuleSet readMessageRuleSet(const std::string& programDirectory, std::ostream& out);
// The same, taken from the digest that an earlier run kept where there is one (RulesDigestStore):
// then deferred, its rules made for the numbers asked with selectMessageRules.
RuleReading<MessageRule> readMessageRuleReading(const std::string& programDirectory, std::ostream& out);
// The rules of the numbers (sorted, without repeats) from a deferred reading; null when its digest
// does not describe the file.
MessageRuleSet selectMessageRules(DeferredRules<MessageRule>& rules, const std::vector<std::int32_t>& numbers);
