// The configurator reads the installations from the 32-bit view of HKEY_LOCAL_MACHINE\Software,
// where the 32-bit installers of the analyser and the integration write on 64-bit Windows: a 64-bit
// build finds what a 32-bit one finds, and nothing that is only in the 64-bit view.
#include "Discovery.h"
#include "FakeInstallation.h"

#include "win32/Win32Utf16.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using conftest::FakeInstallation;

// Writes a string value into one view of HKEY_LOCAL_MACHINE, creating the key.
void writeValue(REGSAM view, const std::string& key, const std::string& name, const std::string& value)
{
    HKEY handle = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, platform::win32::toWide(key).c_str(), 0, nullptr, 0,
                                             KEY_ALL_ACCESS | view, nullptr, &handle, nullptr))
        << key;
    const std::wstring data = platform::win32::toWide(value);
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExW(handle, platform::win32::toWide(name).c_str(), 0, REG_SZ,
                                            reinterpret_cast<const BYTE*>(data.c_str()),
                                            static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))));
    RegCloseKey(handle);
}

void deleteTree(REGSAM view, const std::string& key)
{
    HKEY software = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software", 0, KEY_ALL_ACCESS | view, &software) != ERROR_SUCCESS)
        return;
    RegDeleteTreeW(software, platform::win32::toWide(key).c_str());
    RegCloseKey(software);
}

TEST(RegistryViewWin32, theInstallationIsReadFromThe32BitViewAndADecoyInThe64BitViewIsNotSeen)
{
    FakeInstallation inst; // its keys are imported into the 32-bit view
    const std::string decoy = "Software\\NX:VEL\\VEL C++ Source Code Analyser\\9.9";
    writeValue(KEY_WOW64_64KEY, decoy, "Path", "C:\\VEL\\VELCPP3");
    writeValue(KEY_WOW64_64KEY, "Software\\NX:VEL\\ZembrelIntegration", "ZembDir", "C:\\Decoy");

#ifdef _WIN64
    // The 64-bit view is a view of its own: the decoy is there and only there.
    EXPECT_EQ(std::vector<std::string>{"3.0"}, conf::findVelcppVersions());
    EXPECT_EQ("D:\\Tools\\Zembrel", conf::findZembDir());
#else
    // A 32-bit program on 64-bit Windows writes the 64-bit view only when it asks to; in a 32-bit
    // Windows there is one view, so the decoy is the installation's own key and is read.
    EXPECT_FALSE(conf::findVelcppVersions().empty());
#endif
    deleteTree(KEY_WOW64_64KEY, "NX:VEL");
}

} // namespace
