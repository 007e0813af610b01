#pragma once
// quillsum-calc --say and --read-back: phrases through the calculator's speech engine, to the
// desktop's sound server or into a WAV file.
#include "speech/voice.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quill::cli {

// Exit status when there is nothing to speak with: espeak-ng or its Japanese voice is
// missing, or (without --wav) no sound server answers.
inline constexpr int kNoSpeechStatus = 3;

// Speaks the phrases in the given voice one after another with a short pause between them
// (shorter as the voice is faster), returning once the last has been played; with `wavPath`,
// writes them all into that one WAV file instead (no phrases give a WAV file without samples).
// Returns the exit status: 0, 1 when the WAV file cannot be written, kNoSpeechStatus; `error`
// says why.
int sayInTurn(const std::vector<std::u16string>& phrases, const std::optional<std::string>& wavPath,
              const Voice& voice, std::string& error);

// Why the WAV file cannot be written at `path`, as a message's end ("the folder ... does not
// exist"); "" when nothing is known against it.
std::string wavWriteProblem(const std::string& path);

// A 16-bit mono PCM WAV file of the samples.
std::string wavFile(const std::vector<short>& samples, int sampleRate);

} // namespace quill::cli
