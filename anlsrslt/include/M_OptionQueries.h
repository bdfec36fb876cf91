// The settings of the current run that the diagnostic model and the writer read.
#pragma once

#include <cstdint>
#include <string>

// Each query reads the current command line (C_CmdArgs::current); without one, the options'
// defaults apply. Tests set options on a command line and make it current.
namespace M_OptionQueries {

bool expandFileNames();                        // "expandfilenames"
bool hasDebugWord(const std::string& word);    // a value of "debug"
bool showAlias();                              // "showalias"
// True when "nogen" is on and "nomsg" holds the number or "only" has values without it.
bool messageFilteredOut(std::int32_t messageNumber);
// True when the location's file is one of the "quiet" files.
bool isQuietPath(const std::string& canonicalPath);
// The text converted to the run's output encoding.
std::string outputText(const std::string& text);
// The run's output directory ("outputpath", the product's OUTPATH variable, or ".").
std::string outputDirectory();

} // namespace M_OptionQueries
