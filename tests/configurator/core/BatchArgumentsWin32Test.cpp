// The generated post-analysis batch file run by cmd.exe with the arguments the analyser gives it:
// an output directory or source file that the analyser quoted, because it holds a blank or just
// because it quotes every path, reaches suppresszembrel.exe and the previous post-analysis command
// as one argument, without its quotes.
#include "BuildBatches.h"
#include "FakeInstallation.h"
#include "MessageCapture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

using conftest::FakeInstallation;

const std::string kCustomSa = "C:\\ZembInt\\ZembrelIntegration\\suppresszembrel\\custom_sa.bat";
const std::string kSuppressor = "C:\\ZembInt\\suppresszembrel\\suppresszembrel";
const std::string kViewer = "C:\\Tools\\viewer";
const std::string kDriver = "C:\\ZembInt\\analyser.bat";

// The arguments a stand-in program recorded, one a line, in wrenv.args beside itself.
std::vector<std::string> recordedArguments(const FakeInstallation& inst, const std::string& program)
{
    std::istringstream in(inst.read(program.substr(0, program.find_last_of('\\')) + "\\wrenv.args"));
    std::vector<std::string> args;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        args.push_back(line);
    }
    return args;
}

TEST(BatchArgumentsWin32, quotedAndBareArgumentsReachTheProgramsWhole)
{
    struct Case {
        const char* label;
        const char* written;   // the output directory and the source file as the analyser's command line holds them
        const char* directory; // what the programs must receive
        const char* file;
    };
    const Case cases[] = {
        {"bare, no blanks", "C:\\Out C:\\Proj\\a.cpp", "C:\\Out", "C:\\Proj\\a.cpp"},
        {"quoted, no blanks", "\"C:\\Out\" \"C:\\Proj\\a.cpp\"", "C:\\Out", "C:\\Proj\\a.cpp"},
        {"quoted, with blanks", "\"C:\\Jane Doe\\My Out\" \"C:\\Jane Doe\\My Project\\a b.cpp\"", "C:\\Jane Doe\\My Out",
         "C:\\Jane Doe\\My Project\\a b.cpp"},
        {"quoted with blanks, then bare", "\"C:\\Jane Doe\\My Out\" C:\\Proj\\a.cpp", "C:\\Jane Doe\\My Out", "C:\\Proj\\a.cpp"},
    };

    FakeInstallation inst;
    conftest::MessageCapture capture;
    const std::string standIn = testsupport::builtProgram("tests/configurator/core/wrenv_standin");
    testsupport::placeProgram(standIn, inst.host(kSuppressor));
    testsupport::placeProgram(standIn, inst.host(kViewer));
    conf::writePostAnalysisBatch(kCustomSa, true, kViewer + ".exe", "%Q %F");
    ASSERT_TRUE(capture.messages().empty()) << capture.last();

    const char* comspec = std::getenv("ComSpec");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        // The analyser starts the batch file through cmd.exe; a batch file that calls it gives the
        // test the command line's exact quoting.
        inst.write(kDriver, "@echo off\r\ncall " + kCustomSa + " VELCPP -op " + c.written + "\r\n");
        inst.remove("C:\\ZembInt\\suppresszembrel\\wrenv.args");
        inst.remove("C:\\Tools\\wrenv.args");
        testsupport::ProcessOptions options;
        options.inheritEnvironment = true;
        testsupport::runProcess({comspec ? comspec : "C:\\windows\\system32\\cmd.exe", "/c", kDriver}, options);

        const std::vector<std::string> expected = {"VELCPP", "-op", c.directory, c.file};
        std::vector<std::string> suppressor = expected;
        suppressor.insert(suppressor.end(), {"-forget", "cmaf"});
        EXPECT_EQ(suppressor, recordedArguments(inst, kSuppressor));
        EXPECT_EQ(expected, recordedArguments(inst, kViewer));
    }
}

} // namespace
