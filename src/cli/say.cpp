#include "cli/say.h"

#include "settings/atomic_file.h"
#include "settings/file_access.h"
#include "speech/speak.h"

#include <cstdint>
#include <cstdlib>

namespace quill::cli {
namespace {

void put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// The pause between two phrases read in turn: 0.3 s at the normal speed.
std::vector<short> pause(int sampleRate, const Voice& voice) {
    const auto samples = static_cast<std::size_t>(sampleRate) * 3 * Voice::kNormalSpeed /
                         (10 * static_cast<std::size_t>(voice.clamped().speed));
    return std::vector<short>(samples, 0);
}

} // namespace

std::string wavWriteProblem(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path folder = fs::absolute(path, ec).parent_path();
    if (!ec && !fs::is_directory(folder, ec))
        return "the folder " + folder.string() + " does not exist";
    switch (writeRefusal(path)) {
    case WriteRefusal::None:
    case WriteRefusal::Unresolvable: return {};
    case WriteRefusal::DanglingLink: return "it is a link that leads to nothing";
    case WriteRefusal::LinkElsewhere:
        return "it is a link that leads outside your home folder or to another user's file";
    case WriteRefusal::NotRegular: return "it is not a regular file";
    }
    return {};
}

std::string wavFile(const std::vector<short>& samples, int sampleRate) {
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    const auto rate = static_cast<std::uint32_t>(sampleRate);
    std::string out = "RIFF";
    put(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    put(out, 16, 4);       // size of the format block
    put(out, 1, 2);        // PCM
    put(out, 1, 2);        // mono
    put(out, rate, 4);     // samples per second
    put(out, rate * 2, 4); // bytes per second
    put(out, 2, 2);        // bytes per sample
    put(out, 16, 2);       // bits per sample
    out += "data";
    put(out, dataBytes, 4);
    for (short s : samples) put(out, static_cast<std::uint16_t>(s), 2);
    return out;
}

int sayInTurn(const std::vector<std::u16string>& phrases, const std::optional<std::string>& wavPath,
              const Voice& voice, std::string& error) {
    // Checked before any speech is made: a mistyped folder is not made, and a refused link
    // says why.
    if (wavPath) {
        const std::string reason = wavWriteProblem(*wavPath);
        if (!reason.empty()) {
            error = "cannot write " + *wavPath + ": " + reason;
            return 1;
        }
        // A WAV file needs no sound server, but espeak-ng's sound library looks for one when
        // it starts (and may start one): it is given an address where none can be.
        ::setenv("PULSE_SERVER", "unix:/nonexistent/quillsum-writes-a-wav-file", 1);
    }
    auto engine = TalkEngine::createForRetrieval();
    if (!engine) {
        error = "cannot speak: espeak-ng or its Japanese voice (ja) is not installed";
        return kNoSpeechStatus;
    }
    engine->setVoice(voice);
    const std::vector<short> gap = pause(engine->sampleRate(), voice);
    if (wavPath) {
        std::vector<short> samples;
        for (const std::u16string& phrase : phrases) {
            if (!samples.empty()) samples.insert(samples.end(), gap.begin(), gap.end());
            const std::vector<short> spoken = engine->synthesize(phrase);
            samples.insert(samples.end(), spoken.begin(), spoken.end());
        }
        if (replaceFileAtomically(*wavPath, wavFile(samples, engine->sampleRate()))) return 0;
        error = "cannot write " + *wavPath;
        return 1;
    }
    if (phrases.empty()) return 0;
    auto output = openDesktopSound(engine->sampleRate());
    bool ok = output != nullptr;
    for (size_t i = 0; ok && i < phrases.size(); ++i) {
        if (i > 0) ok = output->write(gap.data(), gap.size());
        ok = ok && engine->speakTo(phrases[i], *output);
    }
    if (!ok) {
        error = "cannot speak: no sound server answers (--wav OUT.wav writes the speech to a file)";
        return kNoSpeechStatus;
    }
    output->drain();
    return 0;
}

} // namespace quill::cli
