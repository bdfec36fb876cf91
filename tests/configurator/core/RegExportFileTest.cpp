// Registry export files: parsing, malformed input, and the keys they answer through the registry service.
#include "Discovery.h"
#include "FakeInstallation.h"
#include "RegExportFile.h"
#include "Registry.h"

#include <gtest/gtest.h>

namespace {

using platform::RegExport;
using platform::RegistryKey;

std::string utf16z(const std::string& ascii)
{
    std::string out;
    for (char c : ascii) {
        out += c;
        out += '\0';
    }
    return out + std::string(2, '\0');
}

const platform::RegExportNode& keyAt(const RegExport& reg, const std::string& path)
{
    std::size_t node = 0;
    EXPECT_TRUE(reg.find(path, node)) << path;
    return reg.node(node);
}

TEST(RegExportFile, readsEveryDataFormOfAVersion5Export)
{
    const std::string text = "Windows Registry Editor Version 5.00\r\n"
                             "\r\n"
                             "; a comment\r\n"
                             "[HKEY_LOCAL_MACHINE\\Software\\A]\r\n"
                             "\"Text\"=\"C:\\\\Dir \\\"quoted\\\"\"\r\n"
                             "@=\"default\"\r\n"
                             "\"Number\"=dword:00000031\r\n"
                             "\"Expand\"=hex(2):25,00,41,00,25,00,00,00\r\n"
                             "\"Bytes\"=hex:01,02,\\\r\n"
                             "  03,04\r\n"
                             "\"Empty\"=hex:\r\n";
    RegExport reg;
    std::string error;
    ASSERT_TRUE(reg.parse(text, "x.reg", error)) << error;
    const auto& key = keyAt(reg, "HKEY_LOCAL_MACHINE\\Software\\A");
    ASSERT_EQ(6u, key.values.size());
    EXPECT_EQ("Text", key.values[0].name);
    EXPECT_EQ(1u, key.values[0].type);
    EXPECT_EQ(utf16z("C:\\Dir \"quoted\""), key.values[0].data);
    EXPECT_EQ("", key.values[1].name);
    EXPECT_EQ(std::string("\x31\0\0\0", 4), key.values[2].data);
    EXPECT_EQ(4u, key.values[2].type);
    EXPECT_EQ(2u, key.values[3].type);
    EXPECT_EQ(utf16z("%A%"), key.values[3].data);
    EXPECT_EQ(std::string("\x01\x02\x03\x04"), key.values[4].data);
    EXPECT_EQ("", key.values[5].data);
}

TEST(RegExportFile, keysAreCaseInsensitiveAndKeepFileOrder)
{
    const std::string text = "REGEDIT4\n"
                             "[HKEY_LOCAL_MACHINE\\S\\b]\n"
                             "[HKEY_LOCAL_MACHINE\\S\\a]\n"
                             "[hkey_local_machine\\s\\B]\n"
                             "\"v\"=\"1\"\n"
                             "[HKLM\\S\\c]\n"
                             "[-HKEY_LOCAL_MACHINE\\S\\a]\n";
    RegExport reg;
    std::string error;
    ASSERT_TRUE(reg.parse(text, "x.reg", error)) << error;
    const auto& s = keyAt(reg, "HKEY_LOCAL_MACHINE\\S");
    ASSERT_EQ(2u, s.children.size());
    EXPECT_EQ("b", reg.node(s.children[0]).name);
    EXPECT_EQ("c", reg.node(s.children[1]).name);
    EXPECT_EQ(1u, keyAt(reg, "HKEY_LOCAL_MACHINE\\S\\B").values.size());
}

TEST(RegExportFile, readsUtf16ExportWithByteOrderMark)
{
    const std::string ascii = "Windows Registry Editor Version 5.00\r\n[HKEY_LOCAL_MACHINE\\K]\r\n\"N\"=\"v\"\r\n";
    std::string bytes = "\xFF\xFE";
    for (char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    RegExport reg;
    std::string error;
    ASSERT_TRUE(reg.parse(bytes, "x.reg", error)) << error;
    EXPECT_EQ(utf16z("v"), keyAt(reg, "HKEY_LOCAL_MACHINE\\K").values.at(0).data);
}

TEST(RegExportFile, malformedFilesNameTheFileAndLine)
{
    struct Case {
        std::string text;
        std::string error;
    };
    const Case cases[] = {
        {"", "r.reg, line 1: empty file"},
        {"REGEDIT5\n", "r.reg, line 1: expected"},
        {"REGEDIT4\n\"v\"=\"x\"\n", "r.reg, line 2: value before the first key line"},
        {"REGEDIT4\n[HKLM\\A\n", "r.reg, line 2: key line must end with \"]\""},
        {"REGEDIT4\n[HKLM\\\\A]\n", "r.reg, line 2: empty key name"},
        {"REGEDIT4\n[HKLM\\A]\n\"v\"=\"unterminated\n", "r.reg, line 3: value data: missing closing quote"},
        {"REGEDIT4\n[HKLM\\A]\n\"v\"=\"a\\q\"\n", "r.reg, line 3: value data: unknown escape \\q"},
        {"REGEDIT4\n[HKLM\\A]\n\"v\"=dword:123456789\n", "r.reg, line 3: dword needs 1 to 8 hex digits"},
        {"REGEDIT4\n[HKLM\\A]\n\"v\"=hex:0g\n", "r.reg, line 3: bad hex byte"},
        {"REGEDIT4\n[HKLM\\A]\n\"v\"=hex:01,\\", "r.reg, line 3: continuation line missing"},
        {"REGEDIT4\n[HKLM\\A]\n\"v\" \"x\"\n", "r.reg, line 3: expected \"=\""},
        {"REGEDIT4\n[HKLM\\A]\n\"v\"=text\n", "r.reg, line 3: unrecognised value data"},
        {"REGEDIT4\n[HKLM\\A]\n\"v\"=hex(zz):00\n", "r.reg, line 3: bad value type"},
    };
    for (const Case& c : cases) {
        RegExport reg;
        std::string error;
        EXPECT_FALSE(reg.parse(c.text, "r.reg", error)) << c.text;
        EXPECT_EQ(0u, error.find(c.error)) << "got: " << error;
    }
}

TEST(RegistryService, answersKeysFromTheExportFileAndSkipsWhatExceedsTheBuffers)
{
    conftest::FakeInstallation inst;
    const std::string big(1100, 'x');
    const std::string fits(511, 'y'); // 511 characters and the terminator are exactly 1024 bytes
    inst.writeRegistry("REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\K]\n\"Big\"=\"" + big + "\"\n\"Fits\"=\"" + fits
                       + "\"\n\"path\"=\"lower\"\n\"Path\"=\"upper\"\n[HKEY_LOCAL_MACHINE\\Software\\K\\Sub]\n");
    std::unique_ptr<RegistryKey> key;
    std::string error;
    ASSERT_EQ(RegistryKey::OpenResult::Opened, RegistryKey::openLocalMachine("software\\k", key, error));
    const conf::RegistryKeyContents contents = conf::readRegistryKey(*key);
    ASSERT_EQ(2u, contents.values.size());
    EXPECT_EQ("Fits", contents.values[0].first);
    EXPECT_EQ(fits, contents.values[0].second);
    // A value name is one name whatever its letter case; the later line sets its data.
    EXPECT_EQ("path", contents.values[1].first);
    EXPECT_EQ("upper", contents.values[1].second);
    EXPECT_EQ(std::vector<std::string>{"Sub"}, contents.subkeys);

    EXPECT_EQ(RegistryKey::OpenResult::Absent, RegistryKey::openLocalMachine("Software\\None", key, error));
}

TEST(RegistryService, subkeysAreEnumeratedByNameWhateverOrderTheyWereWrittenIn)
{
    conftest::FakeInstallation inst;
    std::string text = "Windows Registry Editor Version 5.00\r\n";
    for (const char* name : {"beta", "2.9", "ABC", "a1", "2.10", "Zed", "a.b"})
        text += std::string("[HKEY_LOCAL_MACHINE\\Software\\NX:VEL\\Order\\") + name + "]\r\n";
    inst.writeRegistry(text);
    std::unique_ptr<RegistryKey> key;
    std::string error;
    ASSERT_EQ(RegistryKey::OpenResult::Opened, RegistryKey::openLocalMachine("Software\\NX:VEL\\Order", key, error));
    EXPECT_EQ((std::vector<std::string>{"2.10", "2.9", "a.b", "a1", "ABC", "beta", "Zed"}),
              conf::readRegistryKey(*key).subkeys);
}

TEST(RegistryService, malformedExportFileMakesEveryOpenFailWithItsLine)
{
    if (!conftest::FakeInstallation::registryCanBeBroken())
        GTEST_SKIP() << "a real registry cannot be malformed";
    conftest::FakeInstallation inst;
    inst.writeRegistry("REGEDIT4\n[HKLM\\A]\n\"v\"=\n");
    std::unique_ptr<RegistryKey> key;
    std::string error;
    EXPECT_EQ(RegistryKey::OpenResult::Broken, RegistryKey::openLocalMachine("Software\\K", key, error));
    EXPECT_EQ(inst.registryPath() + ", line 3: unrecognised value data", error);
}

} // namespace

namespace {

TEST(RegistryService, valueDataOfAnyTypeReadAsZeroTerminatedUtf16)
{
    conftest::FakeInstallation inst;
    inst.writeRegistry("REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"dw\"=dword:00000031\n"
                       "\"ex\"=hex(2):43,00,3a,00,00,00,42,00\n\"odd\"=hex:44,00,45\n\"u\"=\"\xC3\xA9\"\n");
    std::unique_ptr<RegistryKey> key;
    std::string error;
    ASSERT_EQ(RegistryKey::OpenResult::Opened, RegistryKey::openLocalMachine("K", key, error));
    const conf::RegistryKeyContents contents = conf::readRegistryKey(*key);
    ASSERT_EQ(4u, contents.values.size());
    EXPECT_EQ("1", contents.values[0].second);
    EXPECT_EQ("C:", contents.values[1].second);
    EXPECT_EQ("D", contents.values[2].second);
    EXPECT_EQ("\xC3\xA9", contents.values[3].second);
}

} // namespace
