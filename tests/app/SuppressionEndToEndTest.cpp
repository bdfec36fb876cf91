// suppresszembrel doing its whole job, run as a real process on error files made with errtool.
#include "M_InputBonnie.h"
#include "U_LocationData.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using testsupport::consoleText;
using testsupport::ProcessResult;
using testsupport::TempDir;
using testsupport::builtProgram;
using testsupport::readBytes;
using testsupport::runProcess;
using testsupport::writeBytes;

namespace {

// One suppression record of an error file, reduced to what the tool decides.
struct Record {
    std::int32_t kind;
    std::string messages; // "first-last"
    std::string file;
    std::int32_t line;
    std::size_t block;    // 1-based block the record stands in

    bool operator==(const Record& o) const
    {
        return kind == o.kind && messages == o.messages && file == o.file && line == o.line && block == o.block;
    }
};

std::ostream& operator<<(std::ostream& out, const Record& r)
{
    return out << "{kind " << r.kind << ", " << r.messages << ", " << r.file << ":" << r.line << ", block " << r.block
               << "}";
}

// An installed VELCPP, the tool under a directory of its own (its program directory, where the
// default rules files are looked for), sources in src/ and error files in out/.
class SuppressionEndToEndTest : public testing::Test {
protected:
    SuppressionEndToEndTest() : root(std::filesystem::canonical(dir.path()).generic_string())
    {
        writeBytes(path("bin/velcpp.cfg"), "#options\n");
        writeBytes(path("home/.keep"), "");
        writeBytes(path("out/.keep"), "");
        std::filesystem::create_directories(path("tool"));
        testsupport::placeProgram(builtProgram("app/suppresszembrel"), path("tool/suppresszembrel"));
        options.workingDirectory = root;
        options.env = {{"VELCPPBIN", path("bin")},
                       {"VELCPPTEMPFILES", root},
                       {"HOME", path("home")},
                       {"PATH", testsupport::systemSearchPath()}};
    }

    std::string path(const std::string& name) const { return root + "/" + name; }

    void source(const std::string& name, const std::string& text) { writeBytes(path("src/" + name), text); }
    void messageRules(const std::string& text) { writeBytes(path("tool/suppressions.txt"), text); }
    void parameterRules(const std::string& text) { writeBytes(path("tool/parameter_suppressions.txt"), text); }

    // Builds out/<source>.err with errtool from a description in which "S" names src/<source>.
    void errorFile(const std::string& sourceName, const std::string& description,
                   const std::string& directory = "out")
    {
        const std::string text = "file S " + path("src/" + sourceName) + " src/" + sourceName + "\n" + description;
        writeBytes(path("desc.txt"), text);
        const ProcessResult made = runProcess(
            {builtProgram("tools/errtool/errtool"), "make", path("desc.txt"), path(directory + "/" + sourceName + ".err")});
        ASSERT_EQ(made.status, 0) << made.err;
    }

    // The tool as the generated batch file starts it: product, -op, the output path, the file,
    // then "-forget cmaf".
    ProcessResult batch(const std::string& file, const std::string& outputPath = "")
    {
        return tool({"VELCPP", "-op", outputPath.empty() ? path("out") : outputPath, file, "-forget", "cmaf"});
    }

    ProcessResult tool(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), path("tool/suppresszembrel") + testsupport::kProgramSuffix);
        return runProcess(arguments, options);
    }

    std::vector<Record> records(const std::string& errorFilePath)
    {
        const auto reader = M_InputBonnie::openAndRead(errorFilePath, "x");
        EXPECT_TRUE(reader) << errorFilePath;
        std::vector<Record> result;
        if (!reader)
            return result;
        const auto& starts = reader->blockStarts();
        for (std::size_t i = 0; i < reader->suppressions().size(); ++i) {
            const auto& s = *reader->suppressions()[i];
            std::size_t block = 0;
            while (block < starts.size() && starts[block].suppressions <= i)
                ++block;
            const auto& range = s.messageRanges().at(0);
            result.push_back(Record{s.kind(), range.first + "-" + range.second,
                                    s.rangeStart()->file().fullName(), s.rangeStart()->line(), block});
        }
        return result;
    }

    TempDir dir;
    std::string root;
    testsupport::ProcessOptions options;
};

const char* const kThreeLines = "int a = 1; // legacy\n"
                                "legacy_call(a);\n"
                                "int b = 2;\n";

TEST_F(SuppressionEndToEndTest, messageRulesMatchSourceLinesAnchoredAndUnanchored)
{
    source("a.cpp", kThreeLines);
    errorFile("a.cpp", "loc L1 S 1 5\nloc L2 S 2 1\nloc L3 S 3 5\nblock\n"
                       "diag L1 100\nend\ndiag L2 100\nend\ndiag L2 200\nend\ndiag L3 200\nend\ndiag L1 200\nend\n");
    messageRules("100 legacy$\n200 ^legacy\n");
    const ProcessResult r = batch("src/a.cpp");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    const std::string src = path("src/a.cpp");
    EXPECT_EQ(records(path("out/a.cpp.err")),
              (std::vector<Record>{{1, "100-100", src, 1, 2}, {1, "200-200", src, 2, 2}}));
}

TEST_F(SuppressionEndToEndTest, secondRuleOfANumberMatchesAndLineZeroNeedsAParameterRule)
{
    source("a.cpp", kThreeLines);
    errorFile("a.cpp", "loc L0 S 0 0\nloc L2 S 2 1\nloc L9 S 9 1\nblock\n"
                       "diag L2 7\nend\ndiag L0 7\n str \"legacy\"\nend\ndiag L9 8\nend\n");
    messageRules("7 nothing\n7 call\n7 .\n8 ^int b\n");
    parameterRules("7 1 ^legacy$\n");
    const ProcessResult r = batch("src/a.cpp");
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string src = path("src/a.cpp");
    // Line 9 lies past the end: the last read found nothing, so "^int b" does not match.
    EXPECT_EQ(records(path("out/a.cpp.err")),
              (std::vector<Record>{{1, "7-7", src, 2, 2}, {1, "7-7", src, 0, 3}}));
}

TEST_F(SuppressionEndToEndTest, diagnosticPastTheLastLineSeesTheLastLineWithoutLineFeed)
{
    source("a.cpp", "int a;\nint last;");
    errorFile("a.cpp", "loc L9 S 9 1\nblock\ndiag L9 8\nend\n");
    messageRules("8 last\n");
    EXPECT_EQ(batch("src/a.cpp").status, 0);
    EXPECT_EQ(records(path("out/a.cpp.err")).size(), 1u);
}

TEST_F(SuppressionEndToEndTest, parameterRulesTestStringParametersByPosition)
{
    source("a.cpp", kThreeLines);
    errorFile("a.cpp", "loc L1 S 1 1\nloc L2 S 2 1\nloc L3 S 3 1\nblock\n"
                       "diag L1 50\n str \"std::vector\"\n str \"x\"\nend\n"
                       "diag L2 50\n str \"mine\"\n str \"std::map\"\nend\n"
                       "diag L3 50\n list \"std::list\" \"std::set\"\n str \"std::y\"\nend\n"
                       "diag L3 50\n str \"one\"\nend\n");
    messageRules("");
    parameterRules("50 1 ^std::\n50 2 ^std::map$\n");
    const ProcessResult r = batch("src/a.cpp");
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string src = path("src/a.cpp");
    EXPECT_EQ(records(path("out/a.cpp.err")),
              (std::vector<Record>{{1, "50-50", src, 1, 2}, {1, "50-50", src, 2, 2}}));
}

TEST_F(SuppressionEndToEndTest, bothKindsAppendTwoBlocksAndASecondRunFindsNothingLeft)
{
    source("a.cpp", kThreeLines);
    errorFile("a.cpp", "loc L1 S 1 1\nloc L3 S 3 1\nblock\ndiag L1 100\nend\ndiag L3 60\n str \"p\"\nend\n");
    messageRules("100 legacy\n");
    parameterRules("60 1 p\n");
    ASSERT_EQ(batch("src/a.cpp").status, 0);
    const std::string src = path("src/a.cpp");
    EXPECT_EQ(records(path("out/a.cpp.err")),
              (std::vector<Record>{{1, "100-100", src, 1, 2}, {1, "60-60", src, 3, 3}}));
    const std::string after = readBytes(path("out/a.cpp.err"));

    const ProcessResult again = batch("src/a.cpp");
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.out, consoleText("File " + src + " has no diagnostics.\n"));
    EXPECT_EQ(readBytes(path("out/a.cpp.err")), after);
}

TEST_F(SuppressionEndToEndTest, rulesThatMatchNothingLeaveTheErrorFileUntouched)
{
    source("a.cpp", kThreeLines);
    errorFile("a.cpp", "loc L1 S 1 1\nblock\ndiag L1 100\n str \"q\"\nend\n");
    const std::string before = readBytes(path("out/a.cpp.err"));
    messageRules("100 nowhere\n101 legacy\n");
    parameterRules("100 2 q\n");
    const ProcessResult r = batch("src/a.cpp");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(readBytes(path("out/a.cpp.err")), before);
}

TEST_F(SuppressionEndToEndTest, fourthFlagDiagnosticStaysACandidate)
{
    source("a.cpp", kThreeLines);
    errorFile("a.cpp", "loc L1 S 1 1\nblock\ndiag L1 100 fourth\nend\nsupp 1 L1 Auto L1 - 100 100\n");
    messageRules("100 legacy\n");
    ASSERT_EQ(batch("src/a.cpp").status, 0);
    EXPECT_EQ(records(path("out/a.cpp.err")).size(), 2u);
    // Still a candidate on every run, so each run appends its record again.
    ASSERT_EQ(batch("src/a.cpp").status, 0);
    EXPECT_EQ(records(path("out/a.cpp.err")).size(), 3u);
}

TEST_F(SuppressionEndToEndTest, headerDiagnosticIsHiddenThroughItsIncludeLineOnTheNextRun)
{
    source("a.cpp", "#include \"h.h\" // legacy header\nint a;\n");
    source("h.h", "int inHeader;\n");
    errorFile("a.cpp", "file H " + path("src/h.h") + " src/h.h\nloc INC S 1 0\nloc LH H 1 4 incl INC\n"
                       "loc L1 S 1 1\nblock\ndiag L1 300\nend\ndiag LH 300\nend\n");
    messageRules("300 legacy header\n");
    ASSERT_EQ(batch("src/a.cpp").status, 0);
    ASSERT_EQ(records(path("out/a.cpp.err")).size(), 1u); // the header's own line does not match
    const ProcessResult again = batch("src/a.cpp");
    EXPECT_EQ(again.out, consoleText("File " + path("src/a.cpp") + " has no diagnostics.\n"));
}

TEST_F(SuppressionEndToEndTest, sameSourceNamedTwiceIsProcessedOnce)
{
    source("a.cpp", kThreeLines);
    errorFile("a.cpp", "loc L1 S 1 1\nblock\ndiag L1 100\nend\n");
    messageRules("100 legacy\n");
    const ProcessResult r = tool({"VELCPP", "-op", path("out"), "src/a.cpp", path("src/a.cpp"), "src/../src/a.cpp"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(records(path("out/a.cpp.err")).size(), 1u);
}

TEST_F(SuppressionEndToEndTest, crossModuleAnalysisFileAloneIsReadBesideItAndAppendedInTheOutputPath)
{
    writeBytes(path("project.cmaf"), "legacy code\n");
    writeBytes(path("cm/.keep"), "");
    const std::string description = "file C " + path("project.cmaf") + " project.cmaf\nloc L1 C 1 1\nblock\n"
                                    "diag L1 900\nend\n";
    writeBytes(path("desc.txt"), description);
    for (const std::string& target : {path("cm/project.cmaf.err"), path("out/project.cmaf.err")})
        ASSERT_EQ(runProcess({builtProgram("tools/errtool/errtool"), "make", path("desc.txt"), target}).status, 0);
    messageRules("900 legacy\n");
    const ProcessResult r = tool({"VELCPP", "-op", path("out"), "-cmaf", path("cm/project.cmaf")});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(records(path("out/project.cmaf.err")).size(), 1u);
    EXPECT_TRUE(records(path("cm/project.cmaf.err")).empty());
}

TEST_F(SuppressionEndToEndTest, forgetCmafAsTheBatchFilePassesItLeavesOnlyTheNamedFile)
{
    source("a.cpp", kThreeLines);
    errorFile("a.cpp", "loc L1 S 1 1\nblock\ndiag L1 100\nend\n");
    messageRules("100 legacy\n");
    const ProcessResult r = tool({"VELCPP", "-cmaf", path("missing.cmaf"), "-op", path("out"), "src/a.cpp",
                                  "-forget", "cmaf"});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(records(path("out/a.cpp.err")).size(), 1u);

    const ProcessResult only = tool({"VELCPP", "-op", path("out"), "-forget", "cmaf"});
    EXPECT_EQ(only.status, 10);
    EXPECT_EQ(only.err.rfind(consoleText("\nERROR: Missing required arguments.\n"), 0), 0u) << only.err;
}

TEST_F(SuppressionEndToEndTest, missingSourceInTheMiddleStopsAfterTheEarlierFilesWereUpdated)
{
    for (const std::string name : {"a.cpp", "c.cpp"}) {
        source(name, kThreeLines);
        errorFile(name, "loc L1 S 1 1\nblock\ndiag L1 100\nend\n");
    }
    messageRules("100 legacy\n");
    const std::string cBefore = readBytes(path("out/c.cpp.err"));
    const ProcessResult r = tool({"VELCPP", "-op", path("out"), "src/a.cpp", "src/b.cpp", "src/c.cpp"});
    EXPECT_EQ(r.status, 10);
    EXPECT_EQ(r.out, consoleText("src/b.cpp not found.\n"));
    EXPECT_EQ(records(path("out/a.cpp.err")).size(), 1u);
    EXPECT_EQ(readBytes(path("out/c.cpp.err")), cBefore);
}

TEST_F(SuppressionEndToEndTest, missingErrorFileAndMissingOutputDirectoryStop)
{
    source("a.cpp", kThreeLines);
    ProcessResult r = batch("src/a.cpp");
    EXPECT_EQ(r.status, 10);
    EXPECT_EQ(r.out, consoleText("Failed to open .err file for src/a.cpp\n"));

    r = batch("src/a.cpp", path("nowhere"));
    EXPECT_EQ(r.status, 10);
    EXPECT_EQ(r.out, consoleText(path("nowhere") + " not found.\n"));
}

TEST_F(SuppressionEndToEndTest, missingSuppressionsFileStopsTheRun)
{
    source("a.cpp", kThreeLines);
    errorFile("a.cpp", "loc L1 S 1 1\nblock\ndiag L1 100\nend\n");
    const std::string before = readBytes(path("out/a.cpp.err"));
    parameterRules("100 1 .\n");
    const ProcessResult r = batch("src/a.cpp");
    EXPECT_EQ(r.status, 10);
    EXPECT_EQ(r.out, consoleText(path("tool/suppressions.txt") + " not found.\n"));
    EXPECT_EQ(readBytes(path("out/a.cpp.err")), before);
}

TEST_F(SuppressionEndToEndTest, rulesFilesNamedByPostAnalysisOptions)
{
    source("a.cpp", kThreeLines);
    errorFile("a.cpp", "loc L1 S 1 1\nblock\ndiag L1 100\nend\n");
    writeBytes(path("rules/mine.txt"), "100 legacy\n");
    const ProcessResult r = tool({"VELCPP", "-op", path("out"), "-po", "suppresszembrel::suppressions_txt=rules/mine.txt",
                                  "-po", "suppresszembrel::parameter_suppressions_txt rules/none.txt", "src/a.cpp"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, consoleText("rules/none.txt not found.\nContinuing without parameter suppressions.\n"));
    EXPECT_EQ(records(path("out/a.cpp.err")).size(), 1u);
}

TEST_F(SuppressionEndToEndTest, badRuleLinesAreReportedForEveryFileAndSkipped)
{
    for (const std::string name : {"a.cpp", "b.cpp"}) {
        source(name, kThreeLines);
        errorFile(name, "loc L1 S 1 1\nblock\ndiag L1 100\nend\n");
    }
    messageRules("100\n100 (\n100 legacy\r\n");
    parameterRules("100 1\n");
    const ProcessResult r = tool({"VELCPP", "-op", path("out"), "src/a.cpp", "src/b.cpp"});
    EXPECT_EQ(r.status, 0);
    const std::string m = path("tool/suppressions.txt");
    const std::string p = path("tool/parameter_suppressions.txt");
    const std::string perFile = "Ignoring " + m + " line with no message number: 100\n"
                                "Ignoring " + m + " regex compilation error for line: 100 (\n"
                                "Ignoring " + p + " line with no position parameter: 100 1\n";
    EXPECT_EQ(r.out, consoleText(perFile + perFile));
    EXPECT_EQ(records(path("out/a.cpp.err")).size(), 1u);
    EXPECT_EQ(records(path("out/b.cpp.err")).size(), 1u);
}

TEST_F(SuppressionEndToEndTest, recordsGoToTheErrorFileThatWasReadWhenOutputPathFollowsTheFile)
{
    source("a.cpp", kThreeLines);
    errorFile("a.cpp", "loc L1 S 1 1\nblock\ndiag L1 100\nend\n");
    writeBytes(path("later/.keep"), "");
    messageRules("100 legacy\n");
    const ProcessResult r = tool({"VELCPP", "-op", path("out"), "src/a.cpp", "-op", path("later")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(records(path("out/a.cpp.err")).size(), 1u);
    EXPECT_FALSE(testsupport::fileExists(path("later/a.cpp.err")));
}

} // namespace

TEST_F(SuppressionEndToEndTest, rulesFileReportsFollowEachFilesOwnOutcome)
{
    // a.cpp: a diagnostic that a rule matches. b.cpp: its only diagnostic is suppressed already,
    // so the file has no diagnostics and the rules files are not reported for it. c.cpp: only a
    // number that no rule names, not suppressed: the rules are reported, nothing is appended.
    // d.cpp: no error file, which stops the run before anything about the rules of d.cpp.
    for (const std::string name : {"a.cpp", "b.cpp", "c.cpp", "d.cpp"})
        source(name, kThreeLines);
    errorFile("a.cpp", "loc L1 S 1 1\nblock\ndiag L1 100\nend\n");
    errorFile("b.cpp", "loc L1 S 1 1\nblock\ndiag L1 100\nend\nsupp 1 L1 Auto L1 - 100 100\n");
    errorFile("c.cpp", "loc L1 S 2 1\nblock\ndiag L1 555\nend\n");
    const std::string untouchedC = readBytes(path("out/c.cpp.err"));
    messageRules("100 legacy\n100 (\n");
    const ProcessResult r = tool({"VELCPP", "-op", path("out"), "src/a.cpp", "src/b.cpp", "src/c.cpp", "src/d.cpp"});
    EXPECT_EQ(r.status, 10);
    const std::string report = "Ignoring " + path("tool/suppressions.txt") + " regex compilation error for line: 100 (\n";
    EXPECT_EQ(r.out, consoleText(report + "File " + path("src/b.cpp") + " has no diagnostics.\n" + report +
                         "Failed to open .err file for src/d.cpp\n"));
    EXPECT_EQ(records(path("out/a.cpp.err")).size(), 1u);
    EXPECT_EQ(readBytes(path("out/c.cpp.err")), untouchedC);
}

TEST_F(SuppressionEndToEndTest, missingSuppressionsFileDoesNotStopAFileWithNothingLeftToSuppress)
{
    source("a.cpp", kThreeLines);
    errorFile("a.cpp", "loc L1 S 1 1\nblock\ndiag L1 100\nend\nsupp 1 L1 Auto L1 - 100 100\n");
    source("b.cpp", kThreeLines);
    errorFile("b.cpp", "loc L1 S 1 1\nblock\ndiag L1 777\nend\n");
    const ProcessResult r = tool({"VELCPP", "-op", path("out"), "src/a.cpp", "src/b.cpp"});
    EXPECT_EQ(r.status, 10);
    // The first file never needs the rules; the second does, though no rule could name 777.
    EXPECT_EQ(r.out, consoleText("File " + path("src/a.cpp") + " has no diagnostics.\n" + path("tool/suppressions.txt") +
                         " not found.\n"));
}
