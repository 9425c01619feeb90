#include "Looks.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleHints>

#include "ToolbarTile.h"

namespace {

constexpr int kDarkBelowLightness = 128;

struct Colours {
  QRgb window, base, alternate, text, button, mid, highlight, placeholder, disabledText;
};

constexpr Colours kLight{0xf3f4f6, 0xffffff, 0xeceef1, 0x1d2127, 0xe9ebef, 0xb5bbc4, 0x2f7fd0, 0x7a828e, 0x9aa1ab};
constexpr Colours kDark{ToolbarLook::PanelTop, ToolbarLook::PanelBottom, 0x262b32, 0xdfe4ea, 0x353b45,
                        ToolbarLook::Wire, 0x4fa3f0, ToolbarLook::Label, ToolbarLook::LabelDisabled};

}  // namespace

Scheme DesktopLook(const QPalette& desktop) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
  switch (QGuiApplication::styleHints()->colorScheme()) {
    case Qt::ColorScheme::Dark: return Scheme::Dark;
    case Qt::ColorScheme::Light: return Scheme::Light;
    default: break;
  }
#endif
  return desktop.color(QPalette::Window).lightness() < kDarkBelowLightness ? Scheme::Dark : Scheme::Light;
}

QPalette LookPalette(Scheme look) {
  const Colours& c = look == Scheme::Dark ? kDark : kLight;
  // Built from the look's own button and window colours, so that the roles
  // set below nowhere fall back on the desktop's (frames, bevels and the
  // disabled group came out light in the dark look).
  QPalette palette{QColor(c.button), QColor(c.window)};
  palette.setColor(QPalette::Window, QColor(c.window));
  palette.setColor(QPalette::WindowText, QColor(c.text));
  palette.setColor(QPalette::Base, QColor(c.base));
  palette.setColor(QPalette::AlternateBase, QColor(c.alternate));
  palette.setColor(QPalette::Text, QColor(c.text));
  palette.setColor(QPalette::Button, QColor(c.button));
  palette.setColor(QPalette::ButtonText, QColor(c.text));
  palette.setColor(QPalette::Mid, QColor(c.mid));
  palette.setColor(QPalette::Highlight, QColor(c.highlight));
  palette.setColor(QPalette::HighlightedText, Qt::white);
  palette.setColor(QPalette::PlaceholderText, QColor(c.placeholder));
  palette.setColor(QPalette::ToolTipBase, QColor(c.base));
  palette.setColor(QPalette::ToolTipText, QColor(c.text));
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    palette.setColor(QPalette::Disabled, role, QColor(c.disabledText));
  }
  return palette;
}

void ApplyLook(QApplication& app, Scheme look) {
  if (QStyle* fusion = QStyleFactory::create("Fusion")) QApplication::setStyle(fusion);
  app.setPalette(LookPalette(look));
}

void FollowDesktopLook(QApplication& app) {
  const QPalette desktop = app.palette();
  ApplyLook(app, DesktopLook(desktop));
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
  QObject::connect(QGuiApplication::styleHints(), &QStyleHints::colorSchemeChanged, &app,
                   [&app] { ApplyLook(app, DesktopLook(app.palette())); });
#endif
}
