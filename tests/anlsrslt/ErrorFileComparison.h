// Compares the content given to the writer with what the reader made of the file, field by field
// and through the text form.
#pragma once

#include "ErrorFileGenerator.h"
#include "M_ReadingInterest.h"

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

// Wants the odd message numbers, with parameters for those that are 3 modulo 4, and remembers the
// numbers of the diagnostics it passed over.
class OddNumbersInterest : public M_ReadingInterest {
public:
    bool wantsDiagnostic(std::int32_t number) const override { return (number & 1) != 0; }
    bool wantsParameters(std::int32_t number) const override { return (number & 3) == 3; }
    void passedOver(std::int32_t number, const U_Location&, bool) override { passed.push_back(number); }
    std::vector<std::int32_t> passed;
};

// The first difference between a whole reading of format-3 bytes and a reading of the same bytes
// with the interest: it must build the diagnostics wanted, in order, with the same text where it
// wanted the parameters, and pass over the others in order.
std::string compareWithInterest(const M_InputBonnie& whole, const M_InputBonnie& partial,
                                const OddNumbersInterest& interest);

} // namespace roundtrip
