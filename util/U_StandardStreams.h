// The program's standard output and standard error as C++ streams, made when first used.
#pragma once

#include <iosfwd>

// They write through the C library's stdout and stderr, as std::cout and std::cerr do while they
// are synchronised with stdio (their default): the same buffering, the same text mode (on Windows
// a LF goes out as CR LF), and flush() flushes the C library's stream. The error stream is flushed
// after every output and flushes the output stream before it writes, as std::cerr does.
//
// A program whose code includes no <iostream> does not start the eight standard streams of the
// C++ library at all: about 0.3 ms of every process started for one analysed file.
std::ostream& standardOutput();
std::ostream& standardError();
