// The note beside a recovery copy is read back from disk at start-up: any bytes (UTF-16LE, as
// the program writes it) must be refused or read without fault.
#include "document/Recovery.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::wstring text;
    for (size_t i = 0; i + 1 < size; i += 2)
        text.push_back(wchar_t(data[i] | (data[i + 1] << 8)));
    if (auto note = ParseRecoveryNote(text)) {
        auto again = ParseRecoveryNote(FormatRecoveryNote(*note));
        if (!again || again->chartPath != note->chartPath || again->savedAt != note->savedAt)
            std::abort();
    }
    ParseRecoveryFileName(text);
    return 0;
}
