#include "programm_start.h"

int main(int argc, char *argv[])
{
    return griffwandler::app::programmStarten(argc, argv);
}
