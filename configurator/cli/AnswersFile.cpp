// Reading an answers file: lines, comments, "answer = value" and the checks of its form.
#include "AnswersFile.h"

#include "CliMessages.h"

#include "TextFiles.h"
#include "TextLines.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace confcli {

namespace {

std::string joined(const std::vector<std::string>& items)
{
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text;
}

bool isKnown(const std::string& key)
{
    for (const std::string& known : answerKeys()) {
        if (key == known)
            return true;
    }
    return false;
}

} // namespace

const std::vector<std::string>& answerKeys()
{
    static const std::vector<std::string> keys = {
        "analyser-version",          "target",   "visual-studio-version", "compiler-personality",
        "compiler-personality-file", "compiler", "vxworks-version",       "message-personality",
        "analyser-personality",
    };
    return keys;
}

bool AnswersFile::parse(const std::string& text, const std::string& fileName, AnswersFile& answers,
                        std::string& error)
{
    answers.answers_.clear();
    std::vector<std::string> lines;
    platform::forEachTextLine(text, [&](const std::string& line) { lines.push_back(line); },
                              text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0);
    int lineNumber = 0;
    for (const std::string& line : lines) {
        ++lineNumber;
        const std::string content = conf::trimmed(line);
        if (content.empty() || content[0] == '#')
            continue;
        const std::string where = fileName + ":" + std::to_string(lineNumber);
        const std::size_t equals = content.find('=');
        if (equals == std::string::npos) {
            error = where + msg::kExpectedAnswerLine + content;
            return false;
        }
        Answer answer;
        answer.key = conf::lowerCase(conf::trimmed(content.substr(0, equals)));
        answer.value = conf::trimmed(content.substr(equals + 1));
        answer.line = lineNumber;
        if (answer.value.size() >= 2 && answer.value.front() == '"' && answer.value.back() == '"')
            answer.value = answer.value.substr(1, answer.value.size() - 2);
        if (!isKnown(answer.key)) {
            error = where + msg::kUnknownAnswer + answer.key + msg::kKnownAnswers + joined(answerKeys());
            return false;
        }
        if (const Answer* first = answers.find(answer.key)) {
            error = where + ": \"" + answer.key + msg::kAnswerGivenTwice + std::to_string(first->line);
            return false;
        }
        if (answer.value.empty()) {
            error = where + ": \"" + answer.key + msg::kAnswerWithoutValue;
            return false;
        }
        answers.answers_.push_back(answer);
    }
    return true;
}

bool AnswersFile::read(const std::string& path, AnswersFile& answers, std::string& error)
{
    // The path is UTF-8 text, as every path of the configurator is, on Windows too.
    const std::filesystem::path file = std::filesystem::u8path(path);
    std::error_code ec;
    std::ifstream in;
    if (std::filesystem::is_regular_file(file, ec))
        in.open(file, std::ios::binary);
    std::string text;
    if (in.is_open())
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in.is_open() || in.bad()) {
        error = msg::kCannotReadAnswers + path;
        return false;
    }
    return parse(text, path, answers, error);
}

const Answer* AnswersFile::find(const std::string& key) const
{
    for (const Answer& answer : answers_) {
        if (answer.key == key)
            return &answer;
    }
    return nullptr;
}

} // namespace confcli
