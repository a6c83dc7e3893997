// Stops the test's own process dead at a chosen write, as a kill -9 would: the next time a
// file of the given path is opened for writing, or a file is renamed onto it. Meant for a
// forked child; POSIX only.
#pragma once

namespace orvel::testing {

// path: as the system names it (QFile::encodeName).
void killBeforeWriting(const char *path);

} // namespace orvel::testing
