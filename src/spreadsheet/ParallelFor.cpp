#include "spreadsheet/ParallelFor.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

void ParallelFor(std::size_t count, const std::function<void(std::size_t)>& work)
{
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    std::exception_ptr firstError;
    std::mutex errorMutex;
    auto run = [&] {
        for (std::size_t i; !failed && (i = next++) < count;) {
            try {
                work(i);
            } catch (...) {
                const std::lock_guard lock(errorMutex);
                if (!firstError)
                    firstError = std::current_exception();
                failed = true;
            }
        }
    };
    const std::size_t threads = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, std::max<std::size_t>(count, 1));
    {
        std::vector<std::jthread> helpers;
        for (std::size_t t = 1; t < threads; ++t)
            helpers.emplace_back(run);
        run();
    }
    if (firstError)
        std::rethrow_exception(firstError);
}
