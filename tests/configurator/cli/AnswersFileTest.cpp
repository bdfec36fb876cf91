// Reading answers files: the forms a person writes them in, the lines that are refused, and every
// file written the way the README describes read back to the same answers (seeded, replayable).
#include "AnswersFile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

namespace {

using confcli::AnswersFile;

std::map<std::string, std::string> valuesOf(const AnswersFile& answers)
{
    std::map<std::string, std::string> values;
    for (const confcli::Answer& answer : answers.all())
        values[answer.key] = answer.value;
    return values;
}

TEST(AnswersFile, readsCommentsBlanksQuotesLetterCaseAndWindowsLineEnds)
{
    AnswersFile answers;
    std::string error;
    ASSERT_TRUE(AnswersFile::parse("\xEF\xBB\xBF# unattended set-up of the build machines\r\n"
                                   "\r\n"
                                   "   TARGET\t=  VxWorks  \r\n"
                                   "  # the team's personality\r\n"
                                   "compiler-personality-file = \"C:\\Program Files\\Pers\\a=b #1.p_c\"\r\n"
                                   "message-personality=C:\\Pers\\team.p_s",
                                   "a.txt", answers, error))
        << error;
    EXPECT_EQ(valuesOf(answers), (std::map<std::string, std::string>{
                                     {"target", "VxWorks"},
                                     {"compiler-personality-file", "C:\\Program Files\\Pers\\a=b #1.p_c"},
                                     {"message-personality", "C:\\Pers\\team.p_s"},
                                 }));
    EXPECT_EQ(answers.find("target")->line, 3);
    EXPECT_EQ(answers.find("message-personality")->line, 6);
    EXPECT_EQ(answers.find("compiler"), nullptr);
}

TEST(AnswersFile, refusesLinesThatAreNoAnswerUnknownRepeatedAndEmptyAnswers)
{
    const std::pair<std::string, std::string> cases[] = {
        {"target Visual Studio\n", "f:1: expected <answer> = <value>, found: target Visual Studio"},
        {"\n\n  = 3.0\n", "f:3: unknown answer \"\". Answers: analyser-version, target, visual-studio-version, "
                          "compiler-personality, compiler-personality-file, compiler, vxworks-version, "
                          "message-personality, analyser-personality"},
        {"target = VxWorks\ncompiler = gnu\nCompiler = diab\n",
         "f:3: \"compiler\" is given again; first given on line 2"},
        {"target =  \n", "f:1: \"target\" has no value"},
        {"target = \"\"\n", "f:1: \"target\" has no value"},
    };
    for (const auto& [text, message] : cases) {
        SCOPED_TRACE(text);
        AnswersFile answers;
        std::string error;
        EXPECT_FALSE(AnswersFile::parse(text, "f", answers, error));
        EXPECT_EQ(error, message);
    }
}

TEST(AnswersFile, readsAFileAndRefusesOneThatCannotBeRead)
{
    testsupport::TempDir dir;
    testsupport::writeBytes(dir.file("a.txt"), "target = Visual Studio\n");
    AnswersFile answers;
    std::string error;
    ASSERT_TRUE(AnswersFile::read(dir.file("a.txt"), answers, error)) << error;
    EXPECT_EQ(answers.find("target")->value, "Visual Studio");
    EXPECT_FALSE(AnswersFile::read(dir.file("none.txt"), answers, error));
    EXPECT_EQ(error, "Cannot read answers file " + dir.file("none.txt"));
    EXPECT_FALSE(AnswersFile::read(dir.path(), answers, error));
    EXPECT_EQ(error, "Cannot read answers file " + dir.path());
}

// A value as a person may give it: paths, versions, words; blanks, "=", "#" and quotes inside.
std::string randomValue(std::mt19937& rng)
{
    static const std::string chars = "abcXYZ019 .:\\/=#\"-_+(){}%'";
    std::string value;
    const int length = 1 + static_cast<int>(rng() % 24);
    for (int i = 0; i < length; ++i)
        value += chars[rng() % chars.size()];
    return value;
}

// The line for an answer, written in one of the ways the README allows. A value with blanks at
// either end, or enclosed in quotes itself, must be quoted to keep them.
std::string answerLine(std::mt19937& rng, const std::string& key, const std::string& value)
{
    static const char* const blanks[] = {"", " ", "  ", "\t", " \t "};
    const bool mustQuote = value.front() == ' ' || value.back() == ' ' ||
                           (value.size() >= 2 && value.front() == '"' && value.back() == '"');
    const bool quote = mustQuote || rng() % 4 == 0;
    std::string shownKey = key;
    if (rng() % 3 == 0)
        std::transform(shownKey.begin(), shownKey.end(), shownKey.begin(), [](char c) { return static_cast<char>(std::toupper(c)); });
    return blanks[rng() % 5] + shownKey + blanks[rng() % 5] + "=" + blanks[rng() % 5] +
           (quote ? "\"" + value + "\"" : value) + blanks[rng() % 5];
}

TEST(AnswersFile, everyFileWrittenAsDescribedReadsBackToItsAnswers)
{
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    for (int round = 0; round < 500; ++round) {
        std::vector<std::string> keys = confcli::answerKeys();
        std::shuffle(keys.begin(), keys.end(), rng);
        keys.resize(rng() % (keys.size() + 1));
        const std::string lineEnd = rng() % 2 ? "\r\n" : "\n";

        std::map<std::string, std::string> written;
        std::string text = rng() % 5 == 0 ? "\xEF\xBB\xBF" : "";
        for (const std::string& key : keys) {
            if (rng() % 3 == 0)
                text += (rng() % 2 ? "# " + randomValue(rng) : std::string("  ")) + lineEnd;
            std::string value = randomValue(rng);
            while (value.find_first_not_of(' ') == std::string::npos)
                value = randomValue(rng);
            written[key] = value;
            text += answerLine(rng, key, value) + lineEnd;
        }
        if (rng() % 2 && !keys.empty())
            text.resize(text.size() - lineEnd.size()); // no line end after the last line

        AnswersFile answers;
        std::string error;
        ASSERT_TRUE(AnswersFile::parse(text, "f", answers, error)) << "round " << round << ": " << error << "\n" << text;
        ASSERT_EQ(valuesOf(answers), written) << "round " << round << "\n" << text;
    }
}

} // namespace
