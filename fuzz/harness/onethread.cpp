// Every fuzz target runs as one thread. The theme and archive loaders decode on worker threads
// when the machine has more than one processor; for the small inputs of a fuzz run, starting and
// ending those threads (and the page-table flushes on every processor that a multi-threaded
// process's frees then cost under AddressSanitizer) took more time than the decoding itself, and
// coverage from other threads is not what guides the fuzzer. With one processor reported, the
// loaders take the path they take on a one-processor machine: the same decoders, on the calling
// thread. The threaded path is covered by the tests of the loaders.
//
// std::thread::hardware_concurrency() asks the C library's get_nprocs(); the definition below
// takes the place of the C library's for the whole process.

#include <sys/sysinfo.h>

extern "C" int get_nprocs()
{
    return 1;
}
