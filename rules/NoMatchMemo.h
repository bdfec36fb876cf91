// What matching a file asked of the rules and found no rule to match, kept between runs.
#pragma once

#include "DiagnosticEntry.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class RulesReadAhead;

// Once a run has appended its records, the diagnostics it matched are suppressed, and the next run
// of the build asks the rules the same questions about the rest, with the same answer: none
// matches. A run keeps that answer for its error file in the directory of the kept digests
// (RulesDigestStore), under the build's stamp, the rules files' content ids (the SHA-256 of their
// bytes) and a 128-bit checksum of the questions in order. A run that asks exactly those questions
// of exactly those rules again skips picking and matching the rules; any other run does both. A
// memo that is missing, damaged, of another build, or cannot be written changes nothing but the
// time.
class NoMatchMemo {
public:
    // The questions that matching the entries asks, in the matchers' order: for each entry with a
    // line above 0 whose number has message rules, the number and the source line's text; for each
    // string parameter of an entry whose number has parameter rules, the number, the position and
    // the text. None when the readings have no content ids, or a source file cannot be read (the
    // matching stops there, as it does without a memo).
    static std::optional<NoMatchMemo> ask(const RulesReadAhead& rules, const DiagnosticEntries& entries);

    // Whether the memo kept for the error file says that none of these questions matches.
    bool known(const std::string& errorFile) const;
    // Keeps for the error file that the questions about every diagnostic not matched have no
    // matching rule: what the next run asks once the matched ones are suppressed. A failure to
    // write is not reported.
    void keep(const std::string& errorFile, std::vector<const M_Diagnostic*> matched) const;

    // The file that holds the memo of the error file.
    static std::string fileFor(const std::string& errorFile);
    // The bytes of a memo file of the key, and whether the data is exactly those.
    static std::string encode(const std::string& key);
    static bool holds(std::string_view data, const std::string& key);

private:
    // The content ids and the checksum of the questions about the diagnostics that are not left out.
    std::string key(const std::vector<const M_Diagnostic*>& leftOut) const;

    struct Asked {
        const M_Diagnostic* diagnostic;
        std::size_t begin;
        std::size_t end; // of its questions in questions_
    };
    std::string ids_;
    std::string questions_;
    std::vector<Asked> asked_;
};
