// Where the run's product is installed, where output and scratch files go, and the personal
// options file, from the product's environment variables and options.
#pragma once

#include <string>

class C_CmdArgs;

// The product's BIN variable with "/" separators; raises C_ConfigurationException when it is unset.
std::string binDirectory(const C_CmdArgs& args);
// "outputpath" if given a value, else the product's OUTPATH variable, else ".".
std::string outputDirectory(const C_CmdArgs& args);
// The product's TEMPFILES variable, else TMP, else the root directory, whichever is an existing
// directory in which a temporary name can be made; raises U_UserException with the report when
// none is.
std::string temporaryDirectory(const C_CmdArgs& args);
// ".<product>rc" along the product's RCPATH, else in the current directory, else in HOME; "" when
// there is none.
std::string personalOptionsFile(const C_CmdArgs& args);
std::string productName(const C_CmdArgs& args);
std::string binVariableName(const C_CmdArgs& args);

// The value of an environment variable; false when it is not set.
bool environmentValue(const std::string& name, std::string& value);
