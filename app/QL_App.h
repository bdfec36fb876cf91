// The application frame's base: an application with its banner, its command line and its exit codes.
#pragma once

#include "C_CmdArgs.h"
#include "U_Ref.h"

#include <string>

class C_OrphanHandler;

class QL_App : public U_Ref {
public:
    explicit QL_App(std::string banner) : banner_(std::move(banner)) {}
    ~QL_App() override = default;

    // Called once by the frame before anything else; the result is not used.
    virtual bool initialise() { return true; }
    // The application's work; the result is the process's exit status.
    virtual int run() = 0;
    // Receives the arguments that are not options.
    virtual C_OrphanHandler& orphanHandler() = 0;
    // A text query no part of this system uses.
    virtual std::string queryText() const { return "NOP"; }
    // Writes the usage text (after a configuration error).
    virtual void usage() {}
    virtual int successCode() const { return 0; }
    virtual int systemErrorCode() const { return 19; }
    virtual int internalErrorCode() const { return 18; }
    virtual int configErrorCode() const { return 10; }
    // Two further exit codes that the frame never uses.
    virtual int userErrorCode() const { return 10; }
    virtual int runErrorCode() const { return 10; }
    virtual int allocErrorCode() const { return 19; }

    const std::string& banner() const { return banner_; }
    // The run's command line; null until the frame sets it.
    U_Handle<C_CmdArgs> commandLine() const { return commandLine_; }
    void setCommandLine(U_Handle<C_CmdArgs> commandLine) { commandLine_ = std::move(commandLine); }

private:
    std::string banner_;
    U_Handle<C_CmdArgs> commandLine_;
};

// The run protocol: banner, error mode, signal handlers, product, installation variable, argument
// processing, then the application's run; every escaping exception becomes a message and a status.
// The arguments start with the product name (the program name is not among them).
int runApplication(int count, const char* const* arguments, U_Handle<QL_App> application);

// Prints the banner unless it was printed already in this process.
void printBannerOnce(const std::string& banner);
