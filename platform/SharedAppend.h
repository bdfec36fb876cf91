// Appending whole lines to a text file that many processes append to at once.
#pragma once

#include <string>

namespace platform {

// Appends the lines (text that ends with a line feed) to the file, creating it when missing. Many
// processes of a parallel build append to the same file: it is locked exclusively as error files
// are (POSIX flock, Win32 LockFileEx), so the lines of one call follow one another and never
// interleave with those of another. False when the file cannot be created, opened, locked or
// written; the file then keeps its earlier lines.
//
// POSIX: the lines are published as error-file blocks are (AtomicAppendFile), whole or not at all,
// even when the process is killed; a file that does not end with a line feed (another program wrote
// it) gets a line end first, so the new lines stay whole. Win32: they are written in place; a
// process terminated during the write can leave an unfinished last line, which the next append cuts
// off before it writes.
bool appendLines(const std::string& path, const std::string& lines);

} // namespace platform
