// The process-wide record of the configurator's choices.
#include "WizardSettings.h"

namespace conf {

WizardSettings& WizardSettings::instance()
{
    static WizardSettings settings;
    return settings;
}

} // namespace conf
