// The command line's output: UTF-8 with LF line ends on every system, in the console of the
// shell that started the program when there is one.
#pragma once

namespace orvel {

// Call first thing in main(). On Windows the program is built for the window system, so it
// has no console of its own: when started from a console, standard output and error go to
// that console (unless the caller redirected them). Standard output and error then write their
// bytes unchanged (no CR added before LF). Does nothing elsewhere.
void useStartingConsole();

} // namespace orvel
