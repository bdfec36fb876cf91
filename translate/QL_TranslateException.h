// Exceptions of the translation layer; their texts are the messages the user sees.
#pragma once

#include "U_Exception.h"

#include <string>

class QL_TranslateException : public C_ConfigurationException {
public:
    explicit QL_TranslateException(const std::string& message) : C_ConfigurationException(message) {}
};

// A file the translation layer needed could not be opened: "Cannot open file: '<name>'.".
class QL_TranslateFileOpenException : public QL_TranslateException {
public:
    explicit QL_TranslateFileOpenException(const std::string& name)
        : QL_TranslateException("Cannot open file: '" + name + "'.")
    {
    }
};

// An encoding that cannot be used for the requested conversion: "InvalidEncoding".
class QL_InvalidEncodingException : public QL_TranslateException {
public:
    QL_InvalidEncodingException() : QL_TranslateException("InvalidEncoding") {}
};

// The message raised (as a C_ConfigurationException) for a Shift_JIS pair whose second byte is out
// of range while producing UTF-16.
inline const char* const kCharacterOutOfRangeMessage = "Character out of range.  Missing -en?";
