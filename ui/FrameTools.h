// The windows the frame opens that other parts of the program provide, as
// hooks. An empty hook leaves its menu item disabled ("&Modifiers...",
// "&MIDI Controller...", "&About..."); no splash hook, no splash.
// DefaultFrameTools is the one place where the editor wires them.
#pragma once

#include <array>
#include <functional>
#include <memory>

class CPreset;
class ISettings;
class MidiSystem;
class QWidget;

struct FrameTools {
  // The modal modifiers editor for preset, given the IsOn of frmFilterMod,
  // frmPitch, frmChorusFlange, frmDelay and frmReverb in this order; returns
  // whether it changed anything.
  std::function<bool(QWidget& frame, CPreset& preset, const std::array<bool, 5>& blocksOn)> modifiers;
  // Opens the MIDI controller tool without modality; outputDevice gives the
  // output position chosen in the MIDI setup at the time of each send (-1
  // for none).
  std::function<void(QWidget& frame, std::function<int()> outputDevice)> controller;
  // The modal About window.
  std::function<void(QWidget& frame)> about;
  // The splash window, shown while the frame loads and released after.
  std::function<std::unique_ptr<QWidget>(QWidget& frame)> splash;
};

FrameTools DefaultFrameTools(ISettings& settings, MidiSystem& midi);
