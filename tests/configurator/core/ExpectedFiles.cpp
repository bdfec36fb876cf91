// Loads expected files; keeps the actual output of a missing one for review.
#include "ExpectedFiles.h"

#include "TestSupport.h"

namespace conftest {

std::string expectedFile(const std::string& name, const std::string& actual)
{
    const std::string path = testsupport::sourceFile("tests/configurator/core/expected/" + name);
    if (testsupport::fileExists(path))
        return testsupport::readBytes(path);
    testsupport::writeBytes(name + ".actual", actual);
    return "<missing expected file " + name + ">";
}

} // namespace conftest
