# cmake -DFILE=PATH -DSHA256=HEX -P same_bytes.cmake: fails unless FILE has those bytes.
file(SHA256 "${FILE}" actual)
if(NOT actual STREQUAL SHA256)
  message(FATAL_ERROR "${FILE}: SHA-256 ${actual}, expected ${SHA256}")
endif()
