// errtool given the wrong file or reading dry runs and doubtful rules: it says so instead of an
// empty or misleading answer.
#include "TestSupport.h"

#include "U_Sha256.h"

#include <gtest/gtest.h>

#include <algorithm>

using testsupport::ProcessResult;
using testsupport::builtProgram;
using testsupport::runProcess;
using testsupport::writeBytes;

namespace {

TEST(ErrtoolMistakes, wrongFilesAndDryRunsAndDoubtfulRulesAreSaid)
{
    testsupport::TempDir dir;
    const std::string parameterRules = "4211 1 ^reserved$\r\n0 0 x\r\n";
    const std::string sha = sha256Hex(parameterRules);
    const std::string rule = "\"rules_file\":\"p.txt\",\"rules_sha256\":\"" + sha + "\"";
    writeBytes(dir.file("p.txt"), parameterRules);
    writeBytes(dir.file("report.jsonl"),
               "{\"type\":\"run\",\"message_rules\":\"m.txt\",\"message_rules_sha256\":\"aa\",\"parameter_rules\":"
               "\"p.txt\",\"parameter_rules_sha256\":\"" + sha + "\",\"files\":1,\"diagnostics\":3,\"records\":2,"
               "\"unusable\":0,\"dry_run\":1}\r\n"
               "{\"type\":\"warning\"," + rule + ",\"rule_line\":2,\"rule\":\"0 0 x\",\"kind\":\"parameter\","
               "\"position\":0,\"warning\":\"the message number is 0: it reads as 0\"}\r\n");
    writeBytes(dir.file("empty.err"), "");
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        int status;
        std::string out; // contained in standard output
        std::string err; // contained in standard error
    };
    const Case cases[] = {
        {"a rules file as the report", {"rules-report", dir.file("p.txt")}, 2, "",
         dir.file("p.txt") + " is not a report file of suppresszembrel"},
        {"dry runs", {"rules-report", dir.file("report.jsonl")}, 0,
         "Runs: 1 (1 dry runs); summed over the runs: 1 files and 3 diagnostics examined, 0 records appended, 2 "
         "records would be appended by the dry runs\n", ""},
        {"doubtful rules", {"rules-report", dir.file("report.jsonl")}, 0, "the message number is 0: it reads as 0",
         ""},
        {"parameter rules given as --rules", {"rules-report", dir.file("report.jsonl"), "--rules", dir.file("p.txt")},
         0, dir.file("p.txt") + ": the runs read this file as parameter rules, so it is compared as such", ""},
        {"an empty error file", {"dump", dir.file("empty.err")}, 0,
         dir.file("empty.err") + ": the file is empty (shorter than a format id), no records\n", ""},
        {"a missing error file", {"dump", dir.file("none.err")}, 2, "",
         "errtool: cannot read error file " + dir.file("none.err") + ": missing"},
        {"a missing error file for SARIF", {"sarif", dir.file("none.err")}, 2, "",
         "errtool: cannot read error file " + dir.file("none.err") + ": missing"},
        {"a rules file as an error file for SARIF", {"sarif", dir.file("p.txt")}, 2, "",
         "errtool: cannot read error file " + dir.file("p.txt") + ": not an error file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> command = {builtProgram("tools/errtool/errtool")};
        command.insert(command.end(), c.arguments.begin(), c.arguments.end());
        ProcessResult r = runProcess(command);
        for (std::string* text : {&r.out, &r.err})
            text->erase(std::remove(text->begin(), text->end(), '\r'), text->end());
        EXPECT_EQ(r.status, c.status) << r.out << r.err;
        EXPECT_NE(r.out.find(c.out), std::string::npos) << r.out;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
}

} // namespace
