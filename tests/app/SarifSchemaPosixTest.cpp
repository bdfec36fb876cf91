// errtool sarif's log of the example checked against the SARIF 2.1.0 JSON schema, with the schema
// and validator that scripts/setup installs (Node.js). Under Wine no Node.js runs beside the Win32
// programs: scripts/test validates the log the Win32 build writes with the same validator.
#include "ExampleProject.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace apptest {
namespace {

using testsupport::ProcessResult;
using testsupport::readBytes;
using testsupport::runProcess;
using testsupport::writeBytes;

using SarifSchemaPosixTest = ExampleProject;

// Where scripts/setup installs the SARIF schema and its validator; ZEMB_SARIF_TOOLS overrides it.
std::string sarifTools()
{
    const char* given = std::getenv("ZEMB_SARIF_TOOLS");
    return given && *given ? given : "/usr/local/lib/zembrel-sarif";
}

ProcessResult validate(const std::string& sarif)
{
    return runProcess({"/usr/bin/env", "node", testsupport::sourceFile("tests/app/validate-sarif.js"), sarifTools(), sarif});
}

TEST_F(SarifSchemaPosixTest, sarifOfTheExampleValidatesAndTheValidatorRefusesWhatIsNotSarif)
{
    ASSERT_TRUE(testsupport::fileExists(sarifTools() + "/node_modules/ajv/package.json"))
        << "the SARIF schema and validator are missing: run scripts/setup";
    ASSERT_EQ(build().status, 0);
    const std::string sarif = path("example.sarif");
    const ProcessResult made = sarifOfTheExample(sarif);
    ASSERT_EQ(made.status, 0) << made.err;
    const ProcessResult valid = validate(sarif);
    EXPECT_EQ(valid.status, 0) << valid.out << valid.err;

    // Line numbers count from 1.
    std::string broken = readBytes(sarif);
    broken.replace(broken.find("\"startLine\": "), 15, "\"startLine\": 0,");
    writeBytes(path("broken.sarif"), broken);
    EXPECT_EQ(validate(path("broken.sarif")).status, 1);
}

} // namespace
} // namespace apptest
