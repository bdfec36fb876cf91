// suppresszembrel: appends suppression records to the analyser's error files by regex rules.
#include "SuppZembMain.h"

int main(int argc, char* argv[])
{
    return suppZembMain(argc, argv);
}
