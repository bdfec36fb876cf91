// What the analyser stand-in of the Windows journey takes from a configuration, and the arguments it
// gives the post-analysis command for one analysed file, as the analyser does.
#pragma once

#include <string>
#include <vector>

namespace standin {

// From the generated build batch (msvelcppmake.bat): the analyser directory of its "set velcpp="
// line and the message personality that create_project_back_end.exe is given with -p_s.
struct BuildBatch {
    std::string analyserDirectory;
    std::string messagePersonality;
};

// From the message personality: the post-analysis command and its parameters, and whether it is on.
struct PostAnalysis {
    bool enabled = false;
    std::string shellExe;
    std::string shellParams;
};

// The analysed file whose placeholders are filled in.
struct AnalysedFile {
    std::string outputDirectory; // the analyser's output directory ("-op")
    std::string sourceFile;      // the analysed source file, as the analyser names it
    std::string session;         // %S
};

// Each answers false with the reason in `why` when the text lacks what the analyser needs.
bool readBuildBatch(const std::string& text, BuildBatch& batch, std::string& why);
bool readPostAnalysis(const std::string& text, PostAnalysis& command, std::string& why);
// %Q the product (VELCPP); %F "-op", the output directory and the file; %P+ "-p" and the project
// file; %N+ "-n" and the file's base name; %S the session; words other than placeholders as they are.
bool postAnalysisArguments(const std::string& shellParams, const AnalysedFile& file, std::vector<std::string>& arguments,
                           std::string& why);

} // namespace standin
