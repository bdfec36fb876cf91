// The product environment: installation, output, temporary directory and personal options file.
#include "C_Environment.h"

#include "C_CmdArgs.h"
#include "C_Messages.h"
#include "C_Options.h"
#include "C_Products.h"
#include "P_FileSystem.h"
#include "P_Process.h"
#include "QL_Convert.h"
#include "QL_Language.h"
#include "U_Exception.h"
#include "U_PathNames.h"

#include <cstdlib>

namespace {

const C_Product& productOf(const C_CmdArgs& args)
{
    const C_Product* product = args.product();
    if (!product)
        throw C_ConfigurationException("ERROR: Invalid product name specified.\n");
    return *product;
}

// An existing directory in which a temporary file name can be made.
bool acceptableTemporaryDirectory(const std::string& candidate)
{
    if (!platform::fs::isDirectory(candidate))
        return false;
    const std::string prefix = "nxl" + std::to_string(platform::processId());
    return !platform::temporaryFileName(candidate, prefix).empty();
}

} // namespace

bool environmentValue(const std::string& name, std::string& value)
{
    const char* text = std::getenv(name.c_str());
    if (!text)
        return false;
    value = text;
    return true;
}

std::string binDirectory(const C_CmdArgs& args)
{
    const C_Product& product = productOf(args);
    std::string value;
    if (!environmentValue(product.binVariable, value))
        throw C_ConfigurationException(std::string(cmdmsg::kEnvironmentHead) + product.binVariable
                                       + cmdmsg::kEnvironmentNotFound);
    return toForwardSlashes(value);
}

std::string outputDirectory(const C_CmdArgs& args)
{
    const C_Product& product = productOf(args);
    if (args.options() && !args.options()->outputpath().value().empty())
        return args.options()->outputpath().value();
    std::string value;
    if (environmentValue(product.outpathVariable, value))
        return toForwardSlashes(toInternal(value, runEncoding()));
    return ".";
}

std::string temporaryDirectory(const C_CmdArgs& args)
{
    const C_Product& product = productOf(args);
    std::string report = cmdmsg::kTempDirHeading;
    std::string value;
    if (environmentValue(product.tempfilesVariable, value)) {
        const std::string candidate = toForwardSlashes(toInternal(value, runEncoding()));
        if (acceptableTemporaryDirectory(candidate))
            return candidate;
        report += std::string(cmdmsg::kTempDirFromVariable) + product.tempfilesVariable + ": " + candidate + "\n";
        throw U_UserException(report);
    }
    if (environmentValue("TMP", value)) {
        const std::string candidate = toForwardSlashes(toInternal(value, runEncoding()));
        if (acceptableTemporaryDirectory(candidate))
            return candidate;
        report += std::string(cmdmsg::kTempDirFromVariable) + "TMP: " + candidate + "\n";
    }
    // The root of the current drive ("\" there; "/" with the separators used here).
    const std::string root = toForwardSlashes("\\");
    if (acceptableTemporaryDirectory(root))
        return root;
    report += std::string(cmdmsg::kTempDirTried) + root + "\n";
    throw U_UserException(report);
}

std::string personalOptionsFile(const C_CmdArgs& args)
{
    const C_Product& product = productOf(args);
    const std::string name = std::string(".") + product.lowerName + "rc";
    std::string value;
    if (environmentValue(std::string(product.name) + "RCPATH", value)) {
        const std::string found = findInPathList(value, name);
        if (!found.empty())
            return toForwardSlashes(found);
    }
    const std::string inCurrent = joinPath(currentDirectory(), name);
    if (isRegularFile(inCurrent))
        return inCurrent;
    if (environmentValue("HOME", value)) {
        const std::string inHome = joinPath(toForwardSlashes(value), name);
        if (isRegularFile(inHome))
            return inHome;
    }
    return {};
}

std::string productName(const C_CmdArgs& args)
{
    return productOf(args).name;
}

std::string binVariableName(const C_CmdArgs& args)
{
    return productOf(args).binVariable;
}
