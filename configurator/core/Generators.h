// Generators that fill the integration's templates, the personality generator run, compiler detection.
#pragma once

#include <string>

namespace conf {

// suppresszembrel.p_s from its template ("{ZembIntegrationDir}").
void writeSuppressPersonality();
// wrapper_<GenerationContext::wrapperTool>.cfg from its template, naming the compiler personality
// and the platform's analyser personality (plus a custom one with an extra -via).
void writeWrapperConfig();
// zembrel-msvc.p_a from its template.
void writeMsvcAnalyserPersonality();
// cl.bat from its template, with `velcppDir` as the analyser directory.
void writeClBat(const std::string& velcppDir);
// zembrel-vxworks.p_a from its template, with `windDir` as the Wind River directory.
void writeVxAnalyserPersonality(const std::string& windDir);

// Writes the generator's settings.txt, runs windDir\wrenv with the generator and answers its exit
// code; shows "Varnholt failed\nto generate personality." when the code is not 0.
int runPersonalityGenerator(const std::string& personalityName, const std::string& compilerFamily,
                            const std::string& windDir, const std::string& destinationDir,
                            const std::string& vxVersion);

// "diab" when the personality mentions only "_DCC_", "gnu" when only "_GNUC_", else empty.
std::string detectVxCompiler(const std::string& personalityPath);

} // namespace conf
