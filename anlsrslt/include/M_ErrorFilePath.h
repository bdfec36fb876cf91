// The error file of a source file: the directory joined with the base name plus ".err".
#pragma once

#include <string>

// "out" and "a/b/foo.cpp" give "out/foo.cpp.err".
std::string M_errorFilePath(const std::string& directory, const std::string& sourceFile);
