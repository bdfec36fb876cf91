// Raised for an argument that names no option of the product.
#pragma once

#include "C_Messages.h"
#include "U_Exception.h"

#include <string>

class C_InvalidArgException : public C_ConfigurationException {
public:
    explicit C_InvalidArgException(const std::string& argument)
        : C_InvalidArgException(std::string(cmdmsg::kUnknownArgument) + argument + cmdmsg::kMessageEnd, 0)
    {
    }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    C_InvalidArgException(const std::string& message, int) : C_ConfigurationException(message), message_(message) {}
    std::string message_;
};
