// Snapshots of the fake installation's files and the expected files of the route tests.
#include "WizardFileSnapshot.h"

#include "TestSupport.h"

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace wizardtest {

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

FileTree expectedFiles(const std::string& name, const FileTree& actual)
{
    const std::string dir = testsupport::sourceFile("tests/configurator/wizard/expected/" + name);
    const char* update = std::getenv("ZEMB_UPDATE_EXPECTED");
    if (update && std::string(update) == "1") {
        fs::remove_all(dir);
        for (const auto& [path, bytes] : actual)
            testsupport::writeBytes(dir + "/" + path, bytes);
    }
    return snapshotFiles(dir);
}

} // namespace wizardtest
