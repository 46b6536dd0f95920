#ifndef KBLAYOUTS_RUN_H
#define KBLAYOUTS_RUN_H

#include "channel.h"
#include "query.h"

// Queries the layouts once and writes the count line and one entry line per
// identifier, in the order the query listed them.
void ReportLayouts(LayoutQuery query, OutputChannel *out);

#endif
