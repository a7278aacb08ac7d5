// Any text as the JSON that lumenrill-cli import reads.
#include "cli/show_json.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const OrderedJson json = OrderedJson::parse(data, data + size, nullptr, false);
    if (json.is_discarded())
        return 0;
    PlayGlobals play;
    ProjectData doc(play);
    if (!ShowFromJson(json, doc))
        ShowToJson(doc).dump();
    return 0;
}
