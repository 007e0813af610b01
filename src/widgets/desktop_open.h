#pragma once
// Opening a file or a web page with the desktop's own opener (xdg-open and the like).
#include <QUrl>

namespace quill {

// Opens `url` with the desktop's opener; false when none can be found or it failed. Qt's note
// about a missing opener is not printed: the caller says it where the user looks.
bool openWithDesktop(const QUrl& url);

} // namespace quill
