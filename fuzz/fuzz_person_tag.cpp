// Fuzzes the reading of a box's person tag from the text field of a work-file record: any bytes
// are either refused or give a tag that, written again behind the same text, reads back the same.
#include "document/PersonTag.h"
#include "document/WorkFileFormat.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CellRecord cell{};
    std::memcpy(cell.text, data, std::min(size, sizeof cell.text));
    PersonTag tag;
    if (!ReadPersonTag(cell, tag)) return 0;
    CellRecord again{};
    AssignField(again.text, FieldText(cell.text));
    if (!WritePersonTag(again, tag)) std::abort();
    PersonTag back;
    if (!ReadPersonTag(again, back) || back.key != tag.key || back.manager != tag.manager ||
        back.kind != tag.kind || back.byId != tag.byId || back.nameLength != tag.nameLength ||
        back.titleLength != tag.titleLength)
        std::abort();
    return 0;
}
