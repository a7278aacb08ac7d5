#pragma once
// The commands of lumenrill-cli. Each takes its arguments (without the command name)
// and returns the exit status.

#include "cli/cli_support.h"

int ExportCommand(const Args& args);
int ImportCommand(const Args& args);
int EvalCommand(const Args& args);
int NodesCommand(const Args& args);
int PlayCommand(const Args& args);
int SummaryCommand(const Args& args);
int SoundInfoCommand(const Args& args);
