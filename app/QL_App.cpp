// The run protocol of the application frame: set-up, argument processing, run, and the exception table.
#include "QL_App.h"

#include "C_Environment.h"
#include "C_Options.h"
#include "ErrorMode.h"
#include "QL_AppMessages.h"
#include "RawOutput.h"
#include "U_Exception.h"
#include "U_PathNames.h"
#include "U_StandardStreams.h"

#include <csignal>
#include <cstdlib>
#include <new>
#include <ostream>

namespace {

bool& bannerPrinted()
{
    static bool printed = false;
    return printed;
}

std::size_t textLength(const char* text)
{
    std::size_t length = 0;
    while (text[length])
        ++length;
    return length;
}

void writeRaw(const char* text)
{
    platform::writeToStandardErrorRaw(text, textLength(text));
}

// The same handler for every caught signal: two lines straight to descriptor 2, then an immediate
// end with status 19 (no exit handlers, no stream flushing; nothing the interrupted code holds is
// touched).
extern "C" void onSignal(int number)
{
    const char* name = nullptr;
    switch (number) {
    case SIGINT: name = "SIGINT)\n"; break;
    case SIGABRT: name = "SIGABRT)\n"; break;
    case SIGILL: name = "SIGILL)\n"; break;
    case SIGFPE: name = "SIGFPE)\n"; break;
    case SIGSEGV: name = "SIGSEGV)\n"; break;
    case SIGTERM: name = "SIGTERM)\n"; break;
    default: break;
    }
    writeRaw(appmsg::kCaughtSignal);
    if (name)
        writeRaw(name);
    writeRaw(appmsg::kContactSupplier);
    std::_Exit(19);
}

void installSignalHandlers()
{
    for (const int number : {SIGINT, SIGABRT, SIGILL, SIGFPE, SIGSEGV, SIGTERM})
        std::signal(number, onSignal);
}

void errorLine(const std::string& text)
{
    standardError() << text << std::flush;
}

void reportToSupplier()
{
    errorLine(appmsg::kReportToSupplier);
    errorLine(appmsg::kAttachExample);
}

int runProtocol(int count, const char* const* arguments, QL_App& application)
{
    application.initialise();
    platform::setErrorMode(platform::errorMode() | platform::kNoGpFaultErrorBox);
    installSignalHandlers();

    if (count < 1)
        throw C_ConfigurationException(appmsg::kNoProduct);
    const std::string product = baseNameNoExtension(toForwardSlashes(arguments[0]));
    const U_Handle<C_CmdArgs> args(new C_CmdArgs(product, count - 1, arguments + 1));
    if (args->productIndex() < 0)
        throw C_ConfigurationException(appmsg::kInvalidProduct);

    if (binDirectory(*args).empty())
        throw C_ConfigurationException(appmsg::kVariableHead + binVariableName(*args) + appmsg::kVariableNotFound);

    args->process(application.orphanHandler());
    if (args->options()->version().value())
        printBannerOnce(application.banner());

    application.setCommandLine(args);
    return application.run();
}

} // namespace

void printBannerOnce(const std::string& banner)
{
    if (bannerPrinted())
        return;
    bannerPrinted() = true;
    standardOutput() << banner << std::flush;
}

int runApplication(int count, const char* const* arguments, U_Handle<QL_App> application)
{
    for (int i = 1; i < count; ++i)
        if (startsWithIgnoreCase("-ver", arguments[i]))
            printBannerOnce(application->banner());

    try {
        return runProtocol(count, arguments, *application);
    } catch (const C_ConfigurationException& e) {
        errorLine(e.what());
        application->usage();
        return e.useCode() ? e.code() : application->configErrorCode();
    } catch (const U_AssertException&) {
        return application->internalErrorCode();
    } catch (const U_UserException& e) {
        errorLine(std::string(e.what()) + "\n");
        return application->internalErrorCode();
    } catch (const U_Exception& e) {
        errorLine(appmsg::kInternalException + std::string(e.what()) + "\n");
        return application->internalErrorCode();
    } catch (const std::bad_alloc& e) {
        errorLine(appmsg::kAllocationHead + std::string(e.what()) + appmsg::kDetectedTail);
        reportToSupplier();
        return application->allocErrorCode();
    } catch (const std::exception& e) {
        errorLine(appmsg::kSystemHead + std::string(e.what()) + appmsg::kDetectedTail);
        reportToSupplier();
        return application->systemErrorCode();
    } catch (...) {
        errorLine(appmsg::kUnrecognised);
        reportToSupplier();
        return application->systemErrorCode();
    }
}
