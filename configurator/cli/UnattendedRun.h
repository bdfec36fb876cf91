// The wizard's pages walked with the answers of a file instead of a user's clicks.
#pragma once

#include <iosfwd>
#include <string>

namespace confcli {

class AnswersFile;

// Exit statuses of zembrelconf-cli besides the configurator's own fatal stops (10 for file, path
// and version errors), which end the process where they occur.
constexpr int kStatusDone = 0;
constexpr int kStatusRefused = 2;     // wrong command line, unreadable answers file or refused answer: nothing written
constexpr int kStatusPageRefused = 3; // a page would not go on (the personality generator failed)
// The configurator's own stops with 0, each with a status of its own, so that a provisioning
// script cannot take them for a configuration that was made, and can tell their causes apart.
constexpr int kStatusNoInstallation = 4;   // no accepted analyser installation
constexpr int kStatusNoVsPersonality = 5;  // the chosen analyser has no Visual Studio personality
constexpr int kStatusRegistryValue = 6;    // a registry value of the integration or of Varnholt is missing
// Every file was written, but a batch file names a path with "?" that its code page cannot hold.
constexpr int kStatusBatchPathLost = 7;

// The status for a stop of the configurator with `code` after it showed `message`: 10 stays 10;
// a stop with 0 gets the status of its cause.
int statusOfStop(int code, const std::string& message);

// Walks the pages the wizard shows for these answers, through the same core calls, so the checks,
// messages and files are the wizard's. Every answer is checked against what the installation
// offers before the first file is written: a refused answer is reported on `out`, with what was
// offered, and nothing is written. Answers the exit status; on success the summary is on `out`.
int runUnattended(const AnswersFile& answers, std::ostream& out);

} // namespace confcli
