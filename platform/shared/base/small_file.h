#ifndef KBLAYOUTS_SMALL_FILE_H
#define KBLAYOUTS_SMALL_FILE_H

#include "text.h"

// The first size bytes at most of the regular file at path, read into
// buffer; empty where there is no such file. Never blocks on a pipe or a
// device put in a file's place.
Text ReadSmallFile(const char *path, char *buffer, size_t size);

#endif
