// The answers of an unattended configuration: one "answer = value" a line in a small text file.
#pragma once

#include <string>
#include <vector>

namespace confcli {

// One answer as the file gives it.
struct Answer {
    std::string key;   // one of answerKeys()
    std::string value; // blanks around it and one pair of enclosing double quotes removed
    int line = 0;      // where the file gives it, from 1
};

// The answers a file may give, in the order of the wizard pages that ask them.
const std::vector<std::string>& answerKeys();

class AnswersFile {
public:
    // Reads the answers from `text` (text mode: CR LF or LF, a leading UTF-8 byte order mark is
    // skipped). Blank lines and lines whose first non-blank character is "#" are skipped; every
    // other line is "<answer> = <value>", the answer's name in any letter case. False, with
    // `error` naming the file, the line and what is wrong, for a line of another form, an unknown
    // answer, an answer given twice or one without a value.
    static bool parse(const std::string& text, const std::string& fileName, AnswersFile& answers,
                      std::string& error);
    // Reads the file at `path` (a path of this system) and parses it.
    static bool read(const std::string& path, AnswersFile& answers, std::string& error);

    // The answer given for `key`, or nullptr when the file does not give it.
    const Answer* find(const std::string& key) const;
    // Every answer in the order of the file.
    const std::vector<Answer>& all() const { return answers_; }

private:
    std::vector<Answer> answers_;
};

} // namespace confcli
