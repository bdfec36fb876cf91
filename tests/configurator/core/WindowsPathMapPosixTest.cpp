// The portable layer's drive mapping: drive X: is a directory, names matched whatever their case.
#include "FakeInstallation.h"
#include "WindowsPathMap.h"

#include <gtest/gtest.h>

namespace {

using conftest::FakeInstallation;

TEST(WindowsPathMap, mapsDrivesAndMatchesNamesWhateverTheirCase)
{
    FakeInstallation inst;
    EXPECT_EQ(inst.host("D:\\Tools\\Zembrel\\Share\\etc\\msmake.bat"),
              platform::hostPathOf("d:\\TOOLS\\zembrel\\share\\ETC\\MsMake.bat"));
    EXPECT_EQ(inst.host("C:\\ZembInt\\ZembrelIntegration"), platform::hostPathOf("C:/zembint//./x/../ZEMBRELINTEGRATION/"));
    // A missing component keeps its spelling, so it can be created.
    EXPECT_EQ(inst.host("C:\\ZembInt\\NewDir\\f.txt"), platform::hostPathOf("C:\\ZEMBINT\\NewDir\\f.txt"));
}

} // namespace
