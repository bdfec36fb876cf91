// Mistakes users make with the tool's settings, rules files and error files: the real program says
// what is wrong, ends with the status of its kind of failure, and leaves the error file alone where
// the run must not write.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <regex>

using testsupport::consoleText;
using testsupport::ProcessResult;
using testsupport::builtProgram;
using testsupport::readBytes;
using testsupport::runProcess;
using testsupport::writeBytes;

namespace {

// src/a.cpp with one diagnostic 100 on its line 1 in out/a.cpp.err, the tool in tool/ with the rule
// "100 legacy" beside it, which hides that diagnostic.
class UserMistakesTest : public testing::Test {
protected:
    UserMistakesTest() : root(std::filesystem::canonical(dir.path()).generic_string())
    {
        writeBytes(path("bin/velcpp.cfg"), "#options\n");
        writeBytes(path("home/.keep"), "");
        writeBytes(path("out/.keep"), "");
        writeBytes(path("src/a.cpp"), "int a = 1; // legacy\nint b = 2;\n");
        std::filesystem::create_directories(path("tool"));
        testsupport::placeProgram(builtProgram("app/suppresszembrel"), path("tool/suppresszembrel"));
        writeBytes(path("tool/suppressions.txt"), "100 legacy\n");
        writeBytes(path("desc.txt"), "file S " + path("src/a.cpp") + " src/a.cpp\nloc L1 S 1 1\nblock\ndiag L1 100\nend\n");
        const ProcessResult made = runProcess(
            {builtProgram("tools/errtool/errtool"), "make", path("desc.txt"), path("out/a.cpp.err")});
        EXPECT_EQ(made.status, 0) << made.err;
        original = readBytes(path("out/a.cpp.err"));
        options.workingDirectory = root;
        options.env = {{"VELCPPBIN", path("bin")},
                       {"VELCPPTEMPFILES", root},
                       {"HOME", path("home")},
                       {"PATH", testsupport::systemSearchPath()}};
    }

    std::string path(const std::string& name) const { return root + "/" + name; }

    ProcessResult tool(std::vector<std::string> arguments) const
    {
        arguments.insert(arguments.begin(), path("tool/suppresszembrel") + testsupport::kProgramSuffix);
        return runProcess(arguments, options);
    }

    ProcessResult run(const std::vector<std::string>& more = {}) const
    {
        std::vector<std::string> arguments = {"VELCPP", "-op", path("out"), "src/a.cpp"};
        arguments.insert(arguments.end(), more.begin(), more.end());
        return tool(arguments);
    }

    bool errorFileChanged() const { return readBytes(path("out/a.cpp.err")) != original; }

    testsupport::TempDir dir;
    std::string root;
    std::string original;
    testsupport::ProcessOptions options;
};

const std::string kKnown = " is ignored. Known settings: suppressions_txt, parameter_suppressions_txt, report, dry_run.\n";
const std::string kMalformed133 = "Assertion at Option:133: Assertion '! \"Value options should be:  option[ |=].*\"' failed.\n";
const std::string kMalformed144 = "Assertion at Option:144: Assertion '! \"Value options should be:  option[ |=].*\"' failed.\n";

std::string lacksValue(const std::string& key)
{
    return "ERROR: The setting -po suppresszembrel::" + key + " lacks its value: write it as -po suppresszembrel::" +
           key + "=<value>.\n";
}

std::string refusedDryRun(const std::string& entry)
{
    return "WARNING: Unknown setting -po suppresszembrel::" + entry + kKnown + "ERROR: -po suppresszembrel::" + entry +
           " is not the setting dry_run; the run is refused, so that it writes no error file. Write -po "
           "suppresszembrel::dry_run=1 for a dry run.\n";
}

TEST_F(UserMistakesTest, toolSettingsAreCheckedAndAMisspeltDryRunNeverWrites)
{
    struct Case {
        const char* name;
        std::vector<std::string> settings;
        int status;
        std::string errStart; // standard error starts with it (the usage text may follow)
        bool written;
    };
    const Case cases[] = {
        {"no setting", {}, 0, "", true},
        {"dry run", {"suppresszembrel::dry_run=1"}, 0, "", false},
        {"dry run without underscore", {"suppresszembrel::dryrun=1"}, 10, refusedDryRun("dryrun=1"), false},
        {"dry run with a hyphen", {"suppresszembrel::dry-run=1"}, 10, refusedDryRun("dry-run=1"), false},
        {"dry run in other letter case", {"suppresszembrel::Dry_Run=1"}, 10, refusedDryRun("Dry_Run=1"), false},
        {"dry run a letter off", {"suppresszembrel::dry_rum=1"}, 10, refusedDryRun("dry_rum=1"), false},
        {"misspelt report", {"suppresszembrel::reprot=r.jsonl"}, 0,
         "WARNING: Unknown setting -po suppresszembrel::reprot=r.jsonl" + kKnown, true},
        {"two unknown settings", {"suppresszembrel::colour=red", "suppresszembrel::verbose"}, 0,
         "WARNING: Unknown setting -po suppresszembrel::colour=red" + kKnown +
             "WARNING: Unknown setting -po suppresszembrel::verbose" + kKnown, true},
        {"another tool's setting", {"othertool::dryrun=1"}, 0, "", true},
        {"report without value", {"suppresszembrel::report"}, 18, kMalformed133 + lacksValue("report"), false},
        {"dry run without value", {"suppresszembrel::dry_run"}, 18, kMalformed133 + lacksValue("dry_run"), false},
        {"rules file without value", {"suppresszembrel::suppressions_txt"}, 18,
         kMalformed133 + lacksValue("suppressions_txt"), false},
        {"parameter rules file with a plus", {"suppresszembrel::parameter_suppressions_txt+p.txt"}, 18,
         kMalformed144 + lacksValue("parameter_suppressions_txt"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> more;
        for (const std::string& setting : c.settings) {
            more.push_back("-po");
            more.push_back(setting);
        }
        const ProcessResult r = run(more);
        EXPECT_EQ(r.status, c.status) << r.out << r.err;
        EXPECT_EQ(r.err.substr(0, consoleText(c.errStart).size()), consoleText(c.errStart)) << r.err;
        EXPECT_EQ(r.err.find("Caught signal"), std::string::npos) << r.err;
        EXPECT_EQ(errorFileChanged(), c.written);
        writeBytes(path("out/a.cpp.err"), original);
    }
}

// A tool name that is a near miss of the tool's own is named in a warning and taken as the tool's:
// a dry run asked for so never writes. Other tools' settings stay untouched.
TEST_F(UserMistakesTest, aNearMissOfTheToolNameIsTakenAsTheTool)
{
    const auto taken = [](const std::string& option, const std::string& tool, const std::string& entry) {
        return "WARNING: -po " + option + " names the tool " + tool + "; it is taken as -po suppresszembrel::" + entry +
               ". Write the tool's name as suppresszembrel::.\n";
    };
    const struct {
        const char* name;
        std::string setting;
        int status;
        std::string errStart;
        bool written;
    } cases[] = {
        {"other letter case", "SuppressZembrel::dry_run=1", 0, taken("SuppressZembrel::dry_run=1", "SuppressZembrel", "dry_run=1"), false},
        {"one colon", "suppresszembrel:dry_run=1", 0, taken("suppresszembrel:dry_run=1", "suppresszembrel", "dry_run=1"), false},
        {"a letter missing", "supresszembrel::dry_run=1", 0, taken("supresszembrel::dry_run=1", "supresszembrel", "dry_run=1"), false},
        {"two letters off, one colon", "suppresszembrol:dry_run=yes", 0,
         taken("suppresszembrol:dry_run=yes", "suppresszembrol", "dry_run=yes"), false},
        {"and a misspelt key", "SuppressZembrel::dryrun=1", 10,
         taken("SuppressZembrel::dryrun=1", "SuppressZembrel", "dryrun=1") + "WARNING: Unknown setting", false},
        {"a real run asked for", "SUPPRESSZEMBREL::dry_run=0", 0,
         taken("SUPPRESSZEMBREL::dry_run=0", "SUPPRESSZEMBREL", "dry_run=0"), true},
        {"another tool", "suppress::dry_run=1", 0, "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ProcessResult r = run({"-po", c.setting});
        EXPECT_EQ(r.status, c.status) << r.out << r.err;
        EXPECT_EQ(r.err.substr(0, consoleText(c.errStart).size()), consoleText(c.errStart)) << r.err;
        EXPECT_EQ(errorFileChanged(), c.written);
        writeBytes(path("out/a.cpp.err"), original);
    }
}

TEST_F(UserMistakesTest, rulesFilesInOtherEncodingsOrUnreadableAreSaid)
{
    const std::string messages = path("tool/suppressions.txt");
    const std::string parameters = path("tool/parameter_suppressions.txt");
    const std::string utf16 = std::string("\xFF\xFE", 2) + std::string("1\0" "0\0" "0\0" " \0" "l\0" "e\0" "g\0", 14) +
                              std::string("a\0" "c\0" "y\0" "\r\0" "\n\0", 10);
    struct Case {
        const char* name;
        std::string messageRules;   // the bytes of suppressions.txt; empty: a directory in its place
        std::string parameterRules; // the bytes of parameter_suppressions.txt; "dir": a directory; empty: none
        int status;
        std::string out;
        bool written;
    };
    const Case cases[] = {
        {"UTF-8 byte order mark", "\xEF\xBB\xBF" "100 legacy\r\n", "", 0, "", true},
        // A message rules file in UTF-16 stops the run: a build must not pass with every rule ignored.
        {"UTF-16", utf16, "", 10,
         "Ignoring " + messages +
             ": the file is UTF-16 text, so none of its rules can be used. Save it as UTF-8 or ANSI text (Notepad: "
             "Save As, Encoding UTF-8; PowerShell: Get-Content <file> | Set-Content -Encoding UTF8 <new file>).\n" +
             messages + " cannot be read.\n",
         false},
        {"UTF-16 without byte order mark", utf16.substr(2), "", 10,
         "Ignoring " + messages + ": the file is UTF-16 text", false},
        {"parameter rules in UTF-16", "100 legacy\n", utf16, 0,
         "Ignoring " + parameters + ": the file is UTF-16 text", true},
        {"directory in place of suppressions.txt", "", "", 10, messages + " cannot be read.\n", false},
        {"directory in place of parameter_suppressions.txt", "100 legacy\n", "dir", 0,
         parameters + " cannot be read.\nContinuing without parameter suppressions.\n", true},
        // The described parsing stays: these lines become rules for other numbers, or none.
        {"letters before the pattern", "abc legacy\n", "", 0, "", false},
        {"a negative number", "-5 legacy\n", "", 0, "", false},
        {"text after the number", "100x legacy\n", "", 0, "", true},
        {"a number alone", "100\n", "", 0, "Ignoring " + messages + " line with no message number: 100\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(messages);
        std::filesystem::remove_all(parameters);
        if (c.messageRules.empty())
            std::filesystem::create_directories(messages);
        else
            writeBytes(messages, c.messageRules);
        if (c.parameterRules == "dir")
            std::filesystem::create_directories(parameters);
        else if (!c.parameterRules.empty())
            writeBytes(parameters, c.parameterRules);
        const ProcessResult r = run();
        EXPECT_EQ(r.status, c.status) << r.out << r.err;
        EXPECT_EQ(r.out.substr(0, consoleText(c.out).size()), consoleText(c.out)) << r.out;
        EXPECT_EQ(errorFileChanged(), c.written);
        writeBytes(path("out/a.cpp.err"), original);
    }
}

TEST_F(UserMistakesTest, anErrorFileThatCannotBeReadIsNamedWithItsCause)
{
    const std::string errorFile = path("out/a.cpp.err");
    std::string truncated = original.substr(0, original.size() - 3);
    struct Case {
        const char* name;
        std::function<void()> prepare;
        std::vector<std::string> outputPath; // the -op part of the command line
        std::string tried;                   // the error file the tool tried
        std::string cause;                   // a regular expression
    };
    const Case cases[] = {
        {"missing", [&] { std::filesystem::remove(errorFile); }, {"-op", path("out")}, errorFile, "missing"},
        {"a directory", [&] { std::filesystem::remove(errorFile); std::filesystem::create_directories(errorFile); },
         {"-op", path("out")}, errorFile, "not readable"},
        {"not an error file", [&] { writeBytes(errorFile, "hello, world\n"); }, {"-op", path("out")}, errorFile,
         "not an error file"},
        {"truncated", [&] { writeBytes(errorFile, truncated); }, {"-op", path("out")}, errorFile,
         "damaged at byte [0-9]+"},
        {"wrong -op", [] {}, {"-op", path("src")}, path("src/a.cpp.err"), "missing"},
        {"no -op", [] {}, {}, path("a.cpp.err"), "missing"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.prepare();
        const std::string before = std::filesystem::is_regular_file(errorFile) ? readBytes(errorFile) : "";
        std::vector<std::string> arguments = {"VELCPP"};
        arguments.insert(arguments.end(), c.outputPath.begin(), c.outputPath.end());
        arguments.push_back("src/a.cpp");
        const ProcessResult r = tool(arguments);
        EXPECT_EQ(r.status, 10);
        EXPECT_EQ(r.out, consoleText("Failed to open .err file for src/a.cpp\n"));
        const std::regex line("(^|\n)  error file " + std::regex_replace(c.tried, std::regex(R"([.^$|()\[\]{}*+?\\])"),
                                                                          R"(\$&)") +
                              ": " + c.cause + "\r?\n");
        EXPECT_TRUE(std::regex_search(r.err, line)) << r.err;
        if (std::filesystem::is_regular_file(errorFile)) {
            EXPECT_EQ(readBytes(errorFile), before);
        }
        std::filesystem::remove_all(errorFile);
        writeBytes(errorFile, original);
    }
}

} // namespace
