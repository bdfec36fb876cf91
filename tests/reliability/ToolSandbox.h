// An installed VELCPP with suppresszembrel, sources and error files in a temporary directory.
#pragma once

#include "ChildProcess.h"
#include "TestSupport.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace reltest {

using testsupport::ChildId;
using testsupport::ChildOptions;
using testsupport::killChild;
using testsupport::startChild;
using testsupport::waitForChild;

// Layout below the temporary directory: bin/velcpp.cfg, home/, tool/suppresszembrel (the built
// program, linked or copied, so its rules files are looked for in tool/), src/ for sources, out/ for
// error files.
class ToolSandbox {
public:
    ToolSandbox();

    std::string path(const std::string& name) const { return root_ + "/" + name; }

    void source(const std::string& name, const std::string& text) const;
    void messageRules(const std::string& text) const;
    void parameterRules(const std::string& text) const;
    // Builds out/<source>.err with "errtool make" from a description in which the file name "S"
    // stands for src/<source>; answers the error file's path.
    std::string errorFile(const std::string& sourceName, const std::string& description) const;

    // The command line the generated batch file uses, for the sources (names below src/).
    std::vector<std::string> toolCommand(const std::vector<std::string>& sources) const;
    // Runs the tool to its end.
    testsupport::ProcessResult runTool(const std::vector<std::string>& sources) const;
    // Options for starting the tool or errtool as a child with the sandbox's environment.
    ChildOptions childOptions() const;

    // Every regular file below out/ with its bytes ("<unreadable>" for one that cannot be read).
    std::map<std::string, std::string> outputSnapshot() const;

private:
    testsupport::TempDir dir_;
    std::string root_;
};

// The number of suppression records in each block of the error file (the records before the first
// block record count as block 0), or nothing when the reader refuses the file.
std::optional<std::vector<std::size_t>> suppressionsPerBlock(const std::string& errorFilePath);

// The path of errtool.
std::string errtoolProgram();

} // namespace reltest
