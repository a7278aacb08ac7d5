#pragma once
// SIGINT, SIGTERM and SIGHUP (a closed terminal, the end of a login) as a request to end in order: the handler only notes the signal and
// writes a byte to a pipe, so the program can wait on the pipe (poll, a socket notifier)
// and then close down as it normally would, removing what it set up.

// Installs the handlers once; later calls do nothing. False when the pipe or a handler
// could not be set up.
bool InstallTerminationSignals();

// The signal that arrived (SIGINT, SIGTERM or SIGHUP), or 0.
int TerminationSignal();

// The pipe's read end: readable once a signal arrived; -1 before installation.
int TerminationFd();
