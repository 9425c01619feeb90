// The Library pane: a search box over the preset library (the library
// search words: "tag:live", "delay=dual", "fav" ...) and the entries found,
// sortable, several at a time. Double-click or Enter asks to open the entry;
// rows drag out as library entries; the right button tags, marks as
// favourite, renames or hides the selected entries.
#pragma once

#include <QDockWidget>
#include <cstdint>
#include <vector>

class LibraryKeeper;
class LibraryModel;
class QLabel;
class QLineEdit;
class QTableView;

class LibraryPane final : public QDockWidget {
  Q_OBJECT

 public:
  LibraryPane(LibraryKeeper& keeper, QWidget* parent = nullptr);

  // Runs the search again (the library changed).
  void Refresh();
  std::vector<int64_t> SelectedIds() const;
  LibraryModel& Model() const { return *model_; }

  void TagSelected(const QString& tag);
  void FavouriteSelected(bool favourite);
  void RenameSelected(const QString& name);
  void HideSelected(bool hidden);

 Q_SIGNALS:
  void openRequested(int64_t id);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void OpenCurrent();
  void ShowMenu(const QPoint& at);
  template <typename Change>
  void ChangeSelected(Change change);

  LibraryKeeper& keeper_;
  LibraryModel* model_;
  QLineEdit* txtLibrarySearch;
  QLabel* lblLibraryFound;
  QTableView* tblLibrary;
};
