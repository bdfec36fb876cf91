// The bundled example project installed in a temporary directory, with the real suppresszembrel
// and errtool run on it as the demo runs them.
#pragma once

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace apptest {

// What identifies an appended record: error file, message number, file, line, column.
using RecordKey = std::tuple<std::string, std::int64_t, std::string, std::int64_t, std::int64_t>;

// A report's lines, each read as JSON; every line must end with CR LF and parse.
std::vector<nlohmann::json> reportLines(const std::string& path);
std::vector<nlohmann::json> linesOfType(const std::vector<nlohmann::json>& lines, const std::string& type);
// Whether one line of the text holds the pieces in this order (table columns are padded).
bool hasRow(const std::string& text, const std::vector<std::string>& pieces);
std::multiset<RecordKey> recordKeys(const std::vector<nlohmann::json>& records);

// examples/project below a temporary directory: bin/velcpp.cfg (VELCPPBIN), tool/ with the program
// and the example's rules files beside it, src/ with the sources, out/ with the analyser's error
// files made by errtool from the example's descriptions. Paths use "/" (on Windows after a drive
// letter), as the tool prints them.
class ExampleProject : public testing::Test {
protected:
    ExampleProject();

    std::string path(const std::string& name) const { return root + "/" + name; }
    std::string errorFile(const std::string& source) const { return path("out/" + source + ".err"); }

    testsupport::ProcessResult errtool(std::vector<std::string> arguments) const;
    // The command line of one run as the generated batch file starts it, with further arguments.
    std::vector<std::string> toolCommand(const std::vector<std::string>& sources,
                                         const std::vector<std::string>& more = {}) const;
    testsupport::ProcessResult tool(const std::string& source, const std::vector<std::string>& more = {}) const;
    // The example's build: one run per analysed file; the outputs and statuses joined.
    testsupport::ProcessResult build(const std::vector<std::string>& more = {}) const;

    // errtool sarif on the example's error files, below the source root (default: the project's root).
    testsupport::ProcessResult sarifOfTheExample(const std::string& output, const std::string& sourceRoot = "") const;

    std::map<std::string, std::string> errorFiles() const;
    // Every suppression record appended after the analyser's own block, by error file.
    std::multiset<RecordKey> appendedRecords() const;

    const std::vector<std::string> sources{"sensor.cpp", "main.cpp"};
    testsupport::TempDir dir;
    std::string root;
    testsupport::ProcessOptions options;
};

} // namespace apptest
