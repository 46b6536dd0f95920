#ifndef KBLAYOUTS_H
#define KBLAYOUTS_H

/* The keyboard layouts of the session, as Windows names them. */

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/*
 * Copies the session's layouts, as the input locale identifiers (HKLs)
 * Windows gives the same keyboards, into hkls, in the order the user
 * switches between them, as GetKeyboardLayoutList does. With capacity 0
 * it returns how many there are and hkls may be NULL; otherwise it copies
 * at most capacity of them and returns how many it copied. Returns 0 where
 * none is known, the query fails, or capacity is negative or hkls NULL.
 * Waits 3 seconds at most, and may be called from any thread.
 */
int kblayouts_list(uint32_t *hkls, int capacity);

/*
 * The HKL of the layout the user types with now, as kblayouts_list gives
 * it at that moment, so that kblayouts_klid names its keyboard: what
 * Windows' GetKeyboardLayout gives and a remote desktop client sends.
 * Where the session does not say which is in use, the first of the list;
 * 0 where there is no list. Waits 3 seconds at most, and may be called
 * from any thread.
 */
uint32_t kblayouts_active(void);

/*
 * The keyboard layout identifier (KLID) of the Windows keyboard an HKL
 * names, as a remote desktop client sends it: 0x00000407 for 0x04070407,
 * 0x00001009 for 0x10090C0C, 0x00010409 for 0xF0020409. Returns 0 where it
 * names no keyboard the library knows.
 */
uint32_t kblayouts_klid(uint32_t hkl);

#ifdef __cplusplus
}
#endif

#endif
