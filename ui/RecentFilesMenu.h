// The File menu's "Recent &Files" submenu: one item per entry of the recent
// files list, numbered, most recent first. It is rebuilt each time the File
// menu opens, since any command may have added a file, and stays disabled
// while the list is empty. What a chosen entry does is the caller's business.
#pragma once

#include <QObject>
#include <functional>
#include <string>

class ISettings;
class QMenu;

class RecentFilesMenu final : public QObject {
  Q_OBJECT

 public:
  using Chosen = std::function<void(const std::string& path)>;

  // Lives as long as submenu.
  RecentFilesMenu(QMenu& fileMenu, QMenu& submenu, ISettings& settings, Chosen chosen);

  void Refresh();

 private:
  QMenu& submenu_;
  ISettings& settings_;
  Chosen chosen_;
};
