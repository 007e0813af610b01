#pragma once
// File names between Qt and the standard library: the bytes the file system holds, so a name
// goes through unchanged both ways.
#include <QString>
#include <filesystem>

namespace quill {

std::filesystem::path toPath(const QString& path);
QString fromPath(const std::filesystem::path& path);

} // namespace quill
