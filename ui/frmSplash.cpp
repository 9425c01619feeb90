#include "frmSplash.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "Dialogs.h"
#include "SvgPicture.h"

namespace {

constexpr QSize kSplashSize(520, 300);
constexpr int kWarningBandHeight = 38;  // the dark band at the picture's foot

QLabel* MakeLabel(const char* name, const QString& text, qreal pointScale, bool bold, QRgb colour, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  QFont font = label->font();
  font.setPointSizeF(font.pointSizeF() * pointScale);
  font.setBold(bold);
  label->setFont(font);
  QPalette colours = label->palette();
  colours.setColor(QPalette::WindowText, QColor(colour));
  label->setPalette(colours);
  return label;
}

}  // namespace

QString SplashVersionText(const ProgramVersion& version) {
  return QStringLiteral("Version %1.%2").arg(version.major).arg(version.minor);
}

frmSplash::frmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName("frmSplash");
  setFocusPolicy(Qt::StrongFocus);
  setFixedSize(kSplashSize);

  auto* image = new SvgPicture(":/pictures/splash.svg", kSplashSize, this);
  image->setObjectName("Image1");
  image->setGeometry(rect());

  auto* version = new QHBoxLayout;
  version->setSpacing(10);
  version->addWidget(MakeLabel("lblVersion", SplashVersionText(kProgramVersion), 1.1, false, 0xdfe5ec, this));
  version->addWidget(MakeLabel("lblPlatform", "Platform", 0.85, false, 0x8b95a3, this), 0, Qt::AlignBottom);
  version->addStretch(1);

  auto* credits = new QHBoxLayout;
  credits->addWidget(MakeLabel("lblAuthor", "Written by the Lindel authors", 0.9, false, 0xaab3bf, this));
  credits->addStretch(1);
  credits->addWidget(MakeLabel("lblYear", "2026", 0.9, false, 0xaab3bf, this));

  QLabel* warning = MakeLabel("lblWarning",
                              "Warning: This software is not supported by T.C. Electronics!  Use at your own risk!",
                              0.85, false, 0xffb86b, this);
  warning->setFixedHeight(kWarningBandHeight);
  warning->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);

  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(32, 26, 32, 0);
  page->setSpacing(4);
  page->addWidget(MakeLabel("lblProductName", kAppTitle, 2.2, true, 0xffffff, this));
  page->addLayout(version);
  page->addStretch(1);
  page->addLayout(credits);
  page->addSpacing(6);
  page->addWidget(warning);
}

void frmSplash::mousePressEvent(QMouseEvent*) { close(); }

void frmSplash::keyPressEvent(QKeyEvent*) { close(); }

// Takes the keyboard, so that a key press reaches it.
void frmSplash::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  activateWindow();
  setFocus();
}
