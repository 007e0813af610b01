#include "dialogs/voice_group.h"

#include "speech/chosen_output.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace quill {
namespace {

// The program's own voice or the desktop's speech service, by itself: a sample is spoken
// however the main window speaks.
std::unique_ptr<SpeechOutput> openSampleOutput(VoiceOutput output, std::string& error) {
    if (output == VoiceOutput::Service) return connectToSpeechService(error);
    return TalkEngine::create();
}

QSpinBox* percentBox(QWidget* parent, const char* name, int low, int high, int step,
                     const QString& suffix) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    box->setSingleStep(step);
    box->setSuffix(suffix);
    return box;
}

} // namespace

QString voiceServiceProblem() {
    return QStringLiteral(
        "読み上げサービス (speech-dispatcher) を使えません。この電卓の声で話します。");
}

VoiceGroup::VoiceGroup(const Settings& settings, QWidget* parent, SampleOutputOpener openSample)
    : QGroupBox(QStringLiteral("声"), parent),
      openSample_(openSample ? std::move(openSample) : openSampleOutput) {
    setObjectName(QStringLiteral("voice"));
    const QString percent = QStringLiteral(" %");
    speed_ = percentBox(this, "voiceSpeed", Voice::kMinSpeed, Voice::kMaxSpeed, Voice::kSpeedStep,
                        percent);
    volume_ = percentBox(this, "voiceVolume", 0, Voice::kMaxVolume, 10, percent);
    pitch_ = percentBox(this, "voicePitch", 0, Voice::kMaxPitch, 5, QString());
    output_ = new QComboBox(this);
    output_->setObjectName(QStringLiteral("voiceOutput"));
    output_->addItem(QStringLiteral("この電卓の声 (espeak-ng)"));
    output_->addItem(QStringLiteral("デスクトップの読み上げサービス (speech-dispatcher)"));
    try_ = new QPushButton(QStringLiteral("試聴"), this);
    try_->setObjectName(QStringLiteral("voiceTry"));
    try_->setAutoDefault(false);
    try_->setToolTip(QStringLiteral("この設定で見本を読み上げます"));
    problem_ = new QLabel(this);
    problem_->setObjectName(QStringLiteral("voiceProblem"));
    problem_->setWordWrap(true);
    problem_->hide();

    struct Row {
        const char* caption;
        const char* name;
        QWidget* field;
    };
    const Row rows[] = {{"速さ(&P)", "速さ", speed_},
                        {"音量(&V)", "音量", volume_},
                        {"高さ(&H)", "高さ", pitch_},
                        {"出力(&U)", "出力", output_}};
    auto* grid = new QGridLayout(this);
    for (int r = 0; r < 4; ++r) {
        auto* label = new QLabel(QString::fromUtf8(rows[r].caption), this);
        label->setBuddy(rows[r].field);
        rows[r].field->setAccessibleName(QString::fromUtf8(rows[r].name));
        grid->addWidget(label, r, 0);
        grid->addWidget(rows[r].field, r, 1);
    }
    grid->addWidget(try_, 3, 2);
    grid->addWidget(problem_, 4, 0, 1, 3);
    grid->setColumnStretch(1, 1);

    const Voice voice = settings.voice();
    speed_->setValue(voice.speed);
    volume_->setValue(voice.volume);
    pitch_->setValue(voice.pitch);
    output_->setCurrentIndex(settings.voiceOutput() == VoiceOutput::Service ? 1 : 0);
    connect(try_, &QPushButton::clicked, this, &VoiceGroup::speakSample);
}

VoiceGroup::~VoiceGroup() = default;

VoiceChoice VoiceGroup::choice() const {
    return {Voice{speed_->value(), volume_->value(), pitch_->value()},
            output_->currentIndex() == 1 ? VoiceOutput::Service : VoiceOutput::Own};
}

void VoiceGroup::write(Settings& settings) const {
    const VoiceChoice c = choice();
    settings.setVoiceSpeed(c.voice.speed);
    settings.setVoiceVolume(c.voice.volume);
    settings.setVoicePitch(c.voice.pitch);
    settings.setVoiceOutput(c.output);
}

void VoiceGroup::showProblem(const QString& problem) {
    problem_->setText(problem);
    problem_->setVisible(!problem.isEmpty());
}

void VoiceGroup::speakSample() {
    const VoiceChoice c = choice();
    if (sample_) sample_->stop();
    if (!sample_ || sampleOutput_ != c.output) {
        std::string error;
        sample_ = openSample_(c.output, error);
        sampleOutput_ = c.output;
        showProblem(sample_ ? QString() : voiceServiceProblem());
        if (!sample_) return;
    }
    sample_->setVoice(c.voice);
    sample_->play(kVoiceSamplePhrase);
}

} // namespace quill
