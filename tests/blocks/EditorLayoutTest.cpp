// How every block editor, in every type, uses its pane: each control in a
// titled section, captions right-aligned with their lists' left edges in line
// (also across stacked sections), every list wide enough for its widest item,
// and no two controls or sections overlapping.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QStyleOptionComboBox>
#include <QtTest>
#include <memory>

#include "RecordingHost.h"
#include "Selection.h"
#include "frmChorusFlange.h"
#include "frmCompressor.h"
#include "frmDelay.h"
#include "frmFilterMod.h"
#include "frmLevelRelay.h"
#include "frmNoiseGateEQ.h"
#include "frmPitch.h"
#include "frmReverb.h"
#include "frmRouting.h"
#include "frmTapTempo.h"

namespace {

struct EditorKind {
  const char* name;
  std::unique_ptr<BlockEditor> (*make)();
  const char* typeList;  // null for none
  int types;
};

template <class Editor>
std::unique_ptr<BlockEditor> Make() {
  return std::make_unique<Editor>();
}

const EditorKind kEditors[] = {
    {"frmNoiseGateEQ", Make<frmNoiseGateEQ>, nullptr, 1},   {"frmLevelRelay", Make<frmLevelRelay>, nullptr, 1},
    {"frmCompressor", Make<frmCompressor>, nullptr, 1},     {"frmFilterMod", Make<frmFilterMod>, "cmbFiltType", 6},
    {"frmPitch", Make<frmPitch>, "cmbPitchType", 4},        {"frmChorusFlange", Make<frmChorusFlange>, "cmbChorusType", 5},
    {"frmDelay", Make<frmDelay>, "cmbDelayType", 3},        {"frmReverb", Make<frmReverb>, "cmbRevType", 4},
    {"frmRouting", Make<frmRouting>, nullptr, 1},           {"frmTapTempo", Make<frmTapTempo>, nullptr, 1},
};

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
    QTest::addColumn<int>("editor");
    QTest::addColumn<int>("type");
    for (int e = 0; e < static_cast<int>(std::size(kEditors)); ++e) {
      for (int type = 0; type < kEditors[e].types; ++type) {
        QTest::addRow("%s type %d", kEditors[e].name, type) << e << type;
      }
    }
  }
  void EveryTypeIsLaidOutInSections() {
    QFETCH(int, editor);
    QFETCH(int, type);
    const EditorKind& kind = kEditors[editor];
    RecordingHost host;
    const std::unique_ptr<BlockEditor> frm = kind.make();
    frm->Setup(host);
    host.RedrawOnTypeChange(nullptr);
    if (kind.typeList) SelectListIndex(*frm->findChild<QComboBox*>(kind.typeList), type);
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
