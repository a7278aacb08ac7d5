#pragma once
// Time texts of the time display and the ruler.

#include <cstdint>
#include <string>

// "hh:mm:ss.cc" of |ms|, with "-" in front of a negative value.
std::string TimeText(int32_t ms);

// Ruler label of s seconds: "h:mm:ss" with whole hours, "m:ss" with whole minutes,
// else "ss"; "-" in front of a negative value.
std::string RulerText(int32_t seconds);
