// Compares the content given to the writer with what the reader made of the file, field by field
// and through the text form.
#pragma once

#include "ErrorFileGenerator.h"

#include <string>
#include <vector>

class M_InputBonnie;

namespace roundtrip {

// The first difference, or an empty string when the reading holds exactly what was written.
// Within one block a location written once and referred to again must be read as one object, and
// two locations written separately as two.
std::string compareFormat3(const Format3Content& written, const M_InputBonnie& read);
std::string compareFormat2(const Format2Content& written, const M_InputBonnie& read);

// The text form: every diagnostic's text in file order, then every suppression record's errtool
// line in file order. Written content gives the lines that its reading must give.
std::vector<std::string> textForm(const Format3Content& written);
std::vector<std::string> textForm(const M_InputBonnie& read);

} // namespace roundtrip
