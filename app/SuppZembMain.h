// The entry-point logic of suppresszembrel, callable from main and from tests.
#pragma once

// Answers "-ver", records the program directory, creates the application and runs it; returns the
// process's exit status.
int suppZembMain(int argc, const char* const* argv);
