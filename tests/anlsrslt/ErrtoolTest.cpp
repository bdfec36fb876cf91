// errtool as a program: make, append and dump.
#include "AnlsrsltTestSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace anltest;
using testsupport::consoleText;
using testsupport::builtProgram;
using testsupport::runProcess;

namespace {

std::string errtool()
{
    return builtProgram("tools/errtool/errtool");
}

TEST(Errtool, makeBuildsTheExampleFileAndDumpPrintsIt)
{
    testsupport::TempDir dir;
    testsupport::writeBytes(dir.file("d.txt"), "# the example\r\nfile A /s/a.c a.c\nloc L A 12 3\nblock\n"
                                               "diag L 3000\n  str \"x\"\nend\nsupp 1 L Auto L - 3000 3000\n");
    auto made = runProcess({errtool(), "make", dir.file("d.txt"), dir.file("a.err")});
    ASSERT_EQ(0, made.status) << made.err;
    const std::string bytesOfFile = testsupport::readBytes(dir.file("a.err"));
    const std::string example = header() + bytes({1}) + word(0) + bytes({0x02}) + word(0) + word(0) + str("/s/a.c")
        + str("a.c") + word(12) + word(3) + bytes({0}) + word(3000) + word(0) + word(0) + word(1) + bytes({1})
        + str("x");
    EXPECT_EQ(example, bytesOfFile.substr(0, example.size()));

    auto dumped = runProcess({errtool(), "dump", dir.file("a.err")});
    ASSERT_EQ(0, dumped.status) << dumped.err;
    EXPECT_EQ(consoleText(dir.file("a.err") + ": format 3, id 9300, header 0\n"
                          "block 1\n"
                          "  /s/a.c:12:3: Msg=3000 #params=1 {x}\n"
                          "  suppression kind=1 origin=/s/a.c:12:3 text=\"Auto\" messages=3000-3000 start=/s/a.c:12:3 end=-\n"),
              dumped.out);
    auto given = runProcess({errtool(), "dump", "-ef-", dir.file("a.err")});
    EXPECT_NE(std::string::npos, given.out.find("  a.c:12:3: Msg=3000"));
}

TEST(Errtool, appendAddsABlockAndFormat2FilesAreBuilt)
{
    testsupport::TempDir dir;
    testsupport::writeBytes(dir.file("base.txt"), "loc L /s/a.c 1 0\nblock\ndiag L 5\nend\n");
    testsupport::writeBytes(dir.file("more.txt"), "loc L /s/a.c 1 0\nsupp 1 L Auto L - 5 5\n");
    ASSERT_EQ(0, runProcess({errtool(), "make", dir.file("base.txt"), dir.file("a.err")}).status);
    ASSERT_EQ(0, runProcess({errtool(), "append", dir.file("more.txt"), dir.file("a.err")}).status);
    auto dumped = runProcess({errtool(), "dump", dir.file("a.err")});
    EXPECT_NE(std::string::npos, dumped.out.find(consoleText("block 2\n  suppression kind=1")));

    testsupport::writeBytes(dir.file("f2.txt"), "format 2\nf2diag 0 3 -1 0 77 \"hello\\0\"\n");
    ASSERT_EQ(0, runProcess({errtool(), "make", dir.file("f2.txt"), dir.file("b.err")}).status);
    EXPECT_EQ(header(0x7700) + word(0) + word(3) + word(-1) + word(0) + word(77) + str(std::string("hello\0", 6)),
              testsupport::readBytes(dir.file("b.err")));
    dumped = runProcess({errtool(), "dump", "-ef-", dir.file("b.err"), "main.c"});
    EXPECT_NE(std::string::npos, dumped.out.find("main.c:3:1: Msg=77 #params=1 {hello}"));
}

TEST(Errtool, badDescriptionAndUnreadableFileFail)
{
    testsupport::TempDir dir;
    testsupport::writeBytes(dir.file("bad.txt"), "diag NOWHERE 1\nend\n");
    auto made = runProcess({errtool(), "make", dir.file("bad.txt"), dir.file("a.err")});
    EXPECT_EQ(2, made.status);
    EXPECT_NE(std::string::npos, made.err.find("line 1: unknown location NOWHERE"));
    testsupport::writeBytes(dir.file("x.err"), header(0x1234));
    auto dumped = runProcess({errtool(), "dump", dir.file("x.err")});
    EXPECT_EQ(2, dumped.status);
    EXPECT_EQ(1, runProcess({errtool()}).status);
}

} // namespace
