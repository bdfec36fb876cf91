// The last reading of a rules file, reused while the file's bytes stay the same.
#pragma once

#include "DeferredRules.h"
#include "RuleNumber.h"
#include "RulePattern.h"
#include "RuleSet.h"
#include "RulesDigestStore.h"
#include "RulesMessages.h"
#include "TextLineReader.h"

#include "U_FileBytes.h"
#include "U_Sha256.h"

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

// A rules file is read for every processed source file, so that its warnings repeat for each. Its
// bytes are still read every time; when they equal those of the previous reading of the same path,
// that reading's warnings are written again, in order and flushed one by one, and its rule set
// (rules, compiled patterns, sorting and index) is handed out again instead of parsing the lines
// anew. The set keeps the reading's path, bytes and unusable lines (RulesFileSource).
//
// A UTF-8 byte order mark at the start is skipped. A file in UTF-16 (what Windows PowerShell 5.1's
// ">" writes) holds no usable line: it is reported once, with how to save it, and gives no rules.
// A file that cannot be read gives a set marked unreadable, which is never kept for reuse.
template <class Rule>
class RulesFileCache {
public:
    // Reads the rules file at the path. Every line that is not blank goes to
    // parse(line, rule, report), which fills the rule and returns true for a usable line, or calls
    // report(reason, line) and returns false; the reports become "Ignoring <path><reason><line>".
    // A usable rule gets its line number here.
    template <class Parse>
    SharedRuleSet<Rule> read(const std::string& path, std::ostream& out, Parse parse)
    {
        if (!readBytes(path))
            return unreadable(path);
        if (replay(path, scratch_, out))
            return set_;
        return readAnew(path, out, parse, nullptr);
    }

    // The same reading, with the digests kept between runs (RulesDigestStore): a file whose digest
    // is there is not parsed; its reports come from the digest, and its rules are parsed and
    // compiled only for the numbers that a file's diagnostics need (DeferredRules). A file read in
    // full leaves its digest for later runs. The reports are the same either way, and the source
    // has its content id either way.
    //
    // Where a reading is taken again, the file is only compared with the bytes it was taken from,
    // piece by piece, so that a process keeps no copy of a large rules file that it does not parse.
    template <class Parse>
    RuleReading<Rule> readKept(const std::string& path, std::ostream& out, RulesKind kind, Parse parse)
    {
        if (!RulesDigestStore::loading())
            deferred_.reset();
        if (deferred_ && deferred_->source().path == path && fileHoldsExactly(path, deferred_->bytes()))
            return {nullptr, reportedAgain(deferred_, out)};
        if (set_ && set_->source().path == path && fileHoldsExactly(path, set_->source().bytes))
            return {reportedAgain(set_, out), nullptr};
        RulesDigest digest;
        if (RulesDigestStore::load(kind, path, digest) && fileHoldsExactly(path, digest.bytes)) {
            RulesFileSource source{path, std::string(), std::move(digest.unusable)};
            source.contentId = std::move(digest.contentId);
            deferred_ = std::make_shared<DeferredRules<Rule>>(kind, std::move(source), digest.bytes, digest.groupTable);
            return {nullptr, reportedAgain(deferred_, out)};
        }
        // A digest loaded above and not taken is no longer mapped: nothing may keep a view of it.
        deferred_.reset();
        digest = RulesDigest();
        if (!readBytes(path))
            return {unreadable(path), nullptr};
        readAnew(path, out, parse, &digest.rules);
        if (scratch_.size() < UINT32_MAX) { // offsets are kept in 32 bits
            digest.contentId = set_->source().contentId;
            digest.unusable = set_->source().unusable;
            // The rules by number, file order kept within one, with their compiled patterns.
            const std::vector<Rule>& inFileOrder = set_->inFileOrder();
            std::vector<std::size_t> order(inFileOrder.size());
            for (std::size_t i = 0; i < order.size(); ++i)
                order[i] = i;
            std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
                return inFileOrder[a].messageNumber < inFileOrder[b].messageNumber;
            });
            std::vector<RulesDigestRule> byNumber;
            std::vector<std::shared_ptr<const RulePattern>> patterns;
            for (const std::size_t i : order) {
                byNumber.push_back(digest.rules[i]);
                patterns.push_back(inFileOrder[i].compiled);
            }
            digest.rules = std::move(byNumber);
            std::string groups;
            addRulesDigestGroups(digest, patterns, groups);
            RulesDigestStore::save(kind, path, scratch_, digest, groups);
        }
        return {set_, nullptr};
    }

    // The reading, after its reports are written to the stream again.
    template <class Reading>
    static const Reading& reportedAgain(const Reading& reading, std::ostream& out)
    {
        for (const UnusableRuleLine& unusable : reading->source().unusable)
            report(out, reading->source().path, unusable.reason, unusable.text);
        return reading;
    }

    // True when the bytes are those of the stored reading of the path; then its reports are written
    // to the stream again.
    bool replay(const std::string& path, const std::string& bytes, std::ostream& out) const
    {
        if (!set_ || path != set_->source().path || bytes != set_->source().bytes)
            return false;
        for (const UnusableRuleLine& unusable : set_->source().unusable)
            report(out, path, unusable.reason, unusable.text);
        return true;
    }

    // True for UTF-16 text: a UTF-16 byte order mark, or, without one, a NUL byte beside a character
    // in the first two bytes (no rules text starts with a NUL).
    static bool isUtf16Text(const std::string& bytes)
    {
        if (bytes.compare(0, 2, "\xFF\xFE") == 0 || bytes.compare(0, 2, "\xFE\xFF") == 0)
            return true;
        return bytes.size() >= 2 && ((bytes[0] == '\0') != (bytes[1] == '\0'));
    }

    // Writes "Ignoring <path><reason><line>" as one flushed line.
    static void report(std::ostream& out, const std::string& path, const char* reason, const std::string& line)
    {
        out << rulesmessages::kIgnoring << path << reason << line << '\n';
        out.flush();
    }

    // Splits a rule line's text at its first blank: the part before (never empty) and the part
    // after. False when there is no blank or the text starts with one.
    static bool splitAtBlank(const std::string& text, std::string& head, std::string& rest)
    {
        const auto blank = text.find(' ');
        if (blank == std::string::npos || blank == 0)
            return false;
        head = text.substr(0, blank);
        rest = text.substr(blank + 1);
        return true;
    }

    // Gives the rule its pattern and compiled form. An empty pattern is reported with the reason
    // given, one that does not compile as a compilation error; either way the rule is not usable.
    template <class Report>
    static bool takePattern(std::string pattern, const char* emptyReason, const std::string& line, Rule& rule,
                            Report& report)
    {
        rule.pattern = std::move(pattern);
        if (rule.pattern.empty()) {
            report(emptyReason, line);
            return false;
        }
        rule.compiled = RulePattern::compile(rule.pattern);
        if (!rule.compiled) {
            report(rulesmessages::kCompilationError, line);
            return false;
        }
        return true;
    }

private:
    // Reads the file into a buffer kept from one reading to the next; copied only for a new reading.
    bool readBytes(const std::string& path)
    {
        bool readFailed = false;
        return readWholeFile(path, scratch_, &readFailed) && !readFailed;
    }

    static SharedRuleSet<Rule> unreadable(const std::string& path)
    {
        RulesFileSource source{path, std::string(), {}};
        source.unreadable = true;
        return std::make_shared<const RuleSet<Rule>>(std::vector<Rule>{}, std::move(source));
    }

    // Parses the bytes read and keeps the reading; with digestRules, lists every usable rule there
    // in file order, with the offset of its line.
    template <class Parse>
    SharedRuleSet<Rule> readAnew(const std::string& path, std::ostream& out, Parse& parse,
                                 std::vector<RulesDigestRule>* digestRules)
    {
        RulesFileSource source{path, scratch_, {}};
        if (digestRules)
            source.contentId = sha256Hex(source.bytes);
        std::vector<Rule> rules;
        std::int32_t lineNumber = 0;
        auto reportLine = [&](const char* reason, const std::string& line) {
            report(out, path, reason, line);
            source.unusable.push_back(UnusableRuleLine{lineNumber, reason, line, std::string()});
        };
        if (isUtf16Text(source.bytes)) {
            reportLine(rulesmessages::kUtf16File, std::string());
            set_ = std::make_shared<const RuleSet<Rule>>(std::move(rules), std::move(source));
            return set_;
        }
        TextLineReader::forEachLineAt(source.bytes, [&](const std::string& line, std::size_t offset) {
            ++lineNumber;
            if (isBlankLine(line))
                return;
            Rule rule;
            if (!parse(line, rule, reportLine)) {
                UnusableRuleLine& reported = source.unusable.back();
                if (reported.reason == rulesmessages::kCompilationError)
                    reported.pattern = rule.pattern; // takePattern gave it to the rule before compiling
                return;
            }
            rule.line = lineNumber;
            if (digestRules)
                digestRules->push_back(RulesDigestRule{
                    rule.messageNumber, deferredrules::positionOf(rule), lineNumber, static_cast<std::uint32_t>(offset),
                    static_cast<std::uint32_t>(offset + line.size() - rule.pattern.size())});
            rules.push_back(std::move(rule));
        }, TextLineReader::textStart(source.bytes));
        set_ = std::make_shared<const RuleSet<Rule>>(std::move(rules), std::move(source));
        return set_;
    }

    SharedRuleSet<Rule> set_;
    std::shared_ptr<DeferredRules<Rule>> deferred_;
    std::string scratch_;
};
