#include "ctl/ctlmain.h"

int main(int argc, char **argv)
{
    return VelmoraCtlMain(argc, argv);
}
