#pragma once

#include "work_crew.h"

// While in scope the numeric stages share their large jobs among `count` threads; after
// it, the calling thread works alone again.
class shared_among
{
public:
    explicit shared_among(int count) { use_worker_threads(count); }
    ~shared_among() { use_worker_threads(1); }
    shared_among(const shared_among&) = delete;
    shared_among& operator=(const shared_among&) = delete;
};
