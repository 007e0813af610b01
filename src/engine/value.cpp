#include "engine/value.h"

namespace quill {

const char* kindName(Kind k) {
    static const char* const names[] = {"empty",  "bool",    "int16", "int32", "single",
                                        "double", "decimal", "date",  "text"};
    return names[static_cast<int>(k)];
}

} // namespace quill
