/*
 * A program that asks libkblayouts for the session's layouts and prints
 * them as kblayouts does, so that its report can be compared with the
 * program's. Built from the installed header and library alone. Its
 * argument says how it asks:
 *   once      one call for the count, one for the list
 *   threads   8 threads making 100 calls each, which must all agree, and
 *             leave the process as they found it
 *   glib      from an idle callback of a GLib main loop, the host holding
 *             a GSettings object of its own (GLib loaded by the host)
 *   systemd   the host holding a session bus connection of its own, through
 *             libsystemd
 *   arguments the calls a careless caller makes, which must all give 0 but
 *             the count and the first layout
 *   socket    the host holding a socket named by WAYLAND_SOCKET, as a
 *             compositor hands it, which the library must leave alone,
 *             and a socket it opens after the first call, to which the
 *             second must write nothing
 *   secure    as once, in a process the kernel marks privileged (setuid)
 *   active    the layout in use, as a report of that one layout (of none
 *             where there is no list)
 * A failed check is said on standard error, with exit status 1.
 */
#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <locale.h>
#include <pthread.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/auxv.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <kblayouts.h>

enum { THREADS = 8, CALLS = 100 };

extern char **environ;

static int failures;

static void check(int holds, const char *what)
{
	if (!holds) {
		fprintf(stderr, "library_host: %s\n", what);
		failures++;
	}
}

static void print_report(const uint32_t *hkls, int count)
{
	printf("GetKeyboardLayoutList nCount: %d\r\n", count);
	for (int i = 0; i < count; i++)
		printf("HKL[%d]: %08X\r\n", i, hkls[i]);
}

static int entries(const char *folder)
{
	DIR *dir = opendir(folder);
	int count = 0;

	if (!dir)
		return -1;
	while (readdir(dir))
		count++;
	closedir(dir);
	return count;
}

/* What a library must leave as it found it. */
struct process_state {
	int descriptors, threads;
	mode_t umask;
	char cwd[4096], locale[256], environment[65536];
	struct sigaction actions[NSIG];
};

static void read_state(struct process_state *state)
{
	size_t used = 0;

	memset(state, 0, sizeof *state);
	state->descriptors = entries("/proc/self/fd");
	state->threads = entries("/proc/self/task");
	state->umask = umask(022);
	umask(state->umask);
	if (!getcwd(state->cwd, sizeof state->cwd))
		state->cwd[0] = 0;
	snprintf(state->locale, sizeof state->locale, "%s", setlocale(LC_ALL, NULL));
	for (char **variable = environ; *variable; variable++)
		used += (size_t)snprintf(state->environment + used,
		    used < sizeof state->environment ? sizeof state->environment - used : 0,
		    "%s\n", *variable);
	for (int signal = 1; signal < NSIG; signal++)
		sigaction(signal, NULL, &state->actions[signal]);
}

static void compare_state(const struct process_state *before, const struct process_state *after)
{
	check(before->descriptors == after->descriptors, "file descriptors left open");
	check(before->threads == after->threads, "threads left running");
	check(before->umask == after->umask, "the umask changed");
	check(strcmp(before->cwd, after->cwd) == 0, "the working directory changed");
	check(strcmp(before->locale, after->locale) == 0, "the locale changed");
	check(strcmp(before->environment, after->environment) == 0, "the environment changed");
	for (int signal = 1; signal < NSIG; signal++)
		check(before->actions[signal].sa_handler == after->actions[signal].sa_handler,
		    "a signal's handler changed");
}

static int once(void)
{
	uint32_t hkls[64];
	int count = kblayouts_list(NULL, 0);
	int listed = kblayouts_list(hkls, 64);

	check(count == listed, "the count differs from the list's length");
	print_report(hkls, listed);
	return 0;
}

static uint32_t first_list[64];
static int first_count;

static void *calls(void *unused)
{
	(void)unused;
	for (int i = 0; i < CALLS; i++) {
		uint32_t hkls[64];
		int count = kblayouts_list(hkls, 64);
		if (count != first_count || memcmp(hkls, first_list, sizeof hkls[0] * (size_t)count))
			return (void *)1;
	}
	return NULL;
}

static int threads(void)
{
	static struct process_state before, after;
	pthread_t thread[THREADS];
	int differed = 0;

	/* The libraries the first call loads stay, but keep no descriptor
	 * or thread, GLib included. */
	read_state(&before);
	first_count = kblayouts_list(first_list, 64);
	for (int i = 0; i < THREADS; i++)
		check(pthread_create(&thread[i], NULL, calls, NULL) == 0, "no thread");
	for (int i = 0; i < THREADS; i++) {
		void *result;
		pthread_join(thread[i], &result);
		differed += result != NULL;
	}
	read_state(&after);
	check(differed == 0, "a thread got another answer");
	compare_state(&before, &after);
	print_report(first_list, first_count);
	return 0;
}

/* GLib's functions, from the library the host loads itself. */
typedef void *(*settings_new_fn)(const char *);
typedef void *(*main_loop_new_fn)(void *, int);
typedef void (*main_loop_fn)(void *);
typedef unsigned (*idle_add_fn)(int (*)(void *), void *);

static main_loop_fn quit_loop;

static int from_the_loop(void *loop)
{
	once();
	quit_loop(loop);
	return 0;
}

static int glib(void)
{
	void *gio = dlopen("libgio-2.0.so.0", RTLD_NOW | RTLD_GLOBAL);
	if (!gio) {
		check(0, "no libgio");
		return 0;
	}
	settings_new_fn settings_new = (settings_new_fn)dlsym(gio, "g_settings_new");
	main_loop_new_fn loop_new = (main_loop_new_fn)dlsym(gio, "g_main_loop_new");
	main_loop_fn run = (main_loop_fn)dlsym(gio, "g_main_loop_run");
	idle_add_fn idle_add = (idle_add_fn)dlsym(gio, "g_idle_add");
	quit_loop = (main_loop_fn)dlsym(gio, "g_main_loop_quit");

	void *settings = settings_new("org.gnome.desktop.input-sources");
	void *loop = loop_new(NULL, 0);
	idle_add(from_the_loop, loop);
	run(loop);
	check(settings != NULL, "no GSettings object");
	return 0;
}

/* A host with a bus connection of its own, through libsystemd. */
static int systemd(void)
{
	void *library = dlopen("libsystemd.so.0", RTLD_NOW | RTLD_GLOBAL);
	if (!library) {
		check(0, "no libsystemd");
		return 0;
	}
	int (*open_user)(void **) = (int (*)(void **))dlsym(library, "sd_bus_open_user");
	int (*is_open)(void *) = (int (*)(void *))dlsym(library, "sd_bus_is_open");
	void *(*close_unref)(void *) = (void *(*)(void *))dlsym(library, "sd_bus_flush_close_unref");
	void *bus = NULL;

	check(open_user(&bus) >= 0, "no bus of the host's own");
	once();
	check(is_open(bus) > 0, "the host's bus was closed");
	close_unref(bus);
	return 0;
}

static int arguments(void)
{
	uint32_t hkls[64], one[2] = {0, 0xDEADBEEF};
	int count = kblayouts_list(hkls, 64);

	check(kblayouts_list(NULL, 64) == 0, "a null pointer gave layouts");
	check(kblayouts_list(hkls, -1) == 0, "a negative capacity gave layouts");
	check(kblayouts_list(NULL, -5) == 0, "a null pointer and a negative capacity gave layouts");
	check(kblayouts_list(hkls, 0) == count, "capacity 0 did not give the count");
	check(kblayouts_list(one, 1) == (count > 0), "capacity 1 did not give one layout");
	check(count == 0 || one[0] == hkls[0], "capacity 1 did not give the first layout");
	check(one[1] == 0xDEADBEEF, "capacity 1 wrote past the first slot");
	print_report(hkls, count);
	return 0;
}

/* Whether anything was written to the far end of a socket pair. */
static int written(int fd)
{
	char byte;
	return recv(fd, &byte, 1, MSG_DONTWAIT) >= 0;
}

static int socket_of_the_host(void)
{
	int given[2], next[2];
	char number[16];

	check(socketpair(AF_UNIX, SOCK_STREAM, 0, given) == 0, "no socket pair");
	snprintf(number, sizeof number, "%d", given[0]);
	setenv("WAYLAND_SOCKET", number, 1);
	int flags = fcntl(given[0], F_GETFD);
	once();
	check(fcntl(given[0], F_GETFD) == flags, "the host's socket was closed or changed");
	check(!written(given[1]), "the host's socket was written to");
	/* Where the library had closed it, the next socket takes its number. */
	close(given[0]);
	check(socketpair(AF_UNIX, SOCK_STREAM, 0, next) == 0, "no socket pair");
	kblayouts_list(NULL, 0);
	check(fcntl(next[0], F_GETFD) >= 0 && !written(next[1]),
	    "the host's next socket was closed or written to");
	return 0;
}

int main(int argc, char **argv)
{
	const char *mode = argc > 1 ? argv[1] : "once";

	if (strcmp(mode, "threads") == 0)
		threads();
	else if (strcmp(mode, "glib") == 0)
		glib();
	else if (strcmp(mode, "systemd") == 0)
		systemd();
	else if (strcmp(mode, "arguments") == 0)
		arguments();
	else if (strcmp(mode, "socket") == 0)
		socket_of_the_host();
	else if (strcmp(mode, "active") == 0) {
		uint32_t hkl = kblayouts_active();
		print_report(&hkl, hkl != 0);
	} else if (strcmp(mode, "secure") == 0) {
		check(getauxval(AT_SECURE) != 0, "not a privileged process");
		once();
	}
	else
		once();
	return failures ? 1 : 0;
}
