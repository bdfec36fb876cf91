// The listing of what the installation offers, from the same lookups the pages make.
#include "OfferListing.h"

#include "CliMessages.h"

#include "Discovery.h"
#include "PageActions.h"

#include <ostream>
#include <string>
#include <vector>

namespace confcli {

namespace {

// The texts of a list padded to one width, so that what follows them lines up.
std::string padded(const std::string& text, std::size_t width)
{
    return text.size() < width ? text + std::string(width - text.size(), ' ') : text;
}

std::size_t widest(const std::vector<std::string>& texts)
{
    std::size_t width = 0;
    for (const std::string& text : texts)
        width = text.size() > width ? text.size() : width;
    return width;
}

} // namespace

void listOffers(std::ostream& out)
{
    const std::vector<std::string> versions = conf::loadVelcppVersions();
    const int preselected = conf::preselectedVersionIndex(versions);
    const std::size_t versionWidth = widest(versions);
    std::vector<std::string> paths(versions.size());
    std::vector<bool> usable(versions.size());
    for (std::size_t i = 0; i < versions.size(); ++i)
        usable[i] = conf::lookupVelcppPath(versions[i], paths[i]);

    out << "Analyser versions (analyser-version):\n";
    for (std::size_t i = 0; i < versions.size(); ++i) {
        out << "  " << padded(versions[i], versionWidth) << "  "
            << (usable[i] ? paths[i] : std::string("(no usable installation directory)"))
            << (static_cast<int>(i) == preselected ? "  (preselected)" : "") << '\n';
    }

    out << "Visual Studio versions (visual-studio-version) and their compiler personalities:\n";
    for (std::size_t i = 0; i < versions.size(); ++i) {
        out << "  with analyser version " << versions[i] << ":";
        const std::vector<std::string> labels = usable[i] ? conf::availableVsVersions(paths[i]) : std::vector<std::string>();
        if (labels.empty())
            out << " none";
        out << '\n';
        for (const std::string& label : labels)
            out << "    " << padded(label, widest(labels)) << "  " << conf::personalityForVsVersion(paths[i], label)
                << '\n';
    }

    out << "VxWorks versions (vxworks-version):";
    for (const std::string& version : conf::vxWorksVersions())
        out << ' ' << version;
    out << '\n';

    out << "VxWorks compiler personalities (compiler-personality):\n"
        << "  " << msg::kExisting << "   a personality file (compiler-personality-file); the compiler (compiler: "
        << msg::kDiab << ", " << msg::kGnu << ") when the file does not tell\n"
        << "  " << msg::kGenerated << "  generated for a compiler (compiler: " << msg::kDiab << ", " << msg::kGnu
        << ") and a VxWorks version\n";
    out << "Message personalities (message-personality): " << msg::kDefault << ", " << msg::kOrAFile << '\n';
    out << "Analyser personalities (analyser-personality): " << msg::kNone << ", " << msg::kOrAFile << '\n';
}

} // namespace confcli
