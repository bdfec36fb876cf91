// zembrelconf: the Zembrel Configurator wizard.
#include "MessageBoxSink.h"
#include "WizardStartup.h"

int main(int argc, char** argv)
{
    wizard::installMessageBoxSink();
    return wizard::runZembrelConf(argc, argv);
}
