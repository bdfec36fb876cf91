// Snapshots of a fake installation's files and the expected files of the routes.
#include "RouteFiles.h"

#include "FakeInstallation.h"
#include "TestSupport.h"

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace conftest {

namespace {

std::string routeDirectory(const std::string& route)
{
    return testsupport::sourceFile("tests/configurator/wizard/expected/" + route);
}

} // namespace

void writeRoutePersonalities(const FakeInstallation& install)
{
    install.write("C:\\Pers\\diab.p_c", "-D__DCC__=1\r\n-D__VXWORKS__\r\n");
    install.write("C:\\Pers\\gnu.p_c", "-D__GNUC__=4\r\n");
    install.write("C:\\Pers\\both.p_c", "-D__DCC__=1\r\n-D__GNUC__=4\r\n");
    install.write("C:\\Pers\\team.p_s", "// team\r\n-rem \"EnablePostAnalysis=1\"\r\n"
                                        "-rem \"ShellExe=C:\\Tools\\viewer.exe\"\r\n"
                                        "-rem \"ShellParams=-r %Q %F %P+ %N %S\"\r\n-e1960\r\n");
    install.write("C:\\Pers\\team.p_a", "-wlevel 4\r\n");
}

FileTree snapshotFiles(const std::string& root)
{
    FileTree tree;
    if (!fs::exists(root))
        return tree;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file())
            tree[fs::relative(entry.path(), root).generic_string()] = testsupport::readBytes(entry.path().string());
    }
    return tree;
}

FileTree changedFiles(const FileTree& before, const FileTree& after)
{
    FileTree changed;
    for (const auto& [path, bytes] : after) {
        const auto old = before.find(path);
        if (old == before.end() || old->second != bytes)
            changed[path] = bytes;
    }
    return changed;
}

FileTree expectedRouteFiles(const std::string& route)
{
    return snapshotFiles(routeDirectory(route));
}

FileTree updatedRouteFiles(const std::string& route, const FileTree& actual)
{
    const char* update = std::getenv("ZEMB_UPDATE_EXPECTED");
    if (update && std::string(update) == "1") {
        const std::string dir = routeDirectory(route);
        fs::remove_all(dir);
        for (const auto& [path, bytes] : actual)
            testsupport::writeBytes(dir + "/" + path, bytes);
    }
    return expectedRouteFiles(route);
}

std::string differences(const FileTree& actual, const FileTree& expected)
{
    std::string report;
    for (const auto& [path, bytes] : expected) {
        const auto found = actual.find(path);
        if (found == actual.end())
            report += "missing: " + path + "\n";
        else if (found->second != bytes)
            report += "different: " + path + "\n--- expected\n" + bytes + "\n--- written\n" + found->second + "\n";
    }
    for (const auto& entry : actual) {
        if (!expected.count(entry.first))
            report += "not expected: " + entry.first + "\n";
    }
    return report;
}

} // namespace conftest
