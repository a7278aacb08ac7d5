#pragma once
// What a text typed into a DMX patch cell does. A cell takes a source number (1 to 24,
// three per line: red, green, blue), a line and colour ("3R", "1G", "8B") or a line and a
// colour index ("1-2", "1.2", "1:2", "1,2"); empty, "0" or "-1" clear the cell. A red
// source also fills the next two cells with the same line's green and blue.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The source number the text names, 1-based: 1 to 24 a source, -1 clear; anything else
// (0 among them) is not a patch.
int PatchTextNumber(const std::string& text);

// The entries to write from the typed cell's entry on (at most as many as remain of the
// patch's entries): sources 0-based, -1 unpatched. Nothing when the text is not a patch.
std::optional<std::vector<int32_t>> PatchTextSources(const std::string& text, int entry);
