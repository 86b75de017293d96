#pragma once

#include "work_crew.h"

// While in scope the numeric stages share their large jobs among `count` threads; after
// it, the calling thread works alone again.
class SharedAmong
{
public:
    explicit SharedAmong(int count) { use_worker_threads(count); }
    ~SharedAmong() { use_worker_threads(1); }
    SharedAmong(const SharedAmong&) = delete;
    SharedAmong& operator=(const SharedAmong&) = delete;
};
