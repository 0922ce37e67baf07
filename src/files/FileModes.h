#pragma once
// The permissions of a file written under a temporary name and then renamed
// into place. The umask is shared by every thread of the process and the
// umask() call can only read it by changing it: two threads doing so at once
// can leave it at 0. So it is read from /proc without changing it, or, where
// there is no /proc, once at start-up.
#include <sys/types.h>

// The process's umask, left as it is. Programs that start threads call this
// from main first, so that the one read that has to change it (without /proc)
// happens while no other thread runs.
mode_t ProcessUmask();

// The permissions a plain create gives a new regular file.
mode_t NewFileMode();

