#pragma once
// Text arriving in the sheet from outside (typing, pasting, dropping, an input method, an
// inserted formula) made safe for it: the sheet holds lines separated by plain line breaks.
#include <string>
#include <string_view>

namespace quill {

// Cuts the text at its first NUL (the rest of a clipboard block is not text); makes CR LF, a
// lone CR, NEL (U+0085), the line and paragraph separators (U+2028, U+2029), vertical tab and
// form feed a plain line break ("\n"); drops every other control character (C0, DEL, C1)
// except the tab.
std::u16string cleanIncomingText(std::u16string_view text);

// True when cleanIncomingText would change the text (most typed and pasted text is clean).
bool needsCleaning(std::u16string_view text);

} // namespace quill
