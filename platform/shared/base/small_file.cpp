#include "small_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

Text ReadSmallFile(const char *path, char *buffer, size_t size)
{
	struct stat info;
	size_t length = 0;
	int fd = open(path, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);

	if (fd < 0)
		return Text{buffer, 0};
	// A regular file that reads short has ended: no read is spent on
	// learning that.
	if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
		while (length < size) {
			size_t wanted = size - length;
			ssize_t got = read(fd, buffer + length, wanted);
			if (got <= 0)
				break;
			length += (size_t)got;
			if ((size_t)got < wanted)
				break;
		}
	}
	close(fd);
	return Text{buffer, length};
}
