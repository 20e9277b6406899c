#pragma once

// A test program can act as its own child process (a writer to be killed, a
// second instance, ...): a test file registers a handler, and main() gives it
// the command line first. The handler returns -1 when the arguments are not
// its own.
using ChildModeHandler = int (*)(int argc, char **argv);
bool registerChildMode(ChildModeHandler handler);
int runChildMode(int argc, char **argv);
