#include "frmAbout.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "Dialogs.h"
#include "SvgPicture.h"

namespace {

struct Credit {
  const char* name;
  const char* contribution;
};

constexpr Credit kCredits[] = {
    {"Our SysEx mapper", "SysEx mapper guru, whithout which there would be no editor."},
    {"Our BBS host", "testing, suggestions and logistical support, thanks for the slick BBS"},
    {"Our testers", "testing, support and suggestions"},
    {"Our artist", "supplied great graphics and icons"},
};

QLabel* MakeLabel(const char* name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  return label;
}

void Scale(QLabel& label, qreal pointScale, bool bold) {
  QFont font = label.font();
  font.setPointSizeF(font.pointSizeF() * pointScale);
  font.setBold(bold);
  label.setFont(font);
}

void Soften(QLabel& label) { label.setForegroundRole(QPalette::PlaceholderText); }

QFrame* Rule(QWidget* parent) {
  auto* rule = new QFrame(parent);
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  return rule;
}

}  // namespace

QString AboutVersionText(const ProgramVersion& version) {
  return QStringLiteral("Version %1.%2  build %3").arg(version.major).arg(version.minor).arg(version.revision);
}

QString ThanksText() {
  QString text = "Thanks to";
  for (const Credit& credit : kCredits) {
    if (&credit != &kCredits[0]) text += '\n';
    text += '\n' + QString(credit.name) + '\n' + QString(credit.contribution);
  }
  return text;
}

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
  setObjectName("frmAbout");
  setWindowTitle(QStringLiteral("About ") + kAppTitle);

  auto* image = new SvgPicture(":/pictures/lindel.svg", QSize(64, 64), this);
  image->setObjectName("Image1");
  QLabel* lblTitle = MakeLabel("lblTitle", kAppTitle, this);
  Scale(*lblTitle, 1.6, true);
  QLabel* lblVersion = MakeLabel("lblVersion", AboutVersionText(kProgramVersion), this);
  QLabel* label1 = MakeLabel("Label1", "Written by the Lindel authors", this);
  Soften(*label1);
  QLabel* lblThanks = MakeLabel("lblThanks", ThanksText(), this);
  QLabel* lblDisclaimer =
      MakeLabel("lblDisclaimer", "This software is not supported by T.C. Electronics! Use at your own risk.", this);
  Scale(*lblDisclaimer, 0.9, false);
  Soften(*lblDisclaimer);
  auto* cmdOK = new QPushButton(tr("OK"), this);
  cmdOK->setObjectName("cmdOK");
  cmdOK->setDefault(true);
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

  auto* names = new QVBoxLayout;
  names->setSpacing(2);
  names->addWidget(lblTitle);
  names->addWidget(lblVersion);
  names->addSpacing(6);
  names->addWidget(label1);
  auto* heading = new QHBoxLayout;
  heading->setSpacing(16);
  heading->addWidget(image, 0, Qt::AlignTop);
  heading->addLayout(names, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(lblDisclaimer, 1);
  buttons->addWidget(cmdOK);

  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(20, 20, 20, 16);
  page->setSpacing(12);
  page->addLayout(heading);
  page->addWidget(Rule(this));
  page->addWidget(lblThanks);
  page->addWidget(Rule(this));
  page->addLayout(buttons);
  setFixedSize(sizeHint());
}
