#pragma once
// The desktop program's command line: `lumenrill [SHOW.PRJ]`, `lumenrill --demo`,
// `lumenrill --help`, `lumenrill --version`. Read before anything starts, so that help, the version and a usage
// error need neither a display nor the single-instance lock.

#include <optional>
#include <string>

struct CommandLine {
    // Set when the command line has already been answered (help, the version, a usage error
    // on standard error): the program ends at once with this status.
    std::optional<int> ExitStatus;
    // The show to open, byte for byte as given; empty for none.
    std::string Show;
    // Open the demo show.
    bool Demo = false;
};

CommandLine ReadCommandLine(int argc, char** argv);
