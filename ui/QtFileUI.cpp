#include "QtFileUI.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>

#include "Dialogs.h"

namespace {

constexpr const char* kSyxFilter = "SysEx (*.syx)";
constexpr const char* kAllFilter = "all files (*.*)";

// "*.*" stands for every file, as it does on Windows, also one without a dot
// in its name, which the pattern taken literally would hide. The dialog sets
// its model's patterns from the chosen filter first, then reports the choice.
void MatchEveryFileForAllFiles(QFileDialog& dialog) {
  auto* model = dialog.findChild<QFileSystemModel*>("qt_filesystem_model");
  if (!model) return;
  QObject::connect(&dialog, &QFileDialog::filterSelected, model, [model](const QString& filter) {
    if (filter == kAllFilter) model->setNameFilters({"*"});
  });
}

}  // namespace

void ConfigureSyxDialog(QFileDialog& dialog, SyxDialogMode mode) {
  // Qt's own dialog, whose file list we can reach: a platform dialog would
  // take "*.*" literally.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  MatchEveryFileForAllFiles(dialog);
  dialog.setNameFilters({kSyxFilter, kAllFilter});
  dialog.selectNameFilter(kSyxFilter);
  dialog.setDefaultSuffix("syx");
  if (mode == SyxDialogMode::Open) {
    // The file need not exist: the caller reports a missing one.
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
  }
}

QString TrimmedChoice(const QString& path) { return path.trimmed(); }

bool FolderExists(const QString& path) { return QFileInfo(path).absoluteDir().exists(); }

std::string QtFileUI::GetOpenFile(void* owner) {
  QFileDialog dialog(static_cast<QWidget*>(owner));
  ConfigureSyxDialog(dialog, SyxDialogMode::Open);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return "";
  return dialog.selectedFiles().first().toStdString();
}

std::string QtFileUI::GetSaveFile(void* owner) {
  QFileDialog dialog(static_cast<QWidget*>(owner));
  ConfigureSyxDialog(dialog, SyxDialogMode::Save);
  // Some platform dialogs accept a path in a missing folder; ask again then.
  while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
    const QString path = TrimmedChoice(dialog.selectedFiles().first());
    if (FolderExists(path)) return path.toStdString();
    Dialogs().Message("The folder of " + path.toStdString() + " does not exist.", kAppTitle,
                      MessageIcon::Exclamation);
  }
  return "";
}
