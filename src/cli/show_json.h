#pragma once
// A show as JSON: what `export` prints and `import` reads.

#include "document/project_data.h"

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

using OrderedJson = nlohmann::ordered_json;

// "#RRGGBB" of the low 24 bits, red first; NoColor gives null.
OrderedJson ColorToJson(uint32_t color);

OrderedJson ShowToJson(const ProjectData& doc);

// Fills doc (fresh, with its own PlayGlobals) from json. Returns an error naming the
// place (a JSON pointer such as /lines/3/0/color) or nothing on success. Steps are
// normalised.
std::optional<std::string> ShowFromJson(const OrderedJson& json, ProjectData& doc);
