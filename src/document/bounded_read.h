#pragma once
// Reading a file that anyone may have put in the program's way: opened without blocking (a
// named pipe would hang the window), regular files only, at most a given number of bytes.
#include <cstdint>
#include <filesystem>
#include <string>

namespace quill {

enum class BoundedRead { Read, Missing, Folder, NotRegular, TooLarge, Unreadable };

BoundedRead readFileBounded(const std::filesystem::path& file, std::uintmax_t limit,
                            std::string& bytes);

} // namespace quill
