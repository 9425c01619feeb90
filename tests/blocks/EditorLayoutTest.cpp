// How every block editor, in every type, uses its pane: each control in a
// titled section, captions right-aligned with their lists' left edges in line
// (also across stacked sections), every list wide enough for its widest item,
// and no two controls or sections overlapping.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QStyleOptionComboBox>
#include <QtTest>
#include <memory>

#include "EditorProbe.h"
#include "ParameterCatalog.h"
#include "Selection.h"

namespace {

QRect InEditor(const QWidget& w, const QWidget& editor) { return QRect(w.mapTo(&editor, QPoint(0, 0)), w.size()); }

int WidestItem(const QComboBox& list) {
  int widest = 0;
  for (int i = 0; i < list.count(); ++i) widest = std::max(widest, list.fontMetrics().horizontalAdvance(list.itemText(i)));
  return widest;
}

int TextRoom(const QComboBox& list) {
  QStyleOptionComboBox option;
  option.initFrom(&list);
  return list.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &list).width();
}

}  // namespace

class EditorLayoutTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void EveryTypeIsLaidOutInSections_data() {
    QTest::addColumn<int>("block");
    QTest::addColumn<int>("type");
    for (int b = 0; b < static_cast<int>(CatalogBlocks().size()); ++b) {
      for (int type = 0; type < TypeCount(CatalogBlocks()[b]); ++type) {
        QTest::addRow("%s type %d", CatalogBlocks()[b].editor, type) << b << type;
      }
    }
  }
  void EveryTypeIsLaidOutInSections() {
    QFETCH(int, block);
    QFETCH(int, type);
    const CatalogBlock& kind = CatalogBlocks()[block];
    RecordingHost host;
    const std::unique_ptr<BlockEditor> frm = MakeEditor(kind.editor);
    frm->Setup(host);
    host.RedrawOnTypeChange(nullptr);
    if (kind.HasTypes()) SelectListIndex(*frm->findChild<QComboBox*>(TypeRow(kind).control), type);
    frm->resize(980, 460);
    frm->show();
    QVERIFY(QTest::qWaitForWindowExposed(frm.get()));

    const QList<QGroupBox*> sections = frm->findChildren<QGroupBox*>();
    QVERIFY(!sections.isEmpty());
    QList<QWidget*> shown;  // every control a user sees, and the pictures
    for (QWidget* w : frm->findChildren<QWidget*>()) {
      if (w->objectName().isEmpty() || w->objectName().startsWith("qt_") || !w->isVisibleTo(frm.get())) continue;
      if (qobject_cast<QComboBox*>(w->parentWidget())) continue;
      auto* section = qobject_cast<QGroupBox*>(w->parentWidget());
      QVERIFY2(section && !section->title().isEmpty(), qPrintable(w->objectName()));
      shown << w;
    }
    const auto at = [&](const QWidget* w) { return InEditor(*w, *frm); };
    const auto caption = [&](const QWidget* w) {
      auto* label = qobject_cast<const QLabel*>(w);
      return label && label->buddy() && label->buddy()->isVisibleTo(frm.get()) ? label : nullptr;
    };
    for (QWidget* a : shown) {
      for (QWidget* b : shown) {
        QVERIFY2(a == b || !at(a).intersects(at(b)), qPrintable(a->objectName() + " overlaps " + b->objectName()));
      }
      if (auto* list = qobject_cast<QComboBox*>(a)) {
        QVERIFY2(TextRoom(*list) >= WidestItem(*list), qPrintable(a->objectName()));
      }
      const QLabel* mine = caption(a);
      if (!mine) continue;
      QVERIFY(mine->alignment() & Qt::AlignRight);
      QVERIFY(at(mine).right() < at(mine->buddy()).left());
      // Captions in one column, of one section or of sections stacked in
      // line, end where their lists begin.
      for (QWidget* b : shown) {
        const QLabel* other = caption(b);
        if (!other || at(b->parentWidget()).x() != at(a->parentWidget()).x() ||
            !at(a).intersects(at(b).translated(0, at(a).y() - at(b).y()))) {
          continue;
        }
        QCOMPARE(at(b).right(), at(a).right());
        QCOMPARE(at(other->buddy()).x(), at(mine->buddy()).x());
      }
    }
    for (QGroupBox* a : sections) {
      for (QGroupBox* b : sections) QVERIFY(a == b || !a->geometry().intersects(b->geometry()));
    }
  }
};

QTEST_MAIN(EditorLayoutTest)
#include "EditorLayoutTest.moc"
