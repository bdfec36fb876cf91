// The binary reading and writing exceptions of the error-file primitives.
#pragma once

#include "U_Exception.h"

#include <string>

class R_ReadingException : public U_UserException {
public:
    R_ReadingException();

protected:
    explicit R_ReadingException(const std::string& message) : U_UserException(message) {}
};

// A failure while looking one byte ahead for the end of the file.
class R_ReadingEOFException : public R_ReadingException {
public:
    explicit R_ReadingEOFException(int error);
};

// A short or failed read, also raised for lengths and counts that exceed the bytes left.
class R_ReadingReadException : public R_ReadingException {
public:
    explicit R_ReadingReadException(int error);
};

// Message lists or locations nested deeper than the reader follows (a crafted file).
class R_ReadingNestingException : public R_ReadingException {
public:
    explicit R_ReadingNestingException(int limit);
};

class R_WritingException : public U_UserException {
public:
    R_WritingException();
};
