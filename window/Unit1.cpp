#include "Unit1.h"

#include "ShowMessage.h"
#include "quadrants.h"
#include "wait_cursor.h"

#include <functional>

TBitmap* SourceBitmap = nullptr;
std::unique_ptr<matrix> Spectrum;
int DisplayMode = 2;
TForm1* Form1 = nullptr;

TForm1::TForm1(QWidget* parent) : TForm("TFORM1", parent)
{
    Wczytaj->OnClick = std::bind_front(&TForm1::WczytajClick, this);
    PoliczFFT->OnClick = std::bind_front(&TForm1::PoliczFFTClick, this);
    Zamknij->OnClick = std::bind_front(&TForm1::ZamknijClick, this);
}

TForm1::~TForm1()
{
    // The picture goes with the window; the commands must not reach it afterwards.
    if (SourceBitmap == Image1->Picture()->Graphic()) {
        SourceBitmap = nullptr;
    }
}

void TForm1::WczytajClick()
{
    if (!OpenDialog1->Execute()) {
        return;
    }
    // Loaded and reduced beside the picture shown, which it replaces only when both
    // steps have succeeded.
    TBitmap loaded;
    load_8bit_picture(loaded, OpenDialog1->FileName());
    SourceBitmap = Image1->Picture()->Bitmap();
    SourceBitmap->Assign(&loaded);
}

void TForm1::ZamknijClick()
{
    Close();
}

void TForm1::PoliczFFTClick()
{
    if (SourceBitmap == nullptr) {
        ShowMessage("Nie pracuje");
        return;
    }
    wait_cursor busy;
    const int direction = 1;
    // The old spectrum goes first, so two never live at once.
    Spectrum.reset();
    Spectrum = BitmapToMatrix(SourceBitmap);
    Fft2D(Spectrum->get_data(), Spectrum->get_cols() / 2, Spectrum->get_rows(), direction);
    SwapQuadrants(Spectrum.get());
    TBitmap* target = Image2->Picture()->Bitmap();
    // The old picture goes before the new one is painted, as the old matrix went: a
    // target that still held its pixels would be resized through a picture of its old
    // width and the new height, which the memory count does not hold.
    target->Width(0);
    try {
        MatrixToBitmap(target, DisplayMode, 0.001, Spectrum.get());
    } catch (...) {
        ShowMessage("Nie pracuje");
    }
}

std::unique_ptr<matrix> TForm1::BitmapToMatrix(TBitmap* source)
{
    return bitmap_to_matrix(*source);
}

void TForm1::Fft2D(double* data, int width, int height, int direction)
{
    fourier_2d(data, width, height, direction);
}

void TForm1::SwapQuadrants(matrix* m)
{
    if (m != nullptr) {
        swap_quadrants(*m);
    }
}

HPALETTE TForm1::GrayPalette()
{
    return grey_palette();
}

void TForm1::MatrixToBitmap(TBitmap* target, int mode, double scale, matrix* source)
{
    if (source != nullptr && target != nullptr) {
        matrix_to_bitmap(*target, mode, scale, *source);
    }
}
