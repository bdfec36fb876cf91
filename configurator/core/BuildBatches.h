// Zembrel's build batch files extended by the analysis, and the post-analysis hook.
#pragma once

#include <string>

namespace conf {

// Z\Share\etc\msvelcppmake.bat from msmake.bat (or msvc9make.bat), using GenerationContext's
// batch fields; the analysis names custom.p_s when `customMessagePersonality`, else suppresszembrel.p_s.
void writeMsBuildBatch(bool customMessagePersonality);

// Z\Share\etc\vx6velcppmake.bat from Vx6make.bat; answers the Wind River directory found in it
// (empty when none).
std::string writeVxBuildBatch(const std::string& velcppDir, const std::string& personalityPath);

// custom.p_s from the user's message personality, made to run custom_sa.bat after each analysis,
// then custom_sa.bat through writePostAnalysisBatch.
void writeCustomMessagePersonality(const std::string& messagePersonalityPath);

// The post-analysis batch file: suppresszembrel, then the previous post-analysis command if any,
// its parameters translated from the analyser's "%" codes to batch arguments.
void writePostAnalysisBatch(const std::string& outputPath, bool hasPreviousCommand,
                            const std::string& executable, const std::string& parameters);

// The second line of the post-analysis batch file with its line end: the quoted executable, the
// translated "%" codes, then the literal text of the parameters.
std::string translatePostAnalysisCommand(const std::string& executable, const std::string& parameters);

} // namespace conf
