// A file system that answers only when the test lets it. Linked into a test program, this library
// defines the C library's file-system calls (open, openat, opendir, readdir, stat, lstat, fstatat,
// statx, unlink, rename and their variants) ahead of the C library, as a preloaded library would:
// calls on paths below the chosen folder wait at a gate the test holds and releases, like a card
// that stops answering; every other call goes straight to the C library. Under AddressSanitizer
// its runtime stays first and forwards to these definitions.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

// Calls on paths below folder (absolute; NULL or "" for none) are watched from now on, and the
// counts below start again. The calling thread is taken as the user-interface thread.
void slowfs_watch(const char* folder);
// While held, every watched call waits; release lets them all go on.
void slowfs_hold(void);
void slowfs_release(void);
// Watched calls waiting at the gate now.
int slowfs_waiting(void);
// Watched calls made since slowfs_watch (waited or not), by any thread and by the thread that
// called slowfs_watch.
long slowfs_calls(void);
long slowfs_ui_calls(void);
// Other threads that made a watched call and have not ended yet.
int slowfs_workers(void);
// How often path (absolute) was opened in a way that waits on a FIFO or a device: for reading,
// without O_NONBLOCK (opendir and O_PATH opens excepted).
int slowfs_blocking_opens(const char* path);

#ifdef __cplusplus
}
#endif
