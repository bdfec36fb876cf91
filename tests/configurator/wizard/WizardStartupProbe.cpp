// zembrelconf's start-up with its messages on standard error instead of in message boxes, so that
// tests can run it as a child process and read what it said.
#include "WizardStartup.h"

int main(int argc, char** argv)
{
    return wizard::runZembrelConf(argc, argv);
}
