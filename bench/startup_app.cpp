// The program's own start-up, exactly as the program starts, reporting its
// first frame.
#include "first_frame.h"
#include "griffwandler_form.h"
#include "programm_start.h"

int main(int argc, char *argv[])
{
    return griffwandler::app::programmStarten(argc, argv,
                                              [](griffwandler::app::GriffwandlerForm &form) {
                                                  new griffwandler::bench::FirstFrameReporter(form);
                                              });
}
