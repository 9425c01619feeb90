// The Library pane: a search box over the preset library (the library
// search words: "tag:live", "delay=dual", "fav" ...) and the entries found,
// sortable, several at a time. Double-click or Enter asks to open the entry;
// rows drag out as library entries; the right button tags, marks as
// favourite, renames, comments or hides the selected entries, and asks for
// them to be exported or for the lineage of the one under it.
#pragma once

#include <QDockWidget>
#include <cstdint>
#include <memory>
#include <vector>

class LibraryKeeper;
class LibraryModel;
class QLabel;
class QLineEdit;
class QMenu;
class QTableView;

class LibraryPane final : public QDockWidget {
  Q_OBJECT

 public:
  LibraryPane(LibraryKeeper& keeper, QWidget* parent = nullptr);

  // Runs the search again (the library changed).
  void Refresh();
  // In the table's order.
  std::vector<int64_t> SelectedIds() const;
  LibraryModel& Model() const { return *model_; }

  void TagSelected(const QString& tag);
  void FavouriteSelected(bool favourite);
  void RenameSelected(const QString& name);
  void CommentSelected(const QString& comment);
  void HideSelected(bool hidden);
  // The right button's menu for the row, its actions named mnuLibrary...
  // (null off the rows). Text questions go through Dialogs().
  std::unique_ptr<QMenu> MenuFor(int row);

 Q_SIGNALS:
  void openRequested(int64_t id);
  void exportRequested(const std::vector<int64_t>& ids);
  void historyRequested(int64_t id);

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
