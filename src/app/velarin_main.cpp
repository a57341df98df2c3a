// velarin: the tray program (and its --headless and --demo forms).
#include "app/core/RunVelarin.h"

int main(int argc, char** argv)
{
    return velarin::RunVelarin(argc, argv);
}
