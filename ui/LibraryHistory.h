// "Show History": the lineage of a library entry as a tree, each version
// under the one it was edited from, the entry asked about marked. Open (the
// default button, so Enter) or a double-click opens the version chosen
// through the caller, which asks the unsaved-changes question first; the
// window closes once a version is open.
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <vector>

#include "PresetLibrary.h"

class QPushButton;
class QTreeWidget;

class dlgLibraryHistory final : public QDialog {
  Q_OBJECT

 public:
  // open: true when the version is now on screen.
  dlgLibraryHistory(const std::vector<EntryRow>& lineage, int64_t asked, std::function<bool(int64_t)> open,
                    QWidget* parent = nullptr);

 private:
  void Fill(const std::vector<EntryRow>& lineage, int64_t asked);
  void OpenChosen();

  std::function<bool(int64_t)> open_;
  QTreeWidget* tvwHistory;
  QPushButton* cmdOpen;
};
