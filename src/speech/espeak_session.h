#pragma once
// espeak-ng with its Japanese voice, loaded at run time from libespeak-ng.so.1 so that the
// calculator runs (silently) without it. The library can be set up only once per process, so
// one session serves every engine: it synthesises on the calling thread and hands the samples
// over in chunks; it never opens a sound device itself.
#include "speech/voice.h"

#include <cstddef>
#include <functional>
#include <string>

namespace quill::speech {

// Receives one chunk of 16-bit mono samples; returns false to stop the synthesis.
using SampleChunk = std::function<bool(const short* samples, std::size_t count)>;

// Opens the process's session on first use (later calls return what the first found); false
// when the library, its data or the Japanese voice is missing. Safe from any thread.
bool openEspeak();

// The session's sample rate; 0 while it is not open.
int espeakSampleRate();

// Synthesises UTF-8 kana text on the calling thread, chunk by chunk, at the voice's speed,
// volume and pitch; one synthesis runs at a time in the process. A word with a small tsu before
// a p-sound is handed over as phonemes (speech/held_closure.h). Returns false when the session
// is not open or the synthesis failed.
bool synthesizeWithEspeak(const std::string& utf8, const SampleChunk& chunk,
                          const Voice& voice = {});

// The phonemes the voice speaks for UTF-8 kana text, as espeak-ng reports them while it
// synthesises (its mnemonics); "" when the session is not open.
std::string phonemesSpoken(const std::string& utf8);

} // namespace quill::speech
