// Receives every argument that is not an option (for the suppression tool: the source files).
#pragma once

#include <string>

class C_CmdArgs;

class C_OrphanHandler {
public:
    virtual ~C_OrphanHandler() = default;
    virtual void take(C_CmdArgs& args, const std::string& argument) = 0;
    virtual bool isEmpty() const = 0;
};
