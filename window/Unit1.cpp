#include "Unit1.h"

#include "ShowMessage.h"
#include "TApplication.h"
#include "busy_work.h"
#include "picture_input.h"
#include "quadrants.h"
#include "wait_cursor.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QScopeGuard>
#include <QSettings>
#include <QUrl>

#include <functional>
#include <utility>

TBitmap* SourceBitmap = nullptr;
std::unique_ptr<matrix> Spectrum;
int DisplayMode = 2;
TForm1* Form1 = nullptr;

namespace {

const QString open_folder_key = QStringLiteral("window/open_folder");

} // namespace

TForm1::TForm1(QWidget* parent) : TForm("TFORM1", parent)
{
    Wczytaj->OnClick = std::bind_front(&TForm1::WczytajClick, this);
    PoliczFFT->OnClick = std::bind_front(&TForm1::PoliczFFTClick, this);
    Zamknij->OnClick = std::bind_front(&TForm1::ZamknijClick, this);
    Image1->OnDblClick = std::bind_front(&TForm1::open_picture_viewer, this);
    Image2->OnDblClick = std::bind_front(&TForm1::open_spectrum_viewer, this);
    OpenDialog1->InitialDir(widmo_settings().value(open_folder_key).toString());
    setAcceptDrops(true);
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
    const QString file = QString::fromStdString(OpenDialog1->FileName());
    widmo_settings().setValue(open_folder_key, QFileInfo(file).absolutePath());
    // Loaded and reduced beside the picture shown, which it replaces only when both
    // steps have succeeded.
    TBitmap loaded;
    load_8bit_picture(loaded, OpenDialog1->FileName());
    take_picture(loaded, file);
}

void TForm1::open_picture_file(const QString& file)
{
    if (computing) {
        return;
    }
    TBitmap loaded;
    load_picture(loaded, file);
    take_picture(loaded, file);
}

void TForm1::open_picture_file_later(const QString& file)
{
    pending_file = file;
    QMetaObject::invokeMethod(this, "open_pending_file", Qt::QueuedConnection);
}

void TForm1::open_pending_file()
{
    Application->Guarded([this] { open_picture_file(std::exchange(pending_file, {})); });
}

void TForm1::take_picture(TBitmap& loaded, const QString& file)
{
    SourceBitmap = Image1->Picture()->Bitmap();
    SourceBitmap->Assign(&loaded);
    picture_file = file;
    if (picture_window) {
        picture_window->show_picture(SourceBitmap->Image(), picture_file);
    }
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
    // Fft2D lets the windows repaint while it transforms; nothing may start meanwhile.
    const widgets_disabled controls{Wczytaj, PoliczFFT, Zamknij, Image1, Image2};
    computing = true;
    const auto done = qScopeGuard([this] { computing = false; });
    if (spectrum_window) {
        spectrum_window->withdraw_spectrum();
    }
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
    spectrum_file = picture_file;
    spectrum_source.Assign(SourceBitmap);
    show_spectrum_in_viewer();
}

std::unique_ptr<matrix> TForm1::BitmapToMatrix(TBitmap* source)
{
    return bitmap_to_matrix(*source);
}

void TForm1::Fft2D(double* data, int width, int height, int direction)
{
    run_beside_events([&] { fourier_2d(data, width, height, direction); });
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

void TForm1::open_picture_viewer()
{
    if (SourceBitmap == nullptr || computing) {
        return;
    }
    if (!picture_window) {
        picture_window = new picture_viewer(this);
        picture_window->show_picture(SourceBitmap->Image(), picture_file);
    }
    picture_window->raise_to_front();
}

void TForm1::open_spectrum_viewer()
{
    if (!Spectrum || computing) {
        return;
    }
    if (!spectrum_window) {
        spectrum_window = new spectrum_viewer(this);
        show_spectrum_in_viewer();
    }
    spectrum_window->raise_to_front();
}

void TForm1::show_spectrum_in_viewer()
{
    if (spectrum_window && Spectrum) {
        spectrum_window->show_spectrum(*Spectrum, spectrum_source, spectrum_file);
    }
}

void TForm1::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!computing && urls.size() == 1 && urls.front().isLocalFile()) {
        event->acceptProposedAction();
    }
}

void TForm1::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty()) {
        return;
    }
    const QString file = urls.front().toLocalFile();
    event->acceptProposedAction();
    Application->Guarded([this, file] { open_picture_file(file); });
}
