// What an installation offers the answers of an unattended configuration.
#pragma once

#include <iosfwd>

namespace confcli {

// Prints, with the answer each list is for: the accepted analyser versions with their directories
// (and the one the wizard preselects), the Visual Studio versions of each with their compiler
// personalities, the VxWorks versions, the kinds of VxWorks compiler personality and the message
// and analyser personalities. Without an accepted analyser version the configurator's message is
// shown and the process ends with 0, as the wizard does.
void listOffers(std::ostream& out);

} // namespace confcli
