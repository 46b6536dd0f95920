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
	if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
		ssize_t got;
		while (length < size && (got = read(fd, buffer + length, size - length)) > 0)
			length += (size_t)got;
	}
	close(fd);
	return Text{buffer, length};
}
