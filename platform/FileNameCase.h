// Whether the platform's file names ignore letter case (Windows) or not (POSIX file systems).
#pragma once

namespace platform {

// True when two file names that differ only in letter case name the same file.
bool fileNamesFoldCase();

} // namespace platform
