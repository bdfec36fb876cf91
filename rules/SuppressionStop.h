// A fatal condition of the suppression run: its report goes to standard output and the run ends.
#pragma once

#include <string>
#include <utility>

// Raised where the rules or a source file needed for matching are missing. The driver prints the
// report and ends the process with the status at once; nothing more is written for the file.
class SuppressionStop {
public:
    explicit SuppressionStop(std::string report, int status = 10) : report_(std::move(report)), status_(status) {}

    // The whole report, without the line feed that follows it.
    const std::string& report() const { return report_; }
    int status() const { return status_; }

private:
    std::string report_;
    int status_;
};
