// Translated input files: direct opening, the temporary EUC copy and its removal, the failures.
#include "QL_Encoding.h"
#include "QL_TranslateException.h"
#include "QL_TranslatedInputFile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using E = QL_Encoding;

std::string readAll(std::FILE* file)
{
    std::string text;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
        text += static_cast<char>(c);
    return text;
}

std::size_t filesIn(const std::string& directory)
{
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(directory))
        ++count;
    return count;
}

// A via file: options, a Japanese file name in Shift_JIS and half-width katakana.
const std::string kViaSjis = "-op out\n\"\x93\xFA\x96\x7B.c\"\n-po x::y=\xB1\n";
const std::string kViaEuc = "-op out\n\"\xC6\xFC\xCB\xDC.c\"\n-po x::y=\x8E\xB1\n";

class TranslatedInputFileTest : public ::testing::Test {
protected:
    void SetUp() override { TranslatedInputFile::setTemporaryDirectory(temp_.path()); }
    void TearDown() override { TranslatedInputFile::setTemporaryDirectory(""); }

    testsupport::TempDir files_;
    testsupport::TempDir temp_;
};

} // namespace

TEST_F(TranslatedInputFileTest, shiftJisViaFileIsReadThroughDeletedEucCopy)
{
    testsupport::writeBytes(files_.file("args.via"), kViaSjis);
    TranslatedInputFile file(E::SJ);
    ASSERT_TRUE(file.open(files_.file("args.via")));
    const std::string copy = file.temporaryPath();
    EXPECT_EQ(copy.rfind(temp_.path() + "/nxl", 0), 0u) << copy;
    EXPECT_TRUE(testsupport::fileExists(copy));
    EXPECT_EQ(readAll(file.handle()), kViaEuc);
    file.close();
    EXPECT_FALSE(testsupport::fileExists(copy));
    EXPECT_EQ(filesIn(temp_.path()), 0u);
    EXPECT_FALSE(file.isOpen());
}

TEST_F(TranslatedInputFileTest, destructorAlsoDeletesTheCopy)
{
    testsupport::writeBytes(files_.file("args.via"), kViaSjis);
    {
        TranslatedInputFile file(E::SJ);
        ASSERT_TRUE(file.open(files_.file("args.via"), true));
    }
    EXPECT_EQ(filesIn(temp_.path()), 0u);
}

TEST_F(TranslatedInputFileTest, sevenBitFileIsConvertedToo)
{
    testsupport::writeBytes(files_.file("a.cfg"), "\x1B$BF|K\\\x1B(J.c\n");
    TranslatedInputFile file(E::NEWJ);
    ASSERT_TRUE(file.open(files_.file("a.cfg")));
    EXPECT_EQ(readAll(file.handle()), "\xC6\xFC\xCB\xDC.c\n");
}

TEST_F(TranslatedInputFileTest, plainAndEucFilesAreOpenedDirectly)
{
    testsupport::writeBytes(files_.file("args.via"), kViaSjis);
    for (int encoding : {E::Plain, E::EUC}) {
        TranslatedInputFile file(encoding);
        ASSERT_TRUE(file.open(files_.file("args.via")));
        EXPECT_EQ(file.temporaryPath(), "");
        EXPECT_EQ(readAll(file.handle()), kViaSjis);
    }
    EXPECT_EQ(filesIn(temp_.path()), 0u);
}

TEST_F(TranslatedInputFileTest, missingFileLeavesHandleEmpty)
{
    for (int encoding : {E::Plain, E::SJ, E::NECJ, E::UTF16}) {
        TranslatedInputFile file(encoding);
        EXPECT_FALSE(file.open(files_.file("absent.via")));
        EXPECT_EQ(file.handle(), nullptr);
    }
    EXPECT_EQ(filesIn(temp_.path()), 0u);
}

TEST_F(TranslatedInputFileTest, encodingOneIsInvalid)
{
    testsupport::writeBytes(files_.file("args.via"), "x");
    TranslatedInputFile file(E::Invalid);
    try {
        file.open(files_.file("args.via"));
        FAIL() << "no exception";
    } catch (const QL_InvalidEncodingException& e) {
        EXPECT_STREQ(e.what(), "InvalidEncoding");
    }
}

TEST_F(TranslatedInputFileTest, encodingWithoutConverterToEucIsInvalid)
{
    testsupport::writeBytes(files_.file("args.via"), "x");
    TranslatedInputFile file(E::UTF16);
    EXPECT_THROW(file.open(files_.file("args.via")), QL_InvalidEncodingException);
    EXPECT_EQ(filesIn(temp_.path()), 0u);
}

TEST_F(TranslatedInputFileTest, uncreatableCopyIsReported)
{
    testsupport::writeBytes(files_.file("args.via"), kViaSjis);
    TranslatedInputFile::setTemporaryDirectory(files_.file("no/such/dir"));
    TranslatedInputFile file(E::SJ);
    try {
        file.open(files_.file("args.via"));
        FAIL() << "no exception";
    } catch (const QL_TranslateFileOpenException& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot open file: '", 0), 0u) << e.what();
        EXPECT_EQ(std::string(e.what()).substr(std::string(e.what()).size() - 2), "'.");
    }
}

TEST_F(TranslatedInputFileTest, exceptionsAreConfigurationErrors)
{
    const QL_TranslateFileOpenException open("x.tmp");
    EXPECT_STREQ(open.what(), "Cannot open file: 'x.tmp'.");
    const C_ConfigurationException& asConfiguration = open;
    EXPECT_EQ(asConfiguration.code(), 10);
    EXPECT_FALSE(asConfiguration.useCode());
}
