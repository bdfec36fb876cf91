// Appending one suppression record per matched diagnostic to an error file.
#pragma once

#include "RuleMatching.h"

#include <string>

// Opens the error file at the path for appending (a block record first), writes for every match a
// record of kind 1 at the diagnostic's location with the text "Auto" and the diagnostic's number
// as its one message range, then closes the file. Errors of the writer pass on.
void appendSuppressions(const MatchList& matches, const std::string& errorFilePath);

// The same for the message matches and the parameter matches of one file: one block for each list
// that is not empty, in that order, both under one lock and one publication; nothing when both are
// empty.
void appendSuppressions(const MessageMatches& messageMatches, const ParameterMatches& parameterMatches,
                        const std::string& errorFilePath);
