// The files a configuration writes, and the expected files of each route through the configurator,
// shared by the wizard's and the unattended configurator's route tests.
#pragma once

#include <map>
#include <string>

namespace conftest {

class FakeInstallation;

// The personality files the routes choose, below C:\Pers of the installation: diab.p_c (Diab),
// gnu.p_c (GNU), both.p_c (names both compilers, so neither is detected), team.p_s (a message
// personality that runs a post-analysis command) and team.p_a (an analyser personality).
void writeRoutePersonalities(const FakeInstallation& install);

// Relative path ("drives/c/x/y.bat") -> bytes, for every regular file below `root`.
using FileTree = std::map<std::string, std::string>;

FileTree snapshotFiles(const std::string& root);

// The files of `after` that are new or differ from `before`.
FileTree changedFiles(const FileTree& before, const FileTree& after);

// The expected files of a route, below tests/configurator/wizard/expected/<route>.
FileTree expectedRouteFiles(const std::string& route);

// The same; with the environment variable ZEMB_UPDATE_EXPECTED=1 the given files replace them
// first (for reviewing a change of the generated files by diff). Only the wizard's tests do that.
FileTree updatedRouteFiles(const std::string& route, const FileTree& actual);

// "" when `actual` holds exactly the files of `expected`, byte for byte; otherwise one line for each
// file that is missing, unexpected or different.
std::string differences(const FileTree& actual, const FileTree& expected);

} // namespace conftest
