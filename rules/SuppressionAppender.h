// Appending one suppression record per matched diagnostic to an error file.
#pragma once

#include "RuleMatching.h"

#include <initializer_list>
#include <string>

// Opens the error file at the path for appending (a block record first), writes for every match a
// record of kind 1 at the diagnostic's location with the text "Auto" and the diagnostic's number
// as its one message range, then closes the file. Errors of the writer pass on.
void appendSuppressions(const MatchList& matches, const std::string& errorFilePath);

// The same for several match lists, one block for each list that is not empty, in order, all
// under one lock and one publication; nothing when every list is empty.
void appendSuppressions(std::initializer_list<const MatchList*> lists, const std::string& errorFilePath);
