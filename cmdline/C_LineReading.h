// Reading lines of via and configuration files: 1023-byte lines, backslash continuation, and the
// substitution of environment variables.
#pragma once

#include <cstdio>
#include <string>

// Reads the next line (at most 1023 bytes; a longer line is read in pieces) with its newline, joining
// a line that ends in a backslash just before its newline with the next one (both removed). The CR
// of a CR LF is dropped. False at the end of the file.
bool readJoinedLine(std::FILE* file, std::string& line);

// The line with "$$" made "$" and "$name" or "${name}" replaced by the environment value (nothing
// when unset). An unclosed brace is reported on standard output and the rest of the line is kept
// as written. With escapes, "\n" and "\t" become a newline and a tab and a backslash before any
// other character gives that character. The result ends before the line's newline, if any.
std::string rewriteLine(const std::string& line, bool substitute, bool escapes);
