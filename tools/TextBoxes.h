// Text-box behaviour of the controller tool: numbers read from a box, the
// whole text selected when a box gets the focus, and boxes that take digits
// only.
#pragma once

#include <cstdint>

class QLineEdit;

// The box's text as a byte: 0-127 as typed, 128-255 shows "Value must be 0
// to 127" and gives bDefault, any other text gives bDefault.
uint8_t Txt2Byte(const QLineEdit& txt, uint8_t bDefault);

// Selects the box's whole text whenever it gets the focus, by key or mouse.
void SelectAllOnFocus(QLineEdit& txt);

// Discards every typed character but "0" to "9", Backspace included. Keys
// that type nothing (arrows, Delete) still work.
void AcceptDigitsOnly(QLineEdit& txt);
