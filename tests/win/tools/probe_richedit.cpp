// Test helper: reports the rich edit probe's answer as the exit code (1
// current, 0 not). Run in a process of its own so that the test can make
// Wine read the riched20.dll files themselves: for its own process Wine
// would hand out the version resource of its built-in library instead.
//   probe_richedit.exe FOLDER   the riched20.dll in FOLDER
//   probe_richedit.exe          the system's riched20.dll
#include "sys/environment_probes.h"

int main(int argc, char** argv) {
    if (argc >= 2) return brimel::IsRichEditCurrentIn(argv[1]) ? 1 : 0;
    return brimel::IsRichEditCurrent() ? 1 : 0;
}
