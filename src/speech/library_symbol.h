#pragma once
// The speech and sound libraries are loaded at run time, so that the calculator runs without
// them; their entry points are bound by name, typed by the libraries' own headers.
#include <dlfcn.h>

namespace quill {

// Binds `function` to the symbol `name` of the loaded library; false when it is missing.
template <typename F> bool bindSymbol(void* library, const char* name, F& function) {
    function = reinterpret_cast<F>(::dlsym(library, name));
    return function != nullptr;
}

} // namespace quill
