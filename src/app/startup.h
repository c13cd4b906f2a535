#pragma once

#include <functional>

namespace griffwandler::app {

class GriffwandlerForm;

// The program's life: what the platform needs before the toolkit starts, the
// toolkit, the window and the event loop; returns the exit status. A start
// that cannot succeed ends the program with one line on stderr that names the
// cause. `beforeShow` sees the window after it is built and before it is
// first shown (the start-up benchmark watches for its first frame).
int runProgram(int argc, char *argv[],
               const std::function<void(GriffwandlerForm &)> &beforeShow = {});

} // namespace griffwandler::app
