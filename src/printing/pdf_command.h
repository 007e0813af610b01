#pragma once
// `quillsum --pdf OUT.pdf FILE`: FILE's tape rendered as it would be printed into OUT.pdf, with
// no window and no display (Qt's offscreen platform). Only the saved grouping option is read
// from the settings; nothing is written but the PDF.
namespace quill {

// Whether the arguments ask for the PDF command (the first argument is --pdf).
bool isPdfCommand(int argc, char** argv);

// Runs it; the exit status: 0 written, 1 FILE unreadable or OUT unwritable, 2 unusable
// arguments. Creates its own (offscreen) application object.
int runPdfCommand(int argc, char** argv);

} // namespace quill
