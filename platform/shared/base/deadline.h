#ifndef KBLAYOUTS_DEADLINE_H
#define KBLAYOUTS_DEADLINE_H

#include "query_state.h"

// The one deadline of a Linux query, connecting included: whatever the
// display servers do, the query gives up QUERY_SECONDS after it started.
enum { QUERY_SECONDS = 3 };

// Starts a query: its clock, then a wait for any query another thread
// runs to end, until the deadline at most. One query runs at a time,
// since the libraries it loads keep state of their own, and it has what
// is left. False where the deadline passed first.
bool StartQuery(Query *query, bool asksActive);

// Lets the next query start.
void EndQuery(Query *query);

// The whole milliseconds until the query's deadline, 0 once it has
// passed.
int MillisecondsLeft(const Query *query);

// Waits until fd has something to read, the deadline passes, or the
// connection fails; true in the first case only.
bool WaitReadable(int fd, const Query *query);

// The same until fd can take more bytes.
bool WaitWritable(int fd, const Query *query);

#endif
