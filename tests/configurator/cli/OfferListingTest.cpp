// zembrelconf-cli --list: what the installation offers, from the same lookups the wizard makes.
#include "CliRun.h"
#include "FakeInstallation.h"

#include "CliMessages.h"
#include "Registry.h"
#include "UnattendedRun.h"

#include <gtest/gtest.h>

namespace {

using conftest::FakeInstallation;

TEST(OfferListing, listsVersionsPersonalitiesAndTheChoicesOfEveryAnswer)
{
    FakeInstallation install;
    // 2.9 has no installation directory; 2.4 has neither Visual Studio personality. The registry
    // lists them by name.
    install.writeRegistry(FakeInstallation::registryText({"3.0"}) +
                          "\r\n[HKEY_LOCAL_MACHINE\\Software\\NX:VEL\\VEL C++ Source Code Analyser\\2.9]\r\n"
                          "\r\n[HKEY_LOCAL_MACHINE\\Software\\NX:VEL\\VEL C++ Source Code Analyser\\2.4]\r\n"
                          "\"Path\"=\"C:\\\\VEL\"\r\n");
    const clitest::CliRun r = clitest::runCli(install, {"--list"});
    EXPECT_EQ(r.result.status, 0);
    EXPECT_EQ(r.result.out,
              "Analyser versions (analyser-version):\n"
              "  2.4  C:\\VEL\n"
              "  2.9  (no usable installation directory)\n"
              "  3.0  C:\\VEL\\VELCPP3  (preselected)\n"
              "Visual Studio versions (visual-studio-version) and their compiler personalities:\n"
              "  with analyser version 2.4: none\n"
              "  with analyser version 2.9: none\n"
              "  with analyser version 3.0:\n"
              "    6     C:\\VEL\\VELCPP3\\personalities\\mvc6.p_c\n"
              "    2005  C:\\VEL\\VELCPP3\\personalities\\VC++2005.p_c\n"
              "VxWorks versions (vxworks-version): 6.0 6.1 6.2 6.3 6.4 6.5 6.6 6.7 6.8 6.9\n"
              "VxWorks compiler personalities (compiler-personality):\n"
              "  existing   a personality file (compiler-personality-file); the compiler (compiler: diab, gnu) "
              "when the file does not tell\n"
              "  generated  generated for a compiler (compiler: diab, gnu) and a VxWorks version\n"
              "Message personalities (message-personality): default, or an existing file\n"
              "Analyser personalities (analyser-personality): none, or an existing file\n");
    EXPECT_TRUE(r.written.empty());
}

TEST(OfferListing, listsTheExampleInstallation)
{
    FakeInstallation install(testsupport::sourceFile("examples/installation"));
    const clitest::CliRun r = clitest::runCli(install, {"--list"});
    EXPECT_EQ(r.result.status, 0);
    for (const char* line : {"  2.9  C:\\VEL\\VELCPP29\n", "  3.0  C:\\VEL\\VELCPP30  (preselected)\n",
                             "  with analyser version 2.9:\n    2003  C:\\VEL\\VELCPP29\\personalities\\VC++NET_2003.p_c\n",
                             "    2008  C:\\VEL\\VELCPP30\\personalities\\VC++2008.p_c\n"})
        EXPECT_NE(r.result.out.find(line), std::string::npos) << line << r.result.out;
}

TEST(OfferListing, withoutAnAcceptedVersionSaysSoAsTheWizardDoes)
{
    FakeInstallation install;
    install.writeRegistry(FakeInstallation::registryText({"2.3"}));
    const clitest::CliRun r = clitest::runCli(install, {"--list"});
    EXPECT_EQ(r.result.status, confcli::kStatusNoInstallation);
    const std::string hint =
        platform::RegistryKey::readsExportFile() ? std::string(confcli::msg::kInstallationHint) + "\n" : "";
    EXPECT_EQ(r.result.out, "No installations of VELC++ found\nPlease install VELC++ and try again\n\n" + hint);
}

} // namespace
