// The check of the tool's own post-analysis settings before a run.
#pragma once

#include <ostream>
#include <string>

// The tool owns every "-po suppresszembrel::<key>..." entry. Before anything is read or written:
// - every entry whose key the tool does not know is named in a warning on the stream, together
//   with the known keys, and is otherwise ignored, as it always was;
// - an unknown key that reads like "dry_run" (letter case, "-" and "_" aside, or a letter or two
//   off) refuses the run with a configuration error, so that a misspelt trial never writes an
//   error file;
// - a known key whose entry lacks its value ("report" without "=") is the malformed-entry
//   assertion, reported with a sentence that names the setting.
void checkToolSettings(std::ostream& warnings);

// Whether the key, which is not "dry_run", reads like it.
bool looksLikeDryRunKey(const std::string& key);
