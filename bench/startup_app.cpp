// The program's own start-up, exactly as the program starts, reporting its
// first frame.
#include "app/griffwandler_form.h"
#include "app/startup.h"
#include "first_frame.h"

int main(int argc, char *argv[])
{
    return griffwandler::app::runProgram(argc, argv, [](griffwandler::app::GriffwandlerForm &form) {
        new griffwandler::bench::FirstFrameReporter(form);
    });
}
