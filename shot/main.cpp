// lindel-shot: shows one window of the editor offscreen with a preset and
// reports what a user would see: a PNG, the controls' state as JSON, and the
// preset gathered back from the window.
//
//   lindel-shot --window NAME [--preset FILE.syx] [--scatter-none]
//               [--png OUT.png] [--state OUT.json] [--gather OUT.syx]
//               [--block N] [--dump FILE.syx] [--look light|dark]
//
// Without --preset the window shows a new preset (every field 0). For the
// frame (frmMDIMain), --block N shows block N's editor and --dump opens a
// dump file in the list pane, its first slot on screen. --look draws the
// window in the editor's light or dark look (default: Qt's own). Exit 0 on
// success, 1 when the window reported a failure (see lindelerr.Log), 2 on a
// usage or I/O error.
#include <QApplication>
#include <QJsonDocument>
#include <QSaveFile>
#include <iostream>

#include "CLog.h"
#include "CPreset.h"
#include "CommandLine.h"
#include "Dialogs.h"
#include "Looks.h"
#include "ShotWindows.h"
#include "WidgetState.h"

namespace {

// Messages the model would show in a box go to stderr instead.
class StderrDialogs final : public IDialogs {
 public:
  MessageAnswer Message(const std::string& text, const std::string&, MessageIcon, MessageButtons,
                        std::optional<MessageAnswer>) override {
    std::cerr << "lindel-shot: " << text << "\n";
    return MessageAnswer::Cancel;
  }
};

// The offscreen platform notes each window-manager hint it cannot pass on;
// that says nothing about the window, so it is left out of the report.
QtMessageHandler standardHandler = nullptr;

void DropPlatformNotes(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains("does not support propagateSizeHints")) return;
  standardHandler(type, context, message);
}

std::string WindowNames() {
  std::string names;
  for (const ShotEntry& e : ShotWindows()) names += std::string(names.empty() ? "" : ", ") + e.name;
  return names;
}

CPreset LoadPreset(const std::optional<std::string>& file) {
  CPreset preset;
  if (!file) {
    preset.CreateNew();
  } else if (!preset.Read(*file)) {
    throw UsageError("cannot read a valid preset from " + *file);
  }
  return preset;
}

// Written beside its name and renamed, so a failure leaves no half file.
void WriteFile(const std::string& path, const QByteArray& bytes) {
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    throw UsageError("cannot write " + path);
  }
}

void WritePng(const std::string& path, QWidget& window) {
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly) || !window.grab().save(&file, "PNG") || !file.commit()) {
    throw UsageError("cannot write " + path);
  }
}

int BlockArgument(const std::string& text) {
  try {
    std::size_t used = 0;
    const int block = std::stoi(text, &used);
    if (used == text.size()) return block;
  } catch (const std::exception&) {
  }
  throw UsageError("--block needs a block number, not " + text);
}

void ApplyLookArgument(const std::string& text) {
  if (text != "light" && text != "dark") throw UsageError("--look is light or dark, not " + text);
  ApplyLook(*qApp, text == "dark" ? Scheme::Dark : Scheme::Light);
}

struct ShotOptions {
  std::string window;
  std::optional<std::string> preset, png, state, gather, block, dump, look;
  bool neutral = false;
};

int Shoot(const ShotOptions& args) {
  if (args.look) ApplyLookArgument(*args.look);
  const std::string& name = args.window;
  const ShotEntry* entry = FindShotWindow(name);
  if (!entry) throw UsageError("no window " + name + " (known: " + WindowNames() + ")");
  CPreset preset = LoadPreset(args.preset);
  const bool neutral = args.neutral;

  const std::unique_ptr<ShotWindow> window = entry->make();
  QWidget& widget = window->Widget();
  bool ok = window->Show(neutral ? nullptr : &preset);
  if (const auto& dump = args.dump; dump && !window->OpenDump(*dump)) {
    throw UsageError("cannot show dump " + *dump + " in " + name);
  }
  if (const auto& block = args.block; block && !window->ShowBlock(BlockArgument(*block))) {
    throw UsageError("cannot show block " + *block + " in " + name);
  }
  widget.show();
  QApplication::processEvents();

  if (const auto& png = args.png) WritePng(*png, widget);
  if (const auto& state = args.state) {
    WriteFile(*state, QJsonDocument(WidgetState(widget)).toJson(QJsonDocument::Indented));
  }
  if (const auto& gather = args.gather) {
    CPreset gathered = preset;
    ok = window->Gather(gathered) && ok;
    if (!gathered.Save(*gather, 0)) throw UsageError("cannot write " + *gather);
  }
  if (!ok) std::cerr << "lindel-shot: " << name << " reported a failure; see " << CLog::Program()->Path() << "\n";
  return ok ? ExitCode::Ok : ExitCode::Failed;
}

Runner DefineShot(CLI::App& app) {
  auto o = std::make_shared<ShotOptions>();
  app.add_option("--window", o->window, "the window: " + WindowNames())->type_name("NAME")->required();
  app.add_option("--preset", o->preset, "the preset shown (default: a new preset)")->type_name("FILE.syx");
  app.add_flag("--scatter-none", o->neutral, "show the window without a preset");
  app.add_option("--png", o->png, "the picture written")->type_name("OUT.png");
  app.add_option("--state", o->state, "the controls' state written")->type_name("OUT.json");
  app.add_option("--gather", o->gather, "the preset gathered back from the window")->type_name("OUT.syx");
  app.add_option("--block", o->block, "the frame: the block whose editor shows")->type_name("N");
  app.add_option("--dump", o->dump, "the frame: a dump opened in the list pane")->type_name("FILE.syx");
  app.add_option("--look", o->look, "the editor's look (default: Qt's own)")->type_name("light|dark");
  return [o] { return Shoot(*o); };
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  standardHandler = qInstallMessageHandler(DropPlatformNotes);
  QApplication app(argc, argv);
  StderrDialogs dialogs;
  SetDialogs(&dialogs);
  CLog log(ProgramFolder());
  CLog::SetProgram(&log);
  const Command shot{"lindel-shot", "Shows one window of the editor offscreen and reports what a user would see.",
                     "--window frmCompressor --png compressor.png", DefineShot};
  return RunCommand("lindel-shot", shot, Args(argv + 1, argv + argc));
}
