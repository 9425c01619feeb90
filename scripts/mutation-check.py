#!/usr/bin/env python3
"""Applies one-line mutations to model/, blocks/ and midi/ code one at a time,
rebuilds the suites that cover the changed layer, runs them and counts the
mutations they kill. The file is restored after each mutation, also on
Ctrl-C or a failed build. Usage: scripts/mutation-check.py [BUILD_DIR]"""
import os
import pathlib
import signal
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
BUILD = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else ROOT / "build"

MODEL_SUITES = ["lindel_model_tests", "lindel_value_list_tests", "lindel_catalog_editor_tests",
                "lindel_preset_text_tests", "lindel_midi_tests", "lindel_backup_tests"]
MIDI_SUITES = ["lindel_midi_tests", "lindel_backup_tests"]
BLOCK_SUITES = ["lindel_editor_rules_tests", "lindel_typed_editor_tests", "lindel_catalog_editor_tests"]

# (what it breaks, file, original text, mutated text, suites)
MUTATIONS = [
    ("a modifier prompt text", "model/modifierUtils.cpp", '"TRM HiCut"', '"TRM Hicut"', MODEL_SUITES),
    ("modifier min-out bit mask", "model/CModifier.cpp", "(value & 0x3F8) / 8", "(value & 0x3F0) / 8", MODEL_SUITES),
    ("modifier kind bit mask", "model/CModifier.cpp", "(modifier_ & 7)", "(modifier_ & 3)", MODEL_SUITES),
    ("checksum bit mask", "model/CPreset.cpp", "sum & 0x7F", "sum & 0x3F", MODEL_SUITES),
    ("preset header model byte check", "model/CPreset.cpp", "image[5] == SysEx::ModelGMajor && ", "", MODEL_SUITES),
    ("split file name off by one", "model/CSysEx.cpp", "storedNumber - PresetNumber::UserBase)",
     "storedNumber - PresetNumber::UserBase + 1)", MODEL_SUITES),
    ("kilohertz decimals", "model/ValueLists.cpp", "Fixed(hz / 1000, 2)", "Fixed(hz / 1000, 1)", MODEL_SUITES),
    ("one Windows-1252 code point", "model/AnsiText.cpp", "0x02C6, 0x2030,", "0x02C6, 0x2031,", MODEL_SUITES),
    ("answer end byte check", "midi/PresetReader.cpp", "!HasEndByte(image) || ", "", MIDI_SUITES),
    ("verification ignores the wrong byte", "midi/SendVerification.cpp", "kDeviceIdOffset = 4", "kDeviceIdOffset = 5",
     MIDI_SUITES),
    ("verification report text", "midi/SendVerification.cpp", '" presets as sent."', '" presets as sent"', MIDI_SUITES),
    ("requested preset header check", "midi/MidiTransfer.cpp", " || !HasPresetHeader(preset_->Image())", "",
     MIDI_SUITES),
    ("dump reception state after a SysEx", "midi/MidiTransfer.cpp", "ReceiveDump) return DumpData;",
     "ReceiveDump) return PresetArrived;", MIDI_SUITES),
    ("a short-message input error ignored", "midi/MidiTransfer.cpp", "    case MIM_ERROR:\n", "", MIDI_SUITES),
    ("backup leaves out the factory range", "midi/DeviceBackup.cpp", "if (range.factory) {", "if (!range.factory) {",
     MIDI_SUITES),
    ("pitch pan centre", "model/CatalogTables.cpp", "kMiddle = 50;", "kMiddle = 51;", MODEL_SUITES),
    ("catalog pins not shown", "blocks/BlockEditor.cpp", "  if (field.first == field.last) SetValue(control, field.first);\n",
     "", BLOCK_SUITES),
    ("disabled fields enabled", "blocks/BlockEditor.cpp", "control.setEnabled(field.active);", "control.setEnabled(true);",
     BLOCK_SUITES),
    ("fixed values not gathered", "blocks/BlockEditor.cpp", "preset.SetValue(fixed.offset, fixed.value)", "(void)fixed",
     BLOCK_SUITES),
    ("pitch type text", "model/CatalogTables.cpp", '"Octaver", "Shifter"', '"Octave", "Shifter"', MODEL_SUITES),
    ("a type's enabled pattern", "model/CatalogTables.cpp", '"Order", "EEDDDD"', '"Order", "EEEDDD"', MODEL_SUITES),
]

restore = None  # (path, original bytes) while a mutation is applied


def put_back(*_):
    global restore
    if restore:
        restore[0].write_bytes(restore[1])
        restore = None


def interrupted(*_):
    put_back()
    sys.exit("interrupted; the mutated file was restored")


def run(cmd, **kw):
    env = dict(os.environ, CCACHE_BASEDIR=str(ROOT), CCACHE_NOHASHDIR="1")
    return subprocess.run(cmd, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **kw).returncode


def killed(suites):
    """A mutation is killed when its build fails or any covering test fails."""
    if run(["cmake", "--build", str(BUILD), "-j2", "--target", *suites]) != 0:
        return True
    labels = "^(" + "|".join(suites) + ")$"
    return run(["ctest", "-L", labels, "-j2", "--timeout", "300"], cwd=BUILD) != 0


def main():
    global restore
    signal.signal(signal.SIGINT, interrupted)
    signal.signal(signal.SIGTERM, interrupted)
    kills = 0
    for what, rel, old, new, suites in MUTATIONS:
        path = ROOT / rel
        text = path.read_bytes()
        if text.count(old.encode()) != 1:
            sys.exit(f"{rel}: '{old}' must occur exactly once")
        restore = (path, text)
        try:
            path.write_bytes(text.replace(old.encode(), new.encode()))
            dead = killed(suites)
        finally:
            put_back()
        kills += dead
        print(f"{'killed ' if dead else 'SURVIVED'}  {rel}: {what}", flush=True)
    for suites in {tuple(m[4]) for m in MUTATIONS}:  # leave the build matching the sources
        run(["cmake", "--build", str(BUILD), "-j2", "--target", *suites])
    print(f"{kills} of {len(MUTATIONS)} mutations killed")


if __name__ == "__main__":
    main()
