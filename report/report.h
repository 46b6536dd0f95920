#ifndef KBLAYOUTS_REPORT_H
#define KBLAYOUTS_REPORT_H

#include <stdint.h>

#include "channel.h"

// "GetKeyboardLayoutList nCount: <count>"
void WriteCountLine(OutputChannel *out, uint32_t nCount);

// "HKL[<index>]: <eight uppercase hexadecimal digits>"
void WriteEntryLine(OutputChannel *out, uint32_t index, uint32_t hkl);

#endif
