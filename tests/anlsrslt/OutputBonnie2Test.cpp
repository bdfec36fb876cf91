// The appending writer: exact bytes, round trips through the reader, refusal, locking and roll-back.
#include "AnlsrsltTestSupport.h"
#include "ErrtoolDescription.h"
#include "M_ErrorFileException.h"
#include "M_InputBonnie.h"
#include "M_OutputBonnie2.h"
#include "ObjectDisplayName.h"
#include "R_BinaryException.h"
#include "R_ErrorFileEncoder.h"
#include "TestSupport.h"
#include "U_MacroHistory.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace anltest;

namespace {

const M_MessageRanges kRange{{"3000", "3000"}};

std::string fileWithHeader(const testsupport::TempDir& dir, const std::string& name = "a.c.err")
{
    testsupport::writeBytes(dir.file(name), header());
    return dir.file(name);
}

TEST(OutputBonnie2, openWriteNothingCloseAppendsAnEmptyBlock)
{
    testsupport::TempDir dir;
    const std::string path = fileWithHeader(dir);
    M_OutputBonnie2::openPathForAppend(path);
    EXPECT_EQ(3, M_OutputBonnie2::recordFormat());
    M_OutputBonnie2::closeCurrent();
    EXPECT_EQ(header() + bytes({1, 0, 0, 0, 0}), testsupport::readBytes(path));
    EXPECT_EQ(nullptr, M_OutputBonnie2::current());
}

TEST(OutputBonnie2, openForAppendFindsTheErrorFileInTheOutputDirectory)
{
    CurrentOptions options;
    testsupport::TempDir dir;
    testsupport::writeBytes(dir.file("out/foo.cpp.err"), header());
    options.set(options.options().outputpath(), dir.file("out"));
    M_OutputBonnie2::openForAppend("some/where/foo.cpp");
    M_OutputBonnie2::closeCurrent();
    EXPECT_EQ(header() + bytes({1, 0, 0, 0, 0}), testsupport::readBytes(dir.file("out/foo.cpp.err")));
}

TEST(OutputBonnie2, writingWithoutAnOpenWriterDoesNothing)
{
    M_OutputBonnie2::writeSuppression(1, loc("/a", 1, 1), "Auto", kRange, loc("/a", 1, 1), nullptr);
    M_OutputBonnie2::closeCurrent();
    SUCCEED();
}

TEST(OutputBonnie2, locationInFullOnceThenByIdAndSharedFileName)
{
    CurrentOptions options;
    testsupport::TempDir dir;
    const std::string path = fileWithHeader(dir);
    const U_Filename file("/s/a.c", "a.c");
    const U_Location first = U_LocationData::create(file, 12, 3);
    const U_Location second = U_LocationData::create(file, 14, 0);
    M_OutputBonnie2::openPathForAppend(path);
    M_OutputBonnie2::writeSuppression(1, first, "Auto", kRange, first, nullptr);
    M_OutputBonnie2::writeSuppression(1, second, "Auto", kRange, second, first);
    M_OutputBonnie2::closeCurrent();

    const std::string range = word(1) + str("3000") + str("3000") + bytes({4});
    const std::string expected = header() + bytes({1}) + word(0)
        // first record: location 0 in full with file name 0 in full, then by id
        + bytes({4, 1}) + word(0) + word(0) + str("/s/a.c") + str("a.c") + word(12) + word(3) + bytes({0})
        + str("Auto") + range + word(0) + bytes({0})
        // second record: location 1 with file name 0 by id; the range end is location 0 by id
        + bytes({4, 1}) + word(1) + word(0) + word(14) + word(0) + bytes({0}) + str("Auto") + range + word(1)
        + bytes({1}) + word(0);
    EXPECT_EQ(expected, testsupport::readBytes(path));

    const auto reader = M_InputBonnie::openAndRead(path, "a.c");
    ASSERT_TRUE(reader);
    ASSERT_EQ(2u, reader->suppressions().size());
    const auto& s = *reader->suppressions()[1];
    EXPECT_EQ(1, s.kind());
    EXPECT_EQ("Auto", s.text());
    EXPECT_EQ(kRange, s.messageRanges());
    EXPECT_EQ(14, s.rangeStart()->line());
    EXPECT_EQ(12, s.rangeEnd()->line());
    EXPECT_EQ(reader->suppressions()[0]->origin(), s.rangeEnd());
    EXPECT_FALSE(reader->suppressions()[0]->rangeEnd());
}

TEST(OutputBonnie2, twoRunsGiveTwoBlocksWithIdsFromZero)
{
    testsupport::TempDir dir;
    const std::string path = fileWithHeader(dir);
    const U_Location where = loc("/s/a.c", 2, 1);
    for (int run = 0; run < 2; ++run) {
        M_OutputBonnie2::openPathForAppend(path);
        M_OutputBonnie2::writeSuppression(1, where, "Auto", kRange, where, nullptr);
        M_OutputBonnie2::closeCurrent();
    }
    const std::string block = bytes({1}) + word(0) + bytes({4, 1}) + word(0) + word(0) + str("/s/a.c")
        + str("/s/a.c") + word(2) + word(1) + bytes({0}) + str("Auto") + word(1) + str("3000") + str("3000")
        + bytes({4}) + word(0) + bytes({0});
    EXPECT_EQ(header() + block + block, testsupport::readBytes(path));
    const auto reader = M_InputBonnie::openAndRead(path, "a.c");
    ASSERT_TRUE(reader);
    EXPECT_EQ(2u, reader->suppressions().size());
    EXPECT_EQ(2u, reader->blockStarts().size());
}

TEST(OutputBonnie2, nextBlockInOneAppendWritesWhatTwoAppendsWrite)
{
    testsupport::TempDir dir;
    const std::string twice = fileWithHeader(dir, "twice.err");
    const std::string once = fileWithHeader(dir, "once.err");
    // Enough records for the pair of blocks to cross a page: in place and copy both take part.
    std::vector<U_Location> first;
    std::vector<U_Location> second;
    for (int line = 1; line <= 60; ++line) {
        first.push_back(loc("/s/a.c", line, 1));
        second.push_back(loc("/s/b.c", line, 2));
    }
    auto write = [](const std::vector<U_Location>& locations) {
        for (const U_Location& where : locations)
            M_OutputBonnie2::writeSuppression(1, where, "Auto", kRange, where, nullptr);
    };
    for (const auto* block : {&first, &second}) {
        M_OutputBonnie2::openPathForAppend(twice);
        write(*block);
        M_OutputBonnie2::closeCurrent();
    }
    M_OutputBonnie2::openPathForAppend(once);
    write(first);
    M_OutputBonnie2::startNextBlock();
    write(second);
    M_OutputBonnie2::closeCurrent();

    EXPECT_EQ(testsupport::readBytes(twice), testsupport::readBytes(once));
    const auto reader = M_InputBonnie::openAndRead(once, "a.c");
    ASSERT_TRUE(reader);
    EXPECT_EQ(120u, reader->suppressions().size());
    EXPECT_EQ(2u, reader->blockStarts().size());
    M_OutputBonnie2::startNextBlock(); // no writer open: nothing happens
    EXPECT_EQ(nullptr, M_OutputBonnie2::current());
}

TEST(OutputBonnie2, appendedRecordsFollowTheAnalysersOnes)
{
    CurrentOptions options;
    testsupport::TempDir dir;
    const std::string path = dir.file("a.c.err");
    testsupport::writeBytes(path, errtool::buildErrorFile("loc L /s/a.c 3 1\nblock\ndiag L 10\nend\n"
                                                           "supp 2 L Manual L - 10 10\n"));
    M_OutputBonnie2::openPathForAppend(path);
    M_OutputBonnie2::writeSuppression(1, loc("/s/a.c", 3, 1), "Auto", {{"10", "10"}}, loc("/s/a.c", 3, 1), nullptr);
    M_OutputBonnie2::closeCurrent();
    const auto reader = M_InputBonnie::openAndRead(path, "a.c");
    ASSERT_TRUE(reader);
    ASSERT_EQ(1u, reader->diagnostics().size());
    ASSERT_EQ(2u, reader->suppressions().size());
    EXPECT_EQ("Manual", reader->suppressions()[0]->text());
    EXPECT_EQ("Auto", reader->suppressions()[1]->text());
}

TEST(OutputBonnie2, refusesFilesThatAreNotFormat3AndLeavesThemUntouched)
{
    testsupport::TempDir dir;
    const std::string format2 = header(0x7700) + word(1) + str("x.c");
    testsupport::writeBytes(dir.file("old.err"), format2);
    EXPECT_THROW(M_OutputBonnie2::openPathForAppend(dir.file("old.err")), M_BadErrorFileVersion);
    EXPECT_EQ(format2, testsupport::readBytes(dir.file("old.err")));
    EXPECT_EQ(nullptr, M_OutputBonnie2::current());

    testsupport::writeBytes(dir.file("short.err"), word(0x9300));
    EXPECT_THROW(M_OutputBonnie2::openPathForAppend(dir.file("short.err")), M_BadFileOpenException);
    EXPECT_EQ(word(0x9300), testsupport::readBytes(dir.file("short.err")));

    try {
        M_OutputBonnie2::openPathForAppend(dir.file("missing.err"));
        FAIL();
    } catch (const M_BadFileOpenException& e) {
        EXPECT_EQ("Cannot write error file '" + dir.file("missing.err") + "'.", std::string(e.what()));
    }
    EXPECT_FALSE(testsupport::fileExists(dir.file("missing.err")));
}

TEST(OutputBonnie2, recordWithoutLocationIsRefusedWholeAndTheTablesStayConsistent)
{
    testsupport::TempDir dir;
    const std::string path = fileWithHeader(dir);
    const U_Location good = loc("/s/a.c", 1, 1);
    const U_Location fresh = loc("/s/b.c", 2, 2);
    M_OutputBonnie2::openPathForAppend(path);
    // The origin is written (and numbered) before the missing range start is found.
    EXPECT_THROW(M_OutputBonnie2::writeSuppression(1, fresh, "Auto", kRange, nullptr, nullptr), R_WritingException);
    M_OutputBonnie2::writeSuppression(1, good, "Auto", kRange, fresh, nullptr);
    M_OutputBonnie2::closeCurrent();
    const auto reader = M_InputBonnie::openAndRead(path, "a.c");
    ASSERT_TRUE(reader);
    ASSERT_EQ(1u, reader->suppressions().size());
    EXPECT_EQ("/s/b.c", reader->suppressions()[0]->rangeStart()->file().fullName());
}

TEST(OutputBonnie2, writeDiagnosticFiltersWithNogenNomsgAndOnly)
{
    CurrentOptions options;
    testsupport::TempDir dir;
    const std::string path = fileWithHeader(dir);
    auto writeAll = [&] {
        M_OutputBonnie2::openPathForAppend(path);
        for (int number : {1, 2, 3})
            M_OutputBonnie2::current()->writeDiagnostic(M_Diagnostic(number, loc("/s/a.c", number, 0)), false);
        M_OutputBonnie2::closeCurrent();
    };
    auto written = [&] {
        std::vector<std::int32_t> numbers;
        const auto reader = M_InputBonnie::openAndRead(path, "a.c");
        for (const auto& d : reader->diagnostics())
            numbers.push_back(d->messageNumber());
        testsupport::writeBytes(path, header());
        return numbers;
    };
    options.set(options.options().nomsg(), "2");
    writeAll();
    EXPECT_EQ((std::vector<std::int32_t>{1, 3}), written());
    options.set(options.options().only(), "1-2");
    writeAll();
    EXPECT_EQ((std::vector<std::int32_t>{1}), written());
    options.set(options.options().nogen(), "-");
    writeAll();
    EXPECT_EQ((std::vector<std::int32_t>{1, 2, 3}), written());

    // A diagnostic in a quiet header is not written; in the analysed file itself it is.
    options.debug("always-first").set(options.options().quiet(), "/s/h.h");
    const U_Location top = U_LocationData::create(U_Filename("/s/h.h", "h.h"), 1, 0);
    const U_Location included = U_LocationData::create(U_Filename("/s/h.h", "h.h"), 2, 0, loc("/s/a.c", 1, 0));
    M_OutputBonnie2::openPathForAppend(path);
    M_OutputBonnie2::current()->writeDiagnostic(M_Diagnostic(4, included), false);
    M_OutputBonnie2::current()->writeDiagnostic(M_Diagnostic(5, top), false);
    M_OutputBonnie2::closeCurrent();
    EXPECT_EQ((std::vector<std::int32_t>{5}), written());
}

// Every property combination, long macro chains, call chains of two, instantiation depth 3,
// message lists inside message lists, plain and stamped records: written, read back, compared.
TEST(RoundTrip, locationsParametersAndRecordKindsSurviveWriterAndReader)
{
    CurrentOptions options;
    options.debug("showInclLoc").debug("showInstLoc").debug("showCallLoc");
    const U_Filename a("/s/a.c", "a.c");
    const U_Filename h("/s/h.h", "h.h");
    const U_Location top = U_LocationData::create(a, 1, 0);
    const U_Location other = U_LocationData::create(a, 50, 4);
    std::vector<M_DiagnosticHandle> diagnostics;
    for (int mask = 0; mask < 32; ++mask) {
        U_Handle<U_MacroHistory> macros;
        for (int step = 3; step > 0; --step)
            macros = U_Handle<U_MacroHistory>(new U_MacroHistory(U_LocationData::create(h, step, step),
                                                                 U_Identifier("M" + std::to_string(step)), macros));
        U_Location l = U_LocationData::create(h, 10 + mask, mask, mask & 1 ? top : nullptr, mask & 4 ? macros : nullptr);
        if (mask & 8)
            l = l->withPresumedPosition(U_Filename("/gen/m.x", "m.x"), 400 + mask);
        if (mask & 2) {
            U_Location inst = other;
            for (int depth = 0; depth < 2; ++depth)
                inst = U_LocationData::create(a, 60 + depth, 0)->withInstantiatedFrom(
                    inst, U_Handle<U_EntityDisplayName>(new ObjectDisplayName("T" + std::to_string(depth))));
            l = l->withInstantiatedFrom(inst, U_Handle<U_EntityDisplayName>(new ObjectDisplayName("Outer")));
        }
        if (mask & 16)
            l = l->withCalledFrom(other)->withCalledFrom(top);
        M_DiagnosticHandle d(new M_Diagnostic(1000 + mask, l));
        d->setFlags(mask & 1, mask & 2, false, mask & 4);
        d->addStringParameter("p" + std::to_string(mask));
        d->addListParameter({"x", "", "y"});
        M_DiagnosticHandle inner(new M_Diagnostic(7, top));
        inner->addStringParameter("deep");
        M_DiagnosticHandle middle(new M_Diagnostic(8, l));
        middle->addMessageListParameter({inner, inner});
        d->addMessageListParameter({middle});
        diagnostics.push_back(d);
    }
    R_BinaryWriter out;
    out.raw(header().data(), 8);
    R_ErrorFileEncoder encoder(out);
    encoder.blockRecord();
    for (std::size_t i = 0; i < diagnostics.size(); ++i) {
        if (i % 2)
            encoder.stampedDiagnosticRecord(*diagnostics[i], diagnostics[i]->hiddenByPragma(), 1234);
        else
            encoder.diagnosticRecord(*diagnostics[i], diagnostics[i]->hiddenByPragma());
    }
    const auto reader = M_InputBonnie::readBytes(out.bytes(), "a.c");
    ASSERT_TRUE(reader);
    ASSERT_EQ(diagnostics.size(), reader->diagnostics().size());
    for (std::size_t i = 0; i < diagnostics.size(); ++i) {
        const M_Diagnostic& back = *reader->diagnostics()[i];
        EXPECT_EQ(diagnostics[i]->text(), back.text()) << i;
        EXPECT_EQ(diagnostics[i]->fourthFlag(), back.fourthFlag());
        const U_LocationData& l = *back.location();
        const int mask = static_cast<int>(i);
        EXPECT_EQ((mask & 4) != 0, l.hasMacroHistory());
        if (l.hasMacroHistory()) {
            std::string chain;
            for (auto step = l.macroHistory(); step; step = step->next())
                chain += step->macro().text() + ":" + std::to_string(step->location()->line()) + " ";
            EXPECT_EQ("M1:1 M2:2 M3:3 ", chain);
        }
        if (l.hasInstantiatedFrom()) {
            EXPECT_EQ(3, l.instantiatedDepth());
            EXPECT_EQ("Outer", l.instantiatedEntity()->plainName());
        }
        if (l.hasPresumedPosition()) {
            EXPECT_EQ(400 + mask, l.presumedLine());
        }
    }
}

#ifndef _WIN32
// Forked writers and a file size limit: POSIX means. OutputBonnie2Win32Test.cpp holds the Windows
// counterparts.

// Children append at once; each append is a whole block, never interleaved with another.
TEST(OutputBonnie2Locking, concurrentProcessesAppendWholeBlocks)
{
    testsupport::TempDir dir;
    const std::string path = fileWithHeader(dir);
    const int children = 6, records = 300;
    std::vector<pid_t> pids;
    for (int c = 0; c < children; ++c) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            int status = 0;
            try {
                M_OutputBonnie2::openPathForAppend(path);
                for (int r = 0; r < records; ++r) {
                    const U_Location where = loc("/s/child" + std::to_string(c) + ".c", r + 1, 0);
                    M_OutputBonnie2::writeSuppression(1, where, "Auto", kRange, where, nullptr);
                }
                M_OutputBonnie2::closeCurrent();
            } catch (...) {
                status = 1;
            }
            _exit(status);
        }
        pids.push_back(pid);
    }
    for (pid_t pid : pids) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const auto reader = M_InputBonnie::openAndRead(path, "a.c");
    ASSERT_TRUE(reader);
    ASSERT_EQ(static_cast<std::size_t>(children), reader->blockStarts().size());
    ASSERT_EQ(static_cast<std::size_t>(children * records), reader->suppressions().size());
    for (int b = 0; b < children; ++b) {
        const std::size_t start = reader->blockStarts()[b].suppressions;
        const std::string file = reader->suppressions()[start]->origin()->file().fullName();
        for (int r = 0; r < records; ++r) {
            const auto& s = *reader->suppressions()[start + r];
            EXPECT_EQ(file, s.origin()->file().fullName());
            EXPECT_EQ(r + 1, s.origin()->line());
        }
    }
}

// A file size limit stops the append part-way: the file must be exactly as it was.
TEST(OutputBonnie2Rollback, failedAppendLeavesTheFileByteIdentical)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("a.c.err");
    const std::string before = errtool::buildErrorFile("loc L /s/a.c 3 1\nblock\ndiag L 10\nend\n");
    testsupport::writeBytes(path, before);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit;
        limit.rlim_cur = limit.rlim_max = before.size() + 40;
        setrlimit(RLIMIT_FSIZE, &limit);
        int status = 3;
        try {
            M_OutputBonnie2::openPathForAppend(path);
            for (int r = 0; r < 100; ++r)
                M_OutputBonnie2::writeSuppression(1, loc("/s/a.c", r, 0), "Auto", kRange, loc("/s/a.c", r, 0),
                                                  nullptr);
            M_OutputBonnie2::closeCurrent();
            status = 0;
        } catch (const R_WritingException& e) {
            status = std::string(e.what()) == "Problems writing binary file." ? 2 : 4;
        } catch (...) {
        }
        _exit(status);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(2, WEXITSTATUS(status));
    EXPECT_EQ(before, testsupport::readBytes(path));
}
#endif

TEST(OutputBonnie2Rollback, writerDiscardedBeforeCloseWritesNothing)
{
    testsupport::TempDir dir;
    const std::string path = fileWithHeader(dir);
    M_OutputBonnie2::openPathForAppend(path);
    M_OutputBonnie2::writeSuppression(1, loc("/a", 1, 0), "Auto", kRange, loc("/a", 1, 0), nullptr);
    M_OutputBonnie2::discardCurrent();
    EXPECT_EQ(header(), testsupport::readBytes(path));
}

} // namespace
