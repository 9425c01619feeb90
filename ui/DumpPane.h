// The dump list pane (pictSysExBar): the name of the open dump file above
// lstPresets, one entry per slot ("7 - NAME"). It only shows; what a chosen
// entry does is the frame's business.
#pragma once

#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <vector>

class QLabel;
class QListWidget;

class DumpPane final : public QWidget {
  Q_OBJECT

 public:
  explicit DumpPane(QWidget* parent = nullptr);

  void Fill(const QString& fileName, const QStringList& labels);
  void Clear();
  bool IsEmpty() const;
  int Count() const;
  // Selects row without reporting it as the user's choice.
  void Select(int row);
  void Relabel(int row, const QString& text);

 Q_SIGNALS:
  // The user selected another entry, by mouse or keyboard.
  void entryChosen(int row);
  // Library entries were dropped on the entry of row (the last row when
  // dropped below the list).
  void entriesDropped(int row, const std::vector<int64_t>& ids);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SelectNow(int row);

  QLabel* lblDumpFile = nullptr;
  QListWidget* lstPresets = nullptr;
  bool choosing_ = false;  // while EntryChosen runs
};
