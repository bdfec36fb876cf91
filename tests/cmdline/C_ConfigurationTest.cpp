// Configuration files: sections, variables, escapes and the hand-over of the options section.
#include "C_Configuration.h"
#include "C_ConfigurationSections.h"
#include "C_FileSource.h"
#include "QL_Encoding.h"
#include "QL_TranslatedInputFile.h"
#include "ScopedEnv.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using testsupport::TempDir;
using testsupport::writeBytes;

namespace {

class ConfigurationTest : public testing::Test {
protected:
    void SetUp() override { resetConfigurationVariables(); }
    void TearDown() override { resetConfigurationVariables(); }

    // Reads "<dir>/<name>.cfg" with the given content; the captured standard output is kept.
    std::unique_ptr<TranslatedInputFile> read(const std::string& content, const C_SectionEntry* table,
                                              const std::string& name = "velcpp")
    {
        writeBytes(dir.file(name + ".cfg"), content);
        testing::internal::CaptureStdout();
        auto file = readConfiguration(QL_Encoding::Plain, dir.path(), name, table, true);
        out = testing::internal::GetCapturedStdout();
        return file;
    }

    // The arguments of the options section that the file is left at.
    static std::vector<std::string> remainingArguments(std::unique_ptr<TranslatedInputFile> file)
    {
        C_FileSource source(std::move(file), QL_Encoding::Plain);
        std::vector<std::string> result;
        for (std::string a = source.nextArgument(true); !a.empty(); a = source.nextArgument(true))
            result.push_back(a);
        return result;
    }

    TempDir dir;
    std::string out;
    C_ConfigurationVariables& vars = configurationVariables();
};

TEST_F(ConfigurationTest, defaultsOfTheLayouts)
{
    EXPECT_EQ(vars.internal, 29);
    EXPECT_EQ(vars.messages[2], ": <=%s=(%04d) ");
    EXPECT_EQ(vars.development[3], 20000);
    EXPECT_EQ(vars.cyclomatic[4], 200);
    EXPECT_EQ(vars.cCyclomatic[3], 8);
    EXPECT_EQ(vars.cGeneral[7], 50);
    EXPECT_EQ(vars.bathtub[1], 200);
}

TEST_F(ConfigurationTest, sectionsFillVariablesAndOptionsSectionIsHandedOver)
{
    auto file = read("* a comment\n#help\nfirst help line\nsecond\n#messages\n!! E !!\n!! W !!\n%s:%d\n"
                     "#development\n1\n2\n#bathtub\n7\n8\n#options\n-tabstop 3\n\"a b\"\n",
                     velcppSections());
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(out, "");
    EXPECT_EQ(vars.help[0], "first help line");
    EXPECT_EQ(vars.help[1], "second");
    EXPECT_EQ(vars.messages[0], "!! E !!");
    EXPECT_EQ(vars.messages[2], "%s:%d");
    EXPECT_EQ(vars.development[0], 1);
    EXPECT_EQ(vars.development[1], 2);
    EXPECT_EQ(vars.development[2], 100);
    EXPECT_EQ(vars.bathtub[0], 7);
    EXPECT_EQ(remainingArguments(std::move(file)), (std::vector<std::string>{"-tabstop", "3", "a b"}));
}

TEST_F(ConfigurationTest, fileWithoutOptionsSectionContributesNoArguments)
{
    auto file = read("#internal\n42\n", velcppSections());
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(vars.internal, 42);
    EXPECT_TRUE(remainingArguments(std::move(file)).empty());
}

TEST_F(ConfigurationTest, optionsHeaderIsFoundInAnyCaseAndAsPrefixOfALongerWord)
{
    EXPECT_EQ(remainingArguments(read("#OPTIONS\n-help\n", velcppSections())), std::vector<std::string>{"-help"});
    EXPECT_EQ(remainingArguments(read("#optionsx\n-help\n", velcppSections())), std::vector<std::string>{"-help"});
    EXPECT_EQ(out, "");
}

TEST_F(ConfigurationTest, blankLineConsumesOneIntegerAndKeepsItsValue)
{
    read("#development\n1\n\n3\n", velcppSections());
    EXPECT_EQ(vars.development[0], 1);
    EXPECT_EQ(vars.development[1], 80);
    EXPECT_EQ(vars.development[2], 3);
}

TEST_F(ConfigurationTest, extraBathtubLinesAreUnexpectedData)
{
    read("#bathtub\n1\n2\n3\n4\n5\n6\n", velcppSections());
    EXPECT_EQ(vars.bathtub[0], 1);
    EXPECT_EQ(vars.bathtub[1], 2);
    EXPECT_EQ(out, "\nERROR: Unexpected configuration data: 3\n\nERROR: Unexpected configuration data: 4\n"
                   "\nERROR: Unexpected configuration data: 5\n\nERROR: Unexpected configuration data: 6\n");
}

TEST_F(ConfigurationTest, escapesApplyInTextSectionsButNotInOptions)
{
    auto file = read("#levels\na\\tb\nx\\ny\\\\z\\q\n#options\n-po a\\tb\n", velcppSections());
    EXPECT_EQ(vars.levels[0], "a\tb");
    EXPECT_EQ(vars.levels[1], "x\ny\\zq");
    EXPECT_EQ(remainingArguments(std::move(file)), (std::vector<std::string>{"-po", "a\\tb"}));
}

TEST_F(ConfigurationTest, textLinesSubstituteEnvironmentVariables)
{
    testsupport::ScopedEnv env({{"ZEMB_CFG_VALUE", std::string("v")}, {"ZEMB_CFG_UNSET", std::nullopt}});
    read("#debugging\n$ZEMB_CFG_VALUE-${ZEMB_CFG_VALUE}-$ZEMB_CFG_UNSET-$$\n#characters\n${ZEMB_CFG_VALUE\n",
         velcppSections());
    EXPECT_EQ(vars.debugging, "v-v--$");
    EXPECT_EQ(vars.characters, "${ZEMB_CFG_VALUE");
    EXPECT_EQ(out, "\nERROR: Badly formed variable substitution:\n\t${ZEMB_CFG_VALUE\n");
}

TEST_F(ConfigurationTest, unknownSectionIsReportedAndItsLinesIgnored)
{
    read("#bogus\n5\n#internal\n6\n", velcppSections());
    EXPECT_EQ(out, "\nERROR: Unknown section #bogus\n");
    EXPECT_EQ(vars.internal, 6);
}

TEST_F(ConfigurationTest, velcLayoutHasEightGeneralIntegersAndFormatArrays)
{
    auto file = read("#general\n1\n2\n3\n4\n5\n6\n7\n8\n#format\nf1\nf2\n#internal\n", velcSections(), "velc");
    EXPECT_EQ(vars.cGeneral[7], 8);
    EXPECT_EQ(vars.general[4], 20); // the VELCPP variables are untouched
    EXPECT_EQ(vars.format[0], "f1");
    EXPECT_EQ(vars.format[1], "f2");
    EXPECT_EQ(out, "\nERROR: Unknown section #internal\n");
}

TEST_F(ConfigurationTest, continuationAndWindowsLineEnds)
{
    read("#debugging\r\nab\\\r\ncd\r\n", velcppSections());
    EXPECT_EQ(vars.debugging, "abcd");
}

TEST_F(ConfigurationTest, missingFileIsReportedOnStandardError)
{
    testing::internal::CaptureStderr();
    auto file = readConfiguration(QL_Encoding::Plain, dir.path(), "veld", veldSections(), true);
    EXPECT_EQ(file, nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "\nERROR: Unable to open configuration file " + dir.file("veld.cfg") + "\n\n");
}

} // namespace

// A section of lines takes as many lines as it holds, each in its place; the line after the last
// is not taken and is reported.
TEST_F(ConfigurationTest, sectionsOfLinesTakeExactlyTheirCapacity)
{
    struct Case {
        const char* layout;
        const C_SectionEntry* table;
        const char* section;
        std::size_t capacity;
        const C_TextList& (*list)(const C_ConfigurationVariables&);
    };
    const Case cases[] = {
        {"velcpp", velcppSections(), "help", 1024, [](const C_ConfigurationVariables& v) -> const C_TextList& { return v.help; }},
        {"velcpp", velcppSections(), "levels", 500, [](const C_ConfigurationVariables& v) -> const C_TextList& { return v.levels; }},
        {"veld", veldSections(), "help", 1024, [](const C_ConfigurationVariables& v) -> const C_TextList& { return v.help; }},
    };
    for (const Case& c : cases) {
        resetConfigurationVariables();
        std::string content = std::string("#") + c.section + "\n";
        for (std::size_t i = 0; i <= c.capacity; ++i)
            content += "line " + std::to_string(i) + "\n";
        read(content, c.table, c.layout);
        const C_TextList& list = c.list(vars);
        EXPECT_EQ(list.capacity(), c.capacity) << c.layout << " " << c.section;
        EXPECT_EQ(list[0], "line 0") << c.layout << " " << c.section;
        EXPECT_EQ(list[c.capacity - 1], "line " + std::to_string(c.capacity - 1)) << c.layout << " " << c.section;
        EXPECT_EQ(list[c.capacity], "") << c.layout << " " << c.section;
        EXPECT_EQ(out, "\nERROR: Unexpected configuration data: line " + std::to_string(c.capacity) + "\n")
            << c.layout << " " << c.section;
    }
}
