#include "query.h"
#include "run.h"
#include "../report/stdout.h"

int main()
{
	ReportLayouts(QueryLayouts, OpenStandardOutput());
	return 0;
}
