// The directory of the running program, as it was invoked, where the rules files are looked for.
#pragma once

#include <string>

// "dir/" with forward slashes and a trailing "/", or "" when the program was started by bare name.
std::string& programDirectory();

// The directory part of a program name: up to and including the last separator ("\" read as "/").
std::string programDirectoryOf(const std::string& programName);
