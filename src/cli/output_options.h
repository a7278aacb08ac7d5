#pragma once
// The output options of lumenrill-cli play: --artnet broadcast|limited|unicast|off|ADDR,...,
// --artnet-interface NAME,
// --sacn multicast|ADDR,...|off, --sacn-universe N (1-63999), --sacn-priority N (0-200);
// and the English texts of a refused value.

#include "output/output_config.h"

#include <optional>
#include <string>

bool IsOutputOption(const std::string& option);
// Takes one option's value into config. A refused value is printed with the option and
// the value, and the result is false.
bool ParseOutputOption(const std::string& option, const std::string& value, OutputConfig& config);
std::string CliOutputProblemText(const OutputCheck& check);
// The CID the desktop program keeps in its settings file; a new one (kept nowhere) when
// there is no such file. Writes nothing.
SacnCid StoredSacnCid();
