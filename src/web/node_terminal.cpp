// Under node, whether a standard stream is a terminal is node's answer: emscripten's own file
// system takes every standard stream for one, so quillsum-calc would draw its terminal rule
// into pipes and files.
#include <emscripten.h>

EM_JS(int, nodeIsTerminal, (int fd), { return require("tty").isatty(fd) ? 1 : 0; });

extern "C" int isatty(int fd) {
    return nodeIsTerminal(fd);
}
