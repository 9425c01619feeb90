// Randomize, Mutate, Morph, Nudge and Again through the real frame: each
// result is one undo step, a cancelled dialog changes nothing, locked
// blocks stay, Again rolls anew; the morph slider's previews are paced, on
// a fake clock and timer.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QtTest>
#include <functional>

#include "EditingComforts.h"
#include "FrameFixture.h"
#include "LibraryKeeper.h"
#include "PresetBuilder.h"
#include "PresetLibrary.h"
#include "PreviewPacer.h"
#include "SoundDesign.h"
#include "dlgSoundDesign.h"

namespace {

using namespace std::chrono_literals;
using Clock = PreviewPacer::Clock;
using DialogStep = std::function<void(dlgSoundDesign&)>;

template <typename T>
T& Child(dlgSoundDesign& d, const char* name) {
  T* child = d.findChild<T*>(name);
  if (!child) qFatal("no %s", name);
  return *child;
}

// A preset every editor shows as it is: values the lists hold, for its types.
std::vector<uint8_t> ShownAsItIs(const char* name, int number, uint64_t seed) {
  const PresetImage image = Randomize(PresetBuilder().Name(name).Number(number).Build().Image(), AllDesignBlocks(), false, seed);
  return {image.begin(), image.end()};
}

// Such a preset on screen, and a target file the file dialog answers with.
struct Rig {
  FrameFixture f;
  std::string target;

  Rig() {
    // The library holds only what a test puts there, not the presets loaded.
    f.settings.Set(kLibrarySection, kKeepAutomaticallyKey, "0");
    const std::string stored = f.dir.File("u5.syx");
    WriteBytes(stored, ShownAsItIs("Stored", 105, 1));
    f.TriggerOpening("mnuPresetLoad", stored);
    target = f.dir.File("target.syx");
    WriteBytes(target, ShownAsItIs("Target", 3, 2));
  }
  const EditHistory& History() { return f.Frame().Comforts().History(); }
  // Runs the menu item with the dialog set by step, then accepted or cancelled.
  void Run(const char* item, const DialogStep& step, bool accept = true) {
    f.steps.Then(item, [step, accept] {
      auto* dialog = qobject_cast<dlgSoundDesign*>(QApplication::activeModalWidget());
      if (!dialog) return false;
      step(*dialog);
      accept ? dialog->accept() : dialog->reject();
      return true;
    });
    f.Trigger(item);
    QVERIFY2(f.steps.Done(), qPrintable(f.steps.Stuck()));
  }
  DialogStep ChooseTarget(const DialogStep& then = [](dlgSoundDesign&) {}) {
    f.files.opens.push_back(target);
    return [then](dlgSoundDesign& d) {
      Child<QPushButton>(d, "cmdTargetFile").click();
      then(d);
    };
  }
};

struct CommandCase {
  const char* item;
  std::function<DialogStep(Rig&)> step;
};

const CommandCase kCommands[] = {
    {"mnuPresetRandomize", [](Rig&) { return [](dlgSoundDesign&) {}; }},
    {"mnuPresetMutate", [](Rig&) { return [](dlgSoundDesign& d) { Child<QSpinBox>(d, "spnAmount").setValue(40); }; }},
    {"mnuPresetMorph",
     [](Rig& rig) { return rig.ChooseTarget([](dlgSoundDesign& d) { Child<QSlider>(d, "sldMorph").setValue(60); }); }},
    {"mnuPresetNudge", [](Rig& rig) { return rig.ChooseTarget(); }},
};

// Every offset of the preset image outside the delay area.
bool SameOutsideDelay(const PresetImage& a, const PresetImage& b) {
  for (int i = Offset::Compressor; i < Offset::Delay; ++i) {
    if (a[i] != b[i]) return false;
  }
  return std::equal(a.begin() + Offset::Reverb, a.begin() + Offset::Checksum, b.begin() + Offset::Reverb);
}

// A timer the test runs by hand on its own clock.
struct FakeTime {
  Clock::time_point now{};
  std::optional<Clock::time_point> due;
  std::function<void()> run;

  MorphPreview Preview(std::vector<Clock::time_point>& sent) {
    MorphPreview p;
    p.preview = [this, &sent](const PresetImage&) { sent.push_back(now); };
    p.now = [this] { return now; };
    p.later = [this](std::chrono::milliseconds wait, std::function<void()> fn) {
      due = now + wait;
      run = std::move(fn);
    };
    return p;
  }
  void Advance(std::chrono::milliseconds by) {
    now += by;
    if (due && now >= *due) {
      due.reset();
      std::function<void()> fn = std::move(run);
      fn();
    }
  }
};

}  // namespace

class SoundDesignCommandsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // Cancelled, a command changes nothing; accepted, it is one undo step.
  void EachCommandIsOneUndoStepAndCancelledChangesNothing() {
    for (const CommandCase& c : kCommands) {
      Rig rig;
      const PresetImage before = rig.History().Current();
      rig.Run(c.item, c.step(rig), false);
      QVERIFY2(rig.History().Current() == before && !rig.History().CanUndo(), c.item);
      QVERIFY2(!rig.f.EditedShown() && !rig.f.Enabled("mnuPresetAgain"), c.item);
      rig.Run(c.item, c.step(rig));
      QVERIFY2(rig.History().Current() != before, c.item);
      QVERIFY2(rig.f.EditedShown(), c.item);
      QVERIFY(std::equal(before.begin(), before.begin() + Offset::FirstModifier, rig.History().Current().begin()));
      rig.f.Trigger("mnuEditUndo");
      QVERIFY2(rig.History().Current() == before && !rig.History().CanUndo(), c.item);
      QVERIFY2(!rig.f.EditedShown(), c.item);
    }
  }

  // OK needs a block and, for a morph or nudge, a target; locked blocks stay
  // on screen; Again rolls anew as a step of its own.
  void LockedBlocksStayAndAgainRollsANewResult() {
    Rig rig;
    rig.Run("mnuPresetNudge", [](dlgSoundDesign& d) {
      QVERIFY(!Child<QPushButton>(d, "cmdOK").isEnabled());  // no target yet
    }, false);
    const auto onlyDelay = [](bool delay) {
      return [delay](dlgSoundDesign& d) {
        for (QCheckBox* box : d.findChildren<QCheckBox*>()) {
          const QString name = box->objectName();
          if (name.startsWith("chkBlock_")) box->setChecked(delay && name == "chkBlock_delay");
        }
        QCOMPARE(Child<QPushButton>(d, "cmdOK").isEnabled(), delay);
      };
    };
    rig.Run("mnuPresetMutate", onlyDelay(false), false);
    const PresetImage before = rig.History().Current();
    rig.Run("mnuPresetRandomize", onlyDelay(true));
    const PresetImage first = rig.History().Current();
    QVERIFY(first != before);
    QVERIFY(SameOutsideDelay(before, first));
    QVERIFY(rig.f.Enabled("mnuPresetAgain"));
    rig.f.Trigger("mnuPresetAgain");
    QVERIFY(rig.History().Current() != first);
    QVERIFY(SameOutsideDelay(before, rig.History().Current()));
    rig.f.Trigger("mnuEditUndo");
    QVERIFY(rig.History().Current() == first);
  }

  void MovingTheMorphSliderThenCancellingPutsTheScreenBack() {
    Rig rig;
    EditingComforts& comforts = rig.f.Frame().Comforts();
    const PresetImage before = rig.History().Current();
    bool previewed = false;
    rig.Run("mnuPresetMorph", rig.ChooseTarget([&](dlgSoundDesign& d) {
      Child<QSlider>(d, "sldMorph").setValue(100);
      previewed = QTest::qWaitFor([&] { return comforts.ScreenState() != before; }, 10000);  // the paced preview
    }), false);
    QVERIFY(previewed);
    QVERIFY(comforts.ScreenState() == before);
    QVERIFY(rig.History().Current() == before);
    QVERIFY(!rig.History().CanUndo());
    QVERIFY(!rig.f.EditedShown());
  }

  void ALibraryEntryIsATarget() {
    Rig rig;
    const std::string path = rig.f.dir.File("library.db");
    qputenv("LINDEL_LIBRARY", QByteArray::fromStdString(path));
    {
      PresetLibrary library(path);
      const std::vector<uint8_t> bytes = ReadBytes(rig.target);
      PresetImage image{};
      std::copy(bytes.begin(), bytes.end(), image.begin());
      library.Keep(image, {"file", "target.syx"});
    }
    const PresetImage before = rig.History().Current();
    QStringList offered;
    rig.Run("mnuPresetMorph", [&offered](dlgSoundDesign& d) {
      QComboBox& targets = Child<QComboBox>(d, "cmbTarget");
      for (int i = 0; i < targets.count(); ++i) offered << targets.itemText(i);
      Child<QSlider>(d, "sldMorph").setValue(100);
    });
    qunsetenv("LINDEL_LIBRARY");
    QCOMPARE(offered, QStringList{"Library: Target"});
    QVERIFY(rig.History().Current() != before);
    QVERIFY(rig.History().CanUndo());
  }

  // With Live Audition the device's edit buffer follows the slider and ends
  // on what the command leaves on screen.
  void WithAuditionTheDeviceEndsOnTheMorph() {
    Rig rig;
    rig.f.Trigger("mnuPresetLiveAudition");
    rig.Run("mnuPresetMorph", rig.ChooseTarget([](dlgSoundDesign& d) {
      QSlider& slider = Child<QSlider>(d, "sldMorph");
      for (int value = 0; value <= 70; value += 10) {
        slider.setValue(value);
        QTest::qWait(20);
      }
    }));
    QTRY_VERIFY_WITH_TIMEOUT(DevicePreset(rig.f.midi, 0).Image() == rig.History().Current(), 10000);
  }

  void ThePacerLetsOneStateOutPerInterval_data() {
    QTest::addColumn<QList<int>>("offers");  // ms at which a state is offered
    QTest::addColumn<QList<int>>("sent");    // ms at which one goes out, the timer running on time
    QTest::newRow("one") << QList<int>{0} << QList<int>{0};
    QTest::newRow("spaced") << QList<int>{0, 150, 400} << QList<int>{0, 150, 400};
    QTest::newRow("burst") << QList<int>{0, 10, 20, 30} << QList<int>{0, 150};
    QTest::newRow("stream") << QList<int>{0, 50, 100, 150, 200, 250, 300, 350} << QList<int>{0, 150, 300, 450};
    QTest::newRow("late") << QList<int>{0, 100, 1000} << QList<int>{0, 150, 1000};
  }

  void ThePacerLetsOneStateOutPerInterval() {
    QFETCH(QList<int>, offers);
    QFETCH(QList<int>, sent);
    PreviewPacer pacer(150ms);
    QList<int> got;
    const auto at = [](int ms) { return Clock::time_point(std::chrono::milliseconds(ms)); };
    int last = 0;
    for (int ms = 0; ms <= 2000; ++ms) {
      if (pacer.DueAt() && *pacer.DueAt() <= at(ms) && pacer.Due(at(ms))) got << ms;
      if (offers.contains(ms) && pacer.Offer(at(ms))) got << ms;
      last = ms;
    }
    QCOMPARE(last, 2000);
    QCOMPARE(got, sent);
  }

  // Dragging for a second, a step every 10 ms: at most one preview per
  // interval, and the slider's last position is shown in the end.
  void TheMorphSliderPreviewsAtMostOncePerInterval() {
    const PresetImage start = PresetBuilder().Name("Start").Scramble(5).Build().Image();
    const PresetImage target = PresetBuilder().Name("Target").Scramble(6).Build().Image();
    dlgSoundDesign dialog(DesignKind::Morph, start, {{"target", target}}, nullptr);
    FakeTime time;
    std::vector<Clock::time_point> sent;
    dialog.SetPreview(time.Preview(sent));
    QSlider& slider = Child<QSlider>(dialog, "sldMorph");
    for (int value = 1; value <= 100; ++value) {
      slider.setValue(value);
      time.Advance(10ms);
    }
    time.Advance(200ms);
    QVERIFY(sent.size() >= 6 && sent.size() <= 8);
    for (std::size_t i = 1; i < sent.size(); ++i) QVERIFY(sent[i] - sent[i - 1] >= dlgSoundDesign::kPreviewInterval);
    QVERIFY(sent.back() >= Clock::time_point(1000ms));  // the trailing one, after the last step
  }
};

QTEST_MAIN(SoundDesignCommandsTest)
#include "SoundDesignCommandsTest.moc"
