#include "startup.h"

int main(int argc, char *argv[])
{
    return griffwandler::app::runProgram(argc, argv);
}
