// The authoring commands of zumeli-solve: --make-unique and --generate.
#pragma once

namespace zumeli::cli {

// The lines --help gives for the authoring commands.
const char* authorUsage();

// Whether the arguments ask for an authoring command (--make-unique or --generate among them).
bool isAuthorCommand(int argc, char** argv);

// Runs the authoring command the arguments ask for and returns the exit status: 0 when the
// output file is written, 2 for bad arguments or input (the output file is then not written),
// 1 when no unique puzzle was found.
int runAuthorCommand(int argc, char** argv);

} // namespace zumeli::cli
