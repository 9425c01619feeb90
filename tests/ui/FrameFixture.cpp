#include "FrameFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include "MainMenu.h"
#include "PresetBuilder.h"
#include "dlgMidiSetup.h"
#include "dlgRequestPreset.h"

namespace {

constexpr auto kStepTime = std::chrono::seconds(20);
constexpr auto kBulkDumpDelay = std::chrono::milliseconds(300);

// Wire times a thousand times shorter than MIDI's; the device pause short.
MidiTimings FastTimings() {
  MidiTimings timings;
  timings.perByte = std::chrono::microseconds(0);
  timings.transmitPause = std::chrono::milliseconds(20);
  return timings;
}

// Replaces the box's text key by key, as the user does.
void Retype(QLineEdit& box, const QString& text) {
  box.selectAll();
  QTest::keyClick(&box, Qt::Key_Backspace);
  QTest::keyClicks(&box, text);
}

template <class T>
T* ActiveModal() {
  return qobject_cast<T*>(QApplication::activeModalWidget());
}

}  // namespace

std::string QueuedFileUI::Next(std::deque<std::string>& queue) {
  ++asked;
  if (queue.empty()) return "";
  std::string path = queue.front();
  queue.pop_front();
  return path;
}

StepPlayer::StepPlayer() : timer_(new QTimer) {
  timer_->setInterval(5);
  QObject::connect(timer_, &QTimer::timeout, [this] { Tick(); });
}

StepPlayer::~StepPlayer() { delete timer_; }

void StepPlayer::Then(QString what, std::function<bool()> step) {
  if (steps_.empty()) started_ = std::chrono::steady_clock::now();
  steps_.push_back({std::move(what), std::move(step)});
  timer_->start();
}

void StepPlayer::Tick() {
  if (steps_.empty()) {
    timer_->stop();
    return;
  }
  if (steps_.front().run()) {
    steps_.pop_front();
    started_ = std::chrono::steady_clock::now();
  } else if (std::chrono::steady_clock::now() - started_ > kStepTime) {
    GiveUp();
  }
}

// Ends whatever waits for the user, so the test can report the failure.
void StepPlayer::GiveUp() {
  stuck_ = steps_.front().what;
  steps_.clear();
  timer_->stop();
  if (QWidget* modal = QApplication::activeModalWidget()) {
    if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
  }
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (auto* setup = qobject_cast<dlgMidiSetup*>(window); setup && setup->isVisible()) setup->Transfer().Cancel();
  }
}

FrameFixture::FrameFixture(FrameTools tools, MidiSystem* system) : midi(kBulkDumpDelay) {
  // Presets the frame keeps go to a library of the test's own.
  qputenv("LINDEL_LIBRARY", QByteArray::fromStdString(dir.File("kept.db")));
  frame_ = std::make_unique<frmMDIMain>(FrameServices{settings, system ? *system : midi, files, std::move(tools)});
  frame_->Load();
  frame_->MidiSetup().Transfer().SetTimings(FastTimings());
}

FrameFixture::~FrameFixture() = default;

// As the user: a disabled item cannot be chosen.
void FrameFixture::Trigger(const char* menuItem) {
  QAction& item = frame_->Menu().Item(menuItem);
  if (item.isEnabled()) item.trigger();
}

bool FrameFixture::Enabled(const char* menuItem) { return frame_->Menu().Item(menuItem).isEnabled(); }

void FrameFixture::AnswerRequest(const QString& number, bool userBank) {
  steps.Then("answer the request dialog", [number, userBank] {
    auto* dialog = ActiveModal<dlgRequestPreset>();
    if (!dialog) return false;
    QTest::keyClicks(dialog->findChild<QLineEdit*>("txtPresetNumber"), number);
    dialog->findChild<QRadioButton*>(userBank ? "optBank1" : "optBank0")->click();
    dialog->findChild<QPushButton*>("OKButton")->click();
    return true;
  });
}

void FrameFixture::CancelRequestDialog() {
  steps.Then("cancel the request dialog", [] {
    auto* dialog = ActiveModal<dlgRequestPreset>();
    if (!dialog) return false;
    dialog->findChild<QPushButton*>("CancelButton")->click();
    return true;
  });
}

void FrameFixture::PressDoneAfter(int presets) {
  steps.Then("press Done", [this, presets] {
    dlgMidiSetup& setup = frame_->MidiSetup();
    if (!setup.isVisible() || setup.Transfer().ByteCount() < presets * static_cast<int>(kPresetSize)) return false;
    auto* done = setup.findChild<QPushButton*>("CancelButton");
    if (done->text() != "Done") return false;
    done->click();
    return true;
  });
}

void FrameFixture::CancelTransfer() {
  steps.Then("cancel the transfer", [this] {
    dlgMidiSetup& setup = frame_->MidiSetup();
    if (!setup.isVisible() || !setup.Busy()) return false;
    setup.findChild<QPushButton*>("CancelButton")->click();
    return true;
  });
}

void FrameFixture::TypeName(const QString& name) { Retype(Box("txtPresetName"), name); }

void FrameFixture::TypeNumber(const QString& number) { Retype(Box("txtPresetNumber"), number); }

QComboBox& FrameFixture::List(const char* editor, const char* list) {
  BlockEditor* window = frame_->Blocks().ByName(editor);
  if (!window) throw std::logic_error(std::string("no editor ") + editor);
  auto* combo = window->findChild<QComboBox*>(list);
  if (!combo) throw std::logic_error(std::string("no list ") + list);
  return *combo;
}

// As the user's choice: the list's activated signal, which editors handle.
void FrameFixture::Choose(const char* editor, const char* list, int index) {
  QComboBox& combo = List(editor, list);
  combo.setCurrentIndex(index);
  Q_EMIT combo.activated(index);
}

QLineEdit& FrameFixture::Box(const char* name) { return *frame_->findChild<QLineEdit*>(name); }

QLabel& FrameFixture::Label(const char* name) { return *frame_->findChild<QLabel*>(name); }

QListWidget& FrameFixture::PresetList() { return *frame_->findChild<QListWidget*>("lstPresets"); }

bool FrameFixture::EditedShown() { return Label("lblChanged").isVisibleTo(frame_.get()); }

std::string FrameFixture::WritePreset(const std::string& fileName, const std::string& name, int number) {
  const std::string path = dir.File(fileName);
  WriteBytes(path, PresetBuilder().Name(name).Number(number).Scramble(static_cast<uint32_t>(number)).Bytes());
  return path;
}

std::string FrameFixture::WriteDump(const std::string& fileName, int presets) {
  const std::string path = dir.File(fileName);
  WriteBytes(path, DumpBytes(presets));
  return path;
}

bool FrameFixture::Logged(const QString& description) const {
  for (const QString& line : log.Lines()) {
    if (line.contains("\t" + description + "\t")) return true;
  }
  return false;
}

CPreset DevicePreset(SimulatorMidiSystem& midi, int number) {
  const PresetImage image = midi.WithDevice([number](SimulatedGMajor& device) { return device.Preset(number); });
  CPreset preset;
  preset.LoadFromByteArray(image);
  return preset;
}
