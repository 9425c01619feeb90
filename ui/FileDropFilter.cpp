#include "FileDropFilter.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <string>
#include <vector>

#include "FileOpener.h"
#include "frmMDIMain.h"

namespace {

// The local files of a drag, in order; folders and remote addresses are not files to open.
std::vector<std::string> DroppedFiles(const QMimeData* data) {
  std::vector<std::string> paths;
  if (!data) return paths;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile() && !QFileInfo(url.toLocalFile()).isDir()) paths.push_back(url.toLocalFile().toStdString());
  }
  return paths;
}

}  // namespace

FileDropFilter::FileDropFilter(frmMDIMain& frame) : QObject(&frame), frame_(frame) {
  frame.setAcceptDrops(true);
  frame.installEventFilter(this);
}

bool FileDropFilter::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
    return QObject::eventFilter(watched, event);
  }
  auto* drop = static_cast<QDropEvent*>(event);
  std::vector<std::string> paths = DroppedFiles(drop->mimeData());
  if (paths.empty() || !FileOpener(frame_).CanOpen()) {
    drop->ignore();
    return true;
  }
  drop->acceptProposedAction();
  if (type == QEvent::Drop) {
    QTimer::singleShot(0, this, [this, paths = std::move(paths)] { FileOpener(frame_).OpenFirst(paths); });
  }
  return true;
}
