#ifndef KBLAYOUTS_DEADLINE_H
#define KBLAYOUTS_DEADLINE_H

// The one deadline of a Linux query, connecting included: whatever the
// display servers do, the query gives up QUERY_SECONDS after it started.
enum { QUERY_SECONDS = 3 };

// Starts the clock for a query, then waits for any query another thread
// runs to end, until the deadline at most: one query runs at a time, and
// it has what is left. False where the deadline passed first.
bool StartQuery();

// Lets the next query start.
void EndQuery();

// The number of the query that runs, counting from 1, for what a query
// learns once and the next must learn again.
unsigned QueryNumber();

// The whole milliseconds until the deadline, 0 once it has passed.
int MillisecondsLeft();

// Waits until fd has something to read, the deadline passes, or the
// connection fails; true in the first case only.
bool WaitReadable(int fd);

// The same until fd can take more bytes.
bool WaitWritable(int fd);

#endif
