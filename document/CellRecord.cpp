// Cell record helpers shared by the document operations.
#include "document/CellRecord.h"

static_assert(sizeof(char16_t) == 2, "cell texts are UTF-16");
