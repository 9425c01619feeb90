#include "TextBoxes.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include "utilities.h"

namespace {

class SelectAllFilter final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusIn) {
      // A mouse click places the cursor after the focus arrives; selecting
      // once the click is handled keeps the whole text selected.
      auto* txt = static_cast<QLineEdit*>(watched);
      QTimer::singleShot(0, txt, &QLineEdit::selectAll);
    }
    return false;
  }
};

class DigitsOnlyFilter final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Backspace) return true;
    const QString typed = key->text();
    if (typed.isEmpty()) return false;
    return !(typed.size() == 1 && typed[0].unicode() >= u'0' && typed[0].unicode() <= u'9');
  }
};

}  // namespace

uint8_t Txt2Byte(const QLineEdit& txt, uint8_t bDefault) { return Txt2Byte(txt.text().toStdString(), bDefault); }

void SelectAllOnFocus(QLineEdit& txt) { txt.installEventFilter(new SelectAllFilter(&txt)); }

void AcceptDigitsOnly(QLineEdit& txt) { txt.installEventFilter(new DigitsOnlyFilter(&txt)); }
