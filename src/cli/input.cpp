#include "cli/input.h"

namespace quill::cli {

SheetInput readSheetStream(std::FILE* f, std::size_t limit) {
    SheetInput input;
    char buffer[1 << 16];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        if (input.text.size() + n > limit) {
            input.text = std::string();
            input.status = SheetInput::TooLarge;
            return input;
        }
        input.text.append(buffer, n);
    }
    if (std::ferror(f)) {
        input.text = std::string();
        return input;
    }
    input.status = SheetInput::Read;
    return input;
}

SheetInput readSheetInput(const std::string& name, std::size_t limit) {
    if (name == "-") return readSheetStream(stdin, limit);
    std::FILE* f = std::fopen(name.c_str(), "rb");
    if (f == nullptr) return {};
    SheetInput input = readSheetStream(f, limit);
    std::fclose(f);
    return input;
}

} // namespace quill::cli
