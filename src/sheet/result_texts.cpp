#include "sheet/result_texts.h"

#include "sheet/line_step.h"

namespace quill {

std::u16string ResultTexts::text(size_t index) const {
    std::u16string out;
    if (index < lines_.size())
        appendResultText(out, index, lines_[index].kind, lines_[index].value, grouping_);
    return out;
}

} // namespace quill
