#pragma once
// The voice's part of the settings dialog: speed, volume, pitch, where it speaks, and "試聴",
// which speaks a sample at the values shown before they are applied.
#include "settings/settings.h"
#include "speech/speak.h"

#include <QGroupBox>
#include <functional>
#include <memory>
#include <string>

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace quill {

struct VoiceChoice {
    Voice voice;
    VoiceOutput output = VoiceOutput::Own;
    bool operator==(const VoiceChoice&) const = default;
};

// What is shown when the desktop's speech service was chosen and cannot be used.
QString voiceServiceProblem();

// The phrase 試聴 speaks.
inline constexpr std::u16string_view kVoiceSamplePhrase = u"ごうけい、<NUMK VAL=12345>";

class VoiceGroup : public QGroupBox {
    Q_OBJECT
public:
    // Opens an output for the sample; null, with `error` saying why, when it cannot be used.
    using SampleOutputOpener =
        std::function<std::unique_ptr<SpeechOutput>(VoiceOutput output, std::string& error)>;

    explicit VoiceGroup(const Settings& settings, QWidget* parent = nullptr,
                        SampleOutputOpener openSample = {});
    ~VoiceGroup() override;

    VoiceChoice choice() const;
    // The keys of the choice, written as part of the dialog's Apply.
    void write(Settings& settings) const;
    // Shows why the chosen output cannot be used (empty: nothing to show).
    void showProblem(const QString& problem);

    QSpinBox* speed() const { return speed_; }
    QSpinBox* volume() const { return volume_; }
    QSpinBox* pitch() const { return pitch_; }
    QComboBox* output() const { return output_; }
    QPushButton* trySample() const { return try_; }
    QLabel* problem() const { return problem_; }

private:
    void speakSample();

    SampleOutputOpener openSample_;
    std::unique_ptr<SpeechOutput> sample_; // kept while it may still be speaking
    VoiceOutput sampleOutput_ = VoiceOutput::Own;
    QSpinBox* speed_ = nullptr;
    QSpinBox* volume_ = nullptr;
    QSpinBox* pitch_ = nullptr;
    QComboBox* output_ = nullptr;
    QPushButton* try_ = nullptr;
    QLabel* problem_ = nullptr;
};

} // namespace quill
