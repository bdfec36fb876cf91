// The last reading of a rules file, reused while the file's bytes stay the same.
#pragma once

#include "RuleNumber.h"
#include "RulesMessages.h"
#include "TextLineReader.h"

#include <cstdio>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

// A rules file is read for every processed source file, so that its warnings repeat for each. Its
// bytes are still read every time; when they equal those of the previous reading of the same path,
// that reading's warnings are written again, in order and flushed one by one, and its rules (whose
// compiled patterns are shared) are handed out again instead of parsing the lines anew.
template <class Rule>
class RulesFileCache {
public:
    // The whole file; empty when it cannot be opened (which then reads as a file without lines).
    static std::string readBytes(const std::string& path)
    {
        std::string bytes;
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (!file)
            return bytes;
        char chunk[16384];
        std::size_t got;
        while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
            bytes.append(chunk, got);
        std::fclose(file);
        return bytes;
    }

    // Reads the rules file at the path. Every line that is not blank goes to
    // parse(line, rule, report), which fills the rule and returns true for a usable line, or calls
    // report(reason, line) and returns false; the reports become "Ignoring <path><reason><line>".
    template <class Parse>
    std::vector<Rule> read(const std::string& path, std::ostream& out, Parse parse)
    {
        std::vector<Rule> rules;
        std::string bytes = readBytes(path);
        if (replay(path, bytes, out, rules))
            return rules;
        auto reportLine = [&](const char* reason, const std::string& line) {
            report(out, rulesmessages::kIgnoring + path + reason + line);
        };
        TextLineReader::forEachLine(bytes, [&](const std::string& line) {
            if (isBlankLine(line))
                return;
            Rule rule;
            if (parse(line, rule, reportLine))
                rules.push_back(std::move(rule));
        });
        store(path, std::move(bytes), rules);
        return rules;
    }

    // True when the bytes are those of the stored reading of the path; then its reports are written
    // to the stream and its rules copied into the list.
    // Otherwise a new reading begins, whose reports are collected until it is stored.
    bool replay(const std::string& path, const std::string& bytes, std::ostream& out, std::vector<Rule>& rules)
    {
        if (!valid_ || path != path_ || bytes != bytes_) {
            pending_.clear();
            return false;
        }
        for (const std::string& report : reports_) {
            out << report << '\n';
            out.flush();
        }
        rules = rules_;
        return true;
    }

    // Writes a report line to the stream and keeps it for the replays.
    void report(std::ostream& out, std::string line)
    {
        out << line << '\n';
        out.flush();
        pending_.push_back(std::move(line));
    }

    void store(const std::string& path, std::string bytes, const std::vector<Rule>& rules)
    {
        path_ = path;
        bytes_ = std::move(bytes);
        rules_ = rules;
        reports_ = std::move(pending_);
        pending_.clear();
        valid_ = true;
    }

private:
    bool valid_ = false;
    std::string path_;
    std::string bytes_;
    std::vector<Rule> rules_;
    std::vector<std::string> reports_;
    std::vector<std::string> pending_;
};
