#include "document/sheet_document.h"

#include "engine/jtext.h"

namespace quill {
namespace {

constexpr std::u16string_view kFileSeparator = u" - ";

} // namespace

std::u16string SheetDocument::fileName() const {
    // File names are bytes; shown as UTF-8, as the desktop shows them.
    return file_ ? fromUtf8(file_->filename().string()) : std::u16string();
}

std::u16string SheetDocument::caption(std::u16string_view title) const {
    std::u16string caption(title);
    if (!file_) return caption;
    caption += kFileSeparator;
    caption += fileName();
    if (edited_) caption += u'*';
    return caption;
}

bool isDocumentCaption(std::u16string_view caption, std::u16string_view title) {
    if (!caption.starts_with(title)) return false;
    caption.remove_prefix(title.size());
    return caption.empty() || caption.starts_with(kFileSeparator);
}

} // namespace quill
