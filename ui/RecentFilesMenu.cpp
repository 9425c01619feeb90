#include "RecentFilesMenu.h"

#include <QAction>
#include <QMenu>

#include "RecentFiles.h"

namespace {

// "&3 /home/me/tones.syx"; an ampersand in the path is shown, not taken as a mnemonic.
QString Caption(int position, const std::string& path) {
  QString text = QString::fromStdString(path);
  text.replace('&', "&&");
  return QString("&%1 %2").arg(position + 1).arg(text);
}

}  // namespace

RecentFilesMenu::RecentFilesMenu(QMenu& fileMenu, QMenu& submenu, ISettings& settings, Chosen chosen)
    : QObject(&submenu), submenu_(submenu), settings_(settings), chosen_(std::move(chosen)) {
  connect(&fileMenu, &QMenu::aboutToShow, this, &RecentFilesMenu::Refresh);
  Refresh();
}

void RecentFilesMenu::Refresh() {
  submenu_.clear();
  const std::vector<std::string> entries = RecentFiles(settings_).Entries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    QAction* item = submenu_.addAction(Caption(static_cast<int>(i), entries[i]));
    item->setObjectName(QString("mnuFileRecent%1").arg(i + 1));
    connect(item, &QAction::triggered, this, [this, path = entries[i]] { chosen_(path); });
  }
  submenu_.menuAction()->setEnabled(!entries.empty());
}
