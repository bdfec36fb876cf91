// The analyser stand-in of the Windows journey: what it reads from the generated configuration, and
// the arguments it gives the post-analysis command.
#include "AnalyserStandIn.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const kBuildBatch =
    "@echo off\r\nset velcpp=C:\\VEL\\VELCPP30\r\ncall \"%velcpp%\\bin\\VelcppConf.bat\" >NUL\r\n"
    "nmake /nologo /f %1 %TARGET%\r\n"
    "C:\\VEL\\ZembrelIntegration\\wrapper\\create_project_back_end.exe -wqp master.wqp -prjf velcpp\\velcpp.prj "
    "-p_c C:\\VEL\\VELCPP30\\personalities\\VC++2008.p_c -p_s C:\\PROGRA~1\\ZEMBRE~1\\ZembrelIntegration\\suppresszembrel\\custom.p_s\r\n";

const char* const kPersonality =
    "-rem \"EnablePostAnalysis=1\"\r\n-rem \"ShellExe=C:\\VEL\\ZembrelIntegration\\suppresszembrel\\custom_sa.bat\"\r\n"
    "-rem \"ShellParams=%Q %F %P+ %N+ %S\"\r\n// The team's message personality.\r\n-e1960\r\n";

TEST(AnalyserStandInTest, readsWhatTheConfigurationWroteAndRefusesWhatLacksAPart)
{
    struct Case {
        std::string text;
        bool batch; // a build batch, or else a message personality
        std::string expected; // the values read, or the reason given
    };
    const std::vector<Case> cases = {
        {kBuildBatch, true, "C:\\VEL\\VELCPP30|C:\\PROGRA~1\\ZEMBRE~1\\ZembrelIntegration\\suppresszembrel\\custom.p_s"},
        {"SET VELCPP=D:\\A\ncreate_project_back_end.exe -p_s D:\\m.p_s\n", true, "D:\\A|D:\\m.p_s"},
        {"create_project_back_end.exe -p_s D:\\m.p_s\r\n", true, "the build batch sets no analyser directory (set velcpp=)"},
        {"set velcpp=C:\\V\r\ncreate_project_back_end.exe -p_c x.p_c\r\n", true,
         "the build batch names no message personality (-p_s)"},
        {"set velcpp=C:\\V\r\nrem -p_s elsewhere.p_s\r\n", true, "the build batch names no message personality (-p_s)"},
        {kPersonality, false, "1|C:\\VEL\\ZembrelIntegration\\suppresszembrel\\custom_sa.bat|%Q %F %P+ %N+ %S"},
        {"-REM \"enablepostanalysis=1\"\n-rem \"SHELLEXE=x.bat\"\n", false, "1|x.bat|"},
        {"-rem \"EnablePostAnalysis=0\"\r\n-rem \"ShellExe=x.bat\"\r\n", false,
         "the message personality does not enable the post-analysis command"},
        {"-rem \"EnablePostAnalysis=1\"\r\n-rem \"ShellParams=%Q\"\r\n", false,
         "the message personality names no post-analysis command (ShellExe)"},
        {"-rem \"EnablePostAnalysis=1\r\n-rem \"ShellExe=x.bat\"\r\n", false,
         "the message personality does not enable the post-analysis command"},
    };
    for (const Case& c : cases) {
        std::string why;
        std::string read;
        if (c.batch) {
            standin::BuildBatch batch;
            read = standin::readBuildBatch(c.text, batch, why) ? batch.analyserDirectory + "|" + batch.messagePersonality : why;
        } else {
            standin::PostAnalysis command;
            read = standin::readPostAnalysis(c.text, command, why)
                       ? std::string(command.enabled ? "1" : "0") + "|" + command.shellExe + "|" + command.shellParams
                       : why;
        }
        EXPECT_EQ(c.expected, read) << c.text;
    }
}

TEST(AnalyserStandInTest, fillsThePlaceholdersAsTheAnalyserDoes)
{
    const standin::AnalysedFile file{"C:\\users\\Jane Doe\\My Project\\Pr\xC3\xBC" "fung",
                                     "C:\\users\\Jane Doe\\My Project\\src\\sensor.cpp", "journey"};
    struct Case {
        std::string params;
        std::vector<std::string> expected; // empty with a reason: refused
        std::string why;
    };
    const std::vector<Case> cases = {
        {"%Q %F %P+ %N+ %S",
         {"VELCPP", "-op", file.outputDirectory, file.sourceFile, "-p", "velcpp\\velcpp.prj", "-n", "sensor", "journey"},
         ""},
        {"  %F   -x %Q ", {"-op", file.outputDirectory, file.sourceFile, "-x", "VELCPP"}, ""},
        {"", {}, ""},
        {"%Q %X", {}, "placeholder %X of ShellParams is unknown to the analyser stand-in"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments;
        std::string why;
        EXPECT_EQ(c.why.empty(), standin::postAnalysisArguments(c.params, file, arguments, why)) << c.params;
        EXPECT_EQ(c.why, why) << c.params;
        if (c.why.empty()) {
            EXPECT_EQ(c.expected, arguments) << c.params;
        }
    }
}

} // namespace
