// Shows the configurator's messages as modal warning boxes.
#pragma once

namespace wizard {

// Routes every message of the configurator to a modal warning box with no parent, an empty title
// and a single OK button.
void installMessageBoxSink();

} // namespace wizard
