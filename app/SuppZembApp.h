// The application of suppresszembrel: collects the source files and runs the suppression over them.
#pragma once

#include "C_OrphanFileHandler.h"
#include "QL_App.h"

class SuppZembApp : public QL_App {
public:
    explicit SuppZembApp(std::string banner) : QL_App(std::move(banner)) {}
    ~SuppZembApp() override = default;

    int run() override;
    C_OrphanHandler& orphanHandler() override { return files_; }
    // The four usage lines on standard error.
    void usage() override;

    const C_OrphanFileHandler& files() const { return files_; }

private:
    C_OrphanFileHandler files_;
};
