// The configurator's start-up: resources, application, translator, the wizard and its event loop.
#pragma once

namespace wizard {

// Registers the compiled-in resources (the logo ":/logo_shadow.jpg").
void registerResources();

// Runs the whole wizard and answers the process exit code. Messages go through the sink that the
// caller installed (see MessageBoxSink.h).
int runZembrelConf(int& argc, char** argv);

} // namespace wizard
