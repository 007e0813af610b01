#pragma once
// The sheet quillsum-calc reads: a file, a pipe or standard input, bounded in size so that an
// endless stream (/dev/zero) ends with a message instead of exhausting memory.
#include <cstddef>
#include <cstdio>
#include <string>

namespace quill::cli {

// The largest sheet quillsum-calc reads (256 MiB); a larger input is refused whole.
constexpr std::size_t kSheetInputLimit = std::size_t{256} << 20;

struct SheetInput {
    enum Status { Read, Unreadable, TooLarge } status = Unreadable;
    std::string text; // the bytes as read
};

// Reads all of `f` when it holds at most `limit` bytes.
SheetInput readSheetStream(std::FILE* f, std::size_t limit = kSheetInputLimit);
// Reads the sheet named on the command line: a file, or standard input for "-".
SheetInput readSheetInput(const std::string& name, std::size_t limit = kSheetInputLimit);

} // namespace quill::cli
