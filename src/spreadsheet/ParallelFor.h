#pragma once
// Work split over the machine's cores.
#include <cstddef>
#include <functional>

// Calls work(i) for every i below `count`, on up to one thread per core (the
// calling thread included), each taking the next index in turn. Returns once
// all calls are done; rethrows the first exception thrown, after which no
// further index is started.
void ParallelFor(std::size_t count, const std::function<void(std::size_t)>& work);
