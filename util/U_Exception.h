// The framework's exception family; each builds its whole message when it is constructed.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

class U_Exception : public std::exception {
public:
    U_Exception() = default;
    const char* what() const noexcept override { return "U_Exception"; }
};

// An exception whose text is meant for the user. The text lives in one process-wide buffer that
// every construction overwrites, so what() always answers the most recently built message.
class U_UserException : public U_Exception {
public:
    explicit U_UserException(const std::string& message);
    const char* what() const noexcept override;

    // The process-wide message buffer (the text of the latest user exception).
    static const std::string& messageBuffer();
};

// A command-line or set-up error; carries the exit status the frame should end with, if any.
class C_ConfigurationException : public U_UserException {
public:
    explicit C_ConfigurationException(const std::string& message, std::int32_t code = 10,
                                      bool useCode = false)
        : U_UserException(message), code_(code), useCode_(useCode)
    {
    }
    virtual std::int32_t code() const { return code_; }
    virtual bool useCode() const { return useCode_; }

private:
    std::int32_t code_;
    bool useCode_;
};

// A failed assertion of the framework; the frame ends the run quietly with the internal status.
class U_AssertException : public U_Exception {
public:
    const char* what() const noexcept override { return "U_AssertException"; }
};
