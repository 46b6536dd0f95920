#ifndef KBLAYOUTS_KEYBOARD_LAYOUT_ID_H
#define KBLAYOUTS_KEYBOARD_LAYOUT_ID_H

#include <stdint.h>

// The keyboard layout identifier (KLID) of the Windows keyboard an HKL
// names by its device word: 0x00000407 for 04070407, 0x00001009 for
// 10090C0C, 0x00010409 for F0020409. 0 where the facts know no keyboard
// by that word, or the HKL has no language.
uint32_t KeyboardLayoutId(uint32_t hkl);

#endif
