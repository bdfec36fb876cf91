// Sixteen suppression runs at once on one output directory leave whole blocks in every error file.
#include "ToolSandbox.h"

#include <gtest/gtest.h>

namespace reltest {
namespace {

TEST(ParallelSuppressionTest, sixteenProcessesOnOverlappingFilesLeaveReadableFilesWithWholeBlocks)
{
    ToolSandbox box;
    box.messageRules("100 legacy\n");
    constexpr int kFiles = 6;
    constexpr std::size_t kLines = 40;
    std::vector<std::string> errorFiles;
    for (int f = 0; f < kFiles; ++f) {
        std::string text;
        std::string description = "block\n";
        for (std::size_t i = 1; i <= kLines; ++i) {
            text += "legacy_call();\n";
            description += "loc L" + std::to_string(i) + " S " + std::to_string(i) + " 1\ndiag L" + std::to_string(i)
                           + " 100\nend\n";
        }
        const std::string name = "f" + std::to_string(f) + ".cpp";
        box.source(name, text);
        errorFiles.push_back(box.errorFile(name, description));
    }

    // Process p handles files p, p+1 and p+2 (modulo six): every file is named by eight processes.
    std::vector<ChildId> children;
    for (int p = 0; p < 16; ++p) {
        std::vector<std::string> files;
        for (int k = 0; k < 3; ++k)
            files.push_back("f" + std::to_string((p + k) % kFiles) + ".cpp");
        ChildOptions options = box.childOptions();
        options.outputPath = box.path("run-" + std::to_string(p) + ".txt");
        children.push_back(startChild(box.toolCommand(files), options));
    }
    for (std::size_t p = 0; p < children.size(); ++p)
        EXPECT_EQ(waitForChild(children[p], 240), 0) << testsupport::readBytes(box.path("run-" + std::to_string(p) + ".txt"));

    for (const std::string& errorFile : errorFiles) {
        SCOPED_TRACE(errorFile);
        const auto blocks = suppressionsPerBlock(errorFile);
        ASSERT_TRUE(blocks) << "the reader refuses the file";
        // Before the first block and in the analyser's own block there are no suppression records;
        // every appended block holds the run's whole set, one record per line.
        ASSERT_GE(blocks->size(), 3u);
        EXPECT_LE(blocks->size(), 2u + 8u);
        EXPECT_EQ((*blocks)[0], 0u);
        EXPECT_EQ((*blocks)[1], 0u);
        for (std::size_t b = 2; b < blocks->size(); ++b)
            EXPECT_EQ((*blocks)[b], kLines) << "block " << b;
    }
}

} // namespace
} // namespace reltest
