#include "run.h"

#include "report.h"

void ReportLayouts(LayoutQuery query, OutputChannel *out)
{
	uint32_t hklList[MAX_LAYOUTS];
	int result = query(MAX_LAYOUTS, hklList);
	// A result the query could not have filled is taken as a failure, so
	// that no unfilled slot is ever read.
	uint32_t nCount = result >= 0 && result <= MAX_LAYOUTS ? (uint32_t)result : 0;

	WriteCountLine(out, nCount);
	for (uint32_t index = 0; index < nCount; index++)
		WriteEntryLine(out, index, hklList[index]);
}
