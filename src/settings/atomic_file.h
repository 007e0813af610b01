#pragma once
// Replacing a file so that a crash or a full disk leaves either the old or the new content,
// never a cut or empty file.
#include <filesystem>
#include <string_view>

namespace quill {

// Writes `bytes` to a temporary file in the target's folder, flushes it to disk and renames
// it over the target. A link is followed only as writeTarget() (settings/file_access.h)
// allows, and the file it leads to is replaced; a refused link is left alone: false. The
// folder is created when missing. Temporary files that killed processes left in the folder
// are removed on the way (removeStaleTemporaries). A file or folder that is read-only (no write
// permission bit, or no write access for this user) is left alone: false, nothing changed. The
// replaced file keeps its permission bits; a new one is readable by everyone and writable by its
// owner.
[[nodiscard]] bool replaceFileAtomically(const std::filesystem::path& file, std::string_view bytes);

// Removes the temporary files this writer made in `folder` (".<name>.<pid>.XXXXXX") whose
// process has ended: a writer killed between writing and renaming leaves one behind. Files of
// running processes, of other users and of other name patterns stay.
void removeStaleTemporaries(const std::filesystem::path& folder);

// Whether a file or folder may be written: it grants some write permission bit and this user
// has write access. A read-only mark is honoured even for the superuser.
bool isWritable(const std::filesystem::path& path);

} // namespace quill
