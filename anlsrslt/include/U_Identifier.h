// An interned identifier (macro names): equal texts give the same identifier.
#pragma once

#include <string>

class U_Identifier {
public:
    U_Identifier(); // the empty identifier
    explicit U_Identifier(const std::string& text);

    const std::string& text() const { return *text_; }
    // Identity of the interned text; equal identifiers have equal keys.
    const std::string* key() const { return text_; }
    bool operator==(const U_Identifier& other) const { return text_ == other.text_; }
    bool operator!=(const U_Identifier& other) const { return text_ != other.text_; }

private:
    const std::string* text_;
};
