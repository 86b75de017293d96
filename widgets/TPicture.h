#pragma once

#include "TBitmap.h"

#include <functional>
#include <memory>

// The picture an image box shows. It holds at most one bitmap and owns it.
class TPicture
{
public:
    TPicture() = default;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    // The picture's bitmap, created empty when the picture holds none yet.
    TBitmap* Bitmap();

    // The bitmap if there is one, else null; never creates one.
    const TBitmap* Graphic() const { return bitmap.get(); }

    // Called when a bitmap is created and after every change of it.
    std::function<void()> OnChange;

private:
    void Changed();

    std::unique_ptr<TBitmap> bitmap;
};
