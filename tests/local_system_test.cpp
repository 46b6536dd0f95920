#include <gtest/gtest.h>

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "local_system.h"

static std::string NameOf(pid_t pid)
{
	char name[64];
	Text text = ProcessName(pid, name, sizeof name);
	return std::string(text.bytes, text.length);
}

// A child named as given runs until the pipe closes; once it has ended it
// is a zombie until reaped, and has no name either way.
static void ExpectNamedUntilEnded(const char *name)
{
	int ready[2], hold[2];
	ASSERT_EQ(pipe(ready), 0);
	ASSERT_EQ(pipe(hold), 0);
	pid_t child = fork();
	ASSERT_GE(child, 0);
	if (child == 0) {
		char byte = 0;
		prctl(PR_SET_NAME, name);
		close(hold[1]);
		(void)!write(ready[1], &byte, 1);
		(void)!read(hold[0], &byte, 1);
		_exit(0);
	}
	char byte;
	close(hold[0]);
	ASSERT_EQ(read(ready[0], &byte, 1), 1);
	EXPECT_EQ(NameOf(child), name);

	close(hold[1]);
	siginfo_t info;
	ASSERT_EQ(waitid(P_PID, child, &info, WEXITED | WNOWAIT), 0);
	EXPECT_EQ(NameOf(child), "") << "a zombie";
	ASSERT_EQ(waitpid(child, NULL, 0), child);
	EXPECT_EQ(NameOf(child), "") << "reaped";
	close(ready[0]);
	close(ready[1]);
}

TEST(ProcessName, RunningProcessesOnly)
{
	ExpectNamedUntilEnded("ibus-daemon");
	ExpectNamedUntilEnded("a) Z (b");
	ExpectNamedUntilEnded(")");
	EXPECT_EQ(NameOf(0), "");
	EXPECT_EQ(NameOf(-1), "");
}
