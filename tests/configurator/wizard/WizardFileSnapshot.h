// The files of a directory tree before and after a wizard run, and their comparison with expected files.
#pragma once

#include <map>
#include <string>

namespace wizardtest {

// Relative path ("drives/c/x/y.bat") -> bytes, for every regular file below `root`.
using FileTree = std::map<std::string, std::string>;

FileTree snapshotFiles(const std::string& root);

// The files of `after` that are new or differ from `before`.
FileTree changedFiles(const FileTree& before, const FileTree& after);

// The expected files of a case below tests/configurator/wizard/expected/<name>. With the environment
// variable ZEMB_UPDATE_EXPECTED=1 the given files replace them first (for reviewing changes by diff).
FileTree expectedFiles(const std::string& name, const FileTree& actual);

} // namespace wizardtest
