// Answers that are invalid or not offered by the installation: refused with a message that names
// the answer and what was offered, status 2, and not one file written.
#include "CliRun.h"
#include "FakeInstallation.h"
#include "RouteFiles.h"

#include <gtest/gtest.h>

namespace {

using conftest::FakeInstallation;

struct Refusal {
    const char* name;
    std::string answers;
    std::string message; // the first line of the output; "Nothing was written." follows
};

TEST(UnattendedRefusal, everyRefusedAnswerIsNamedWithWhatWasOfferedAndNothingIsWritten)
{
    FakeInstallation install;
    conftest::writeRoutePersonalities(install);
    testsupport::TempDir dir;
    const std::string vx = "target = VxWorks\n";
    const std::string existing = vx + "compiler-personality = existing\n";
    const std::string generated = vx + "compiler-personality = generated\n";
    const Refusal refusals[] = {
        {"no target", "analyser-version = 3.0\n", "Answer \"target\" is missing. Offered: Visual Studio, VxWorks."},
        {"unknown target", "target = Windows CE\n",
         "Answer \"target = Windows CE\" (line 1) is not offered. Offered: Visual Studio, VxWorks."},
        {"analyser version not installed", "analyser-version = 3.5\ntarget = Visual Studio\n",
         "Answer \"analyser-version = 3.5\" (line 1) is not offered. Offered: 3.0."},
        {"analyser version spelt differently", "analyser-version = 3.00\ntarget = Visual Studio\n",
         "Answer \"analyser-version = 3.00\" (line 1) is not offered. Offered: 3.0."},
        {"Visual Studio version without personality", "target = Visual Studio\nvisual-studio-version = 2008\n",
         "Answer \"visual-studio-version = 2008\" (line 2) is not offered. Offered: 6, 2005."},
        {"VxWorks answer on the Visual Studio route", "target = Visual Studio\nvxworks-version = 6.9\n",
         "Answer \"vxworks-version = 6.9\" (line 2) is not asked when target is Visual Studio."},
        {"Visual Studio answer on the VxWorks route", generated + "visual-studio-version = 2005\n",
         "Answer \"visual-studio-version = 2005\" (line 3) is not asked when target is VxWorks."},
        {"no kind of personality", vx,
         "Answer \"compiler-personality\" is missing. Offered: existing, generated."},
        {"unknown kind of personality", vx + "compiler-personality = borrowed\n",
         "Answer \"compiler-personality = borrowed\" (line 2) is not offered. Offered: existing, generated."},
        {"no personality file", existing,
         "Answer \"compiler-personality-file\" is missing. Offered: an existing file."},
        {"personality file for a generated personality", generated + "compiler-personality-file = C:\\Pers\\diab.p_c\n",
         "Answer \"compiler-personality-file = C:\\Pers\\diab.p_c\" (line 3) is not asked when compiler-personality "
         "is generated."},
        {"VxWorks version for an existing personality",
         existing + "compiler-personality-file = C:\\Pers\\diab.p_c\nvxworks-version = 6.9\n",
         "Answer \"vxworks-version = 6.9\" (line 4) is not asked when compiler-personality is existing."},
        {"unknown VxWorks version", generated + "vxworks-version = 7.0\n",
         "Answer \"vxworks-version = 7.0\" (line 3) is not offered. Offered: 6.0, 6.1, 6.2, 6.3, 6.4, 6.5, 6.6, "
         "6.7, 6.8, 6.9."},
        {"unknown compiler", generated + "compiler = icc\n",
         "Answer \"compiler = icc\" (line 3) is not offered. Offered: diab, gnu."},
        {"undetected compiler not answered", existing + "compiler-personality-file = C:\\Pers\\both.p_c\n",
         "Answer \"compiler\" is missing: the compiler of C:\\Pers\\both.p_c cannot be detected. Offered: diab, "
         "gnu."},
        {"answered compiler not the detected one",
         existing + "compiler-personality-file = C:\\Pers\\diab.p_c\ncompiler = gnu\n",
         "Answer \"compiler = gnu\" (line 4) is not offered: C:\\Pers\\diab.p_c is for diab. Offered: diab."},
        {"personality file missing", existing + "compiler-personality-file = C:\\Pers\\nope.p_c\n",
         "Answer \"compiler-personality-file = C:\\Pers\\nope.p_c\" (line 3) names no file. Offered: an existing "
         "file."},
        {"personality file that is a directory", existing + "compiler-personality-file = C:\\Pers\n",
         "Answer \"compiler-personality-file = C:\\Pers\" (line 3) names no file. Offered: an existing file."},
        {"message personality that is no file", "target = Visual Studio\nmessage-personality = C:\\Pers\\gone.p_s\n",
         "Answer \"message-personality = C:\\Pers\\gone.p_s\" (line 2) names no file. Offered: default, or an "
         "existing file."},
        {"analyser personality that is a directory", "target = Visual Studio\nanalyser-personality = C:\\Pers\n",
         "Answer \"analyser-personality = C:\\Pers\" (line 2) names no file. Offered: none, or an existing file."},
        {"unknown answer", "target = Visual Studio\ncolour = blue\n",
         dir.file("answers.txt") + ":2: unknown answer \"colour\". Answers: analyser-version, target, "
                                   "visual-studio-version, compiler-personality, compiler-personality-file, compiler, "
                                   "vxworks-version, message-personality, analyser-personality"},
        {"answer given twice", "target = Visual Studio\n\nTarget = VxWorks\n",
         dir.file("answers.txt") + ":3: \"target\" is given again; first given on line 1"},
        {"line that is no answer", "target: Visual Studio\n",
         dir.file("answers.txt") + ":1: expected <answer> = <value>, found: target: Visual Studio"},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.name);
        const clitest::CliRun r = clitest::runWithAnswers(install, dir, refusal.answers);
        EXPECT_EQ(r.result.status, 2);
        EXPECT_EQ(r.result.out, refusal.message + "\nNothing was written.\n");
        EXPECT_TRUE(r.written.empty()) << r.written.begin()->first;
    }
}

} // namespace
