#include "query.h"
#include "run.h"
#include "stdout.h"

int main()
{
	ReportLayouts(QueryLayouts, OpenStandardOutput());
	return 0;
}
