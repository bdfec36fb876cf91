// Raised when an option that takes a value finds none.
#pragma once

#include "C_Messages.h"
#include "U_Exception.h"

#include <string>

class C_ValueExpectedException : public C_ConfigurationException {
public:
    explicit C_ValueExpectedException(const std::string& optionName)
        : C_ValueExpectedException(std::string(cmdmsg::kArgumentExpected) + optionName + cmdmsg::kMessageEnd, 0)
    {
    }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    C_ValueExpectedException(const std::string& message, int) : C_ConfigurationException(message), message_(message) {}
    std::string message_;
};
