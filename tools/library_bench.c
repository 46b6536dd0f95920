/* Prints the mean time, in seconds, of one in-process call of
 * kblayouts_list, over the count of calls given, after a first that loads
 * what the session needs. */
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

	kblayouts_list(hkls, 64);
	double start = now();
	for (int i = 0; i < calls; i++)
		kblayouts_list(hkls, 64);
	printf("%.9f\n", (now() - start) / (calls > 0 ? calls : 1));
	return 0;
}
