// Set-up shared by the configurator's fuzz targets: one fake installation, fatal stops that unwind.
#pragma once

#include "FakeInstallation.h"
#include "FuzzSupport.h"
#include "MessageSink.h"

#include <string>

namespace conffuzz {

// Thrown by the exit hook in place of ending the process: a fatal stop (a path the fuzzer made
// unusable) is a reported failure, not a crash.
struct FatalStop {};

// The fake installation, built once per fuzzing process.
inline conftest::FakeInstallation& installation()
{
    static conftest::FakeInstallation fake;
    return fake;
}

// Silences the process and the configurator's warnings, turns fatal stops into FatalStop and
// builds the installation before the first input.
inline void setUpProcess()
{
    fuzzsupport::setUpProcess();
    conf::setWarningSink([](const std::string&) {});
    conf::setExitHook([](int) { throw FatalStop{}; });
    (void)installation();
}

} // namespace conffuzz
