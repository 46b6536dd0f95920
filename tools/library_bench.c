/* Prints the mean time, in seconds, of one in-process call of
 * kblayouts_list and of one of kblayouts_active, over the count of calls
 * given, the two taking turns, after a first of each that loads what the
 * session needs. */
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

#include <kblayouts.h>

static double now(void)
{
	struct timespec time;

	clock_gettime(CLOCK_MONOTONIC, &time);
	return time.tv_sec + time.tv_nsec / 1e9;
}

int main(int argc, char **argv)
{
	int calls = argc > 1 ? atoi(argv[1]) : 1000;
	uint32_t hkls[64];
	double list = 0, active = 0;

	kblayouts_list(hkls, 64);
	kblayouts_active();
	for (int i = 0; i < calls; i++) {
		double start = now();
		kblayouts_list(hkls, 64);
		double listed = now();
		kblayouts_active();
		list += listed - start;
		active += now() - listed;
	}
	calls = calls > 0 ? calls : 1;
	printf("%.9f %.9f\n", list / calls, active / calls);
	return 0;
}
