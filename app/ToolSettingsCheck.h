// The check of the tool's own post-analysis settings before a run.
#pragma once

#include <ostream>
#include <string>

// The tool owns every "-po suppresszembrel::<key>..." entry. Before anything is read or written:
// - a value whose tool name is a near miss of "suppresszembrel" (another letter case, one colon
//   instead of two, a letter or two off) is named in a warning and taken as written under the
//   tool's name, so that a dry run asked for so never writes;
// - every entry whose key the tool does not know is named in a warning on the stream, together
//   with the known keys, and is otherwise ignored, as it always was;
// - an unknown key that reads like "dry_run" (letter case, "-" and "_" aside, or a letter or two
//   off) refuses the run with a configuration error, so that a misspelt trial never writes an
//   error file;
// - a known key whose entry lacks its value ("report" without "=") is the malformed-entry
//   assertion, reported with a sentence that names the setting.
void checkToolSettings(std::ostream& warnings);

// The tool name a "-po" value was meant for when it is a near miss of the tool's own name, with the
// entry that follows it; false for the tool's exact spelling with "::" and for other tools.
bool nearMissOfToolName(const std::string& option, std::string& tool, std::string& entry);

// Whether the key, which is not "dry_run", reads like it.
bool looksLikeDryRunKey(const std::string& key);
