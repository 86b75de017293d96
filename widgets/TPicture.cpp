#include "TPicture.h"

TBitmap* TPicture::Bitmap()
{
    if (!bitmap) {
        bitmap = std::make_unique<TBitmap>();
        bitmap->OnChange = [this] { Changed(); };
        Changed();
    }
    return bitmap.get();
}

void TPicture::Changed()
{
    if (OnChange) {
        OnChange();
    }
}
