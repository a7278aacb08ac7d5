// Any text as the note beside a recovery copy: a note read is written back as one that reads
// the same; and any show path and time, written as a note, read back as they were.
#include "settings/recovery_record.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Over the input itself, not a copy, so that a read past its end is caught; an empty
    // text as a view of nothing at all, as a default-constructed one is.
    const std::string_view text = size ? std::string_view(reinterpret_cast<const char*>(data), size) : std::string_view();
    if (const std::optional<RecoveryRecord> record = ParseRecoveryRecord(text))
        if (ParseRecoveryRecord(FormatRecoveryRecord(*record)) != record)
            std::abort();

    // The same bytes as a record: a time, then a path (no path holds a NUL).
    if (size < sizeof(int64_t) || std::memchr(data + sizeof(int64_t), 0, size - sizeof(int64_t)))
        return 0;
    RecoveryRecord written;
    std::memcpy(&written.SavedAt, data, sizeof(int64_t));
    written.ShowPath.assign(text.substr(sizeof(int64_t)));
    if (ParseRecoveryRecord(FormatRecoveryRecord(written)) != written)
        std::abort();
    return 0;
}
