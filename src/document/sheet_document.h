#pragma once
// The sheet as a document: the file it was last opened from or saved to, whether it has
// edits that file does not hold, and the window caption that shows both.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quill {

class SheetDocument {
public:
    // The file last opened or saved; none before the first.
    const std::optional<std::filesystem::path>& file() const { return file_; }
    // Edits since the file was opened or saved. A sheet without a file has none to lose: the
    // kept sheet holds it.
    bool unsaved() const { return file_.has_value() && edited_; }

    void edited() { edited_ = true; }
    // The sheet now holds exactly the file's text (opened from it or saved to it).
    void matches(std::filesystem::path file) {
        file_ = std::move(file);
        edited_ = false;
    }

    // "Quillsum" without a file, "Quillsum - 家計簿.txt" with one, "Quillsum - 家計簿.txt*"
    // while it has unsaved edits.
    std::u16string caption(std::u16string_view title) const;
    // The file's name as the user sees it (empty without a file).
    std::u16string fileName() const;

private:
    std::optional<std::filesystem::path> file_;
    bool edited_ = false;
};

// Whether a caption is one the document gives (the plain title, or the title followed by a
// file's name): a later start of the program hands over only to a window showing one, not to
// one in a mode that sets a caption of its own.
bool isDocumentCaption(std::u16string_view caption, std::u16string_view title);

} // namespace quill
