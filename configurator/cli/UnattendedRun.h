// The wizard's pages walked with the answers of a file instead of a user's clicks.
#pragma once

#include <iosfwd>

namespace confcli {

class AnswersFile;

// Exit statuses of zembrelconf-cli besides the configurator's own fatal stops (10 for file, path
// and version errors), which end the process where they occur.
constexpr int kStatusDone = 0;
constexpr int kStatusRefused = 2;     // wrong command line, unreadable answers file or refused answer: nothing written
constexpr int kStatusPageRefused = 3; // a page would not go on (the personality generator failed)
// No installation found (the configurator's own stop with 0): a status of its own, so that a
// provisioning script cannot take it for a configuration that was made.
constexpr int kStatusNoInstallation = 4;

// Walks the pages the wizard shows for these answers, through the same core calls, so the checks,
// messages and files are the wizard's. Every answer is checked against what the installation
// offers before the first file is written: a refused answer is reported on `out`, with what was
// offered, and nothing is written. Answers the exit status; on success the summary is on `out`.
int runUnattended(const AnswersFile& answers, std::ostream& out);

} // namespace confcli
