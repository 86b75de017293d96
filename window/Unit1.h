#pragma once

#include "TBitmap.h"
#include "TButton.h"
#include "TForm.h"
#include "TImage.h"
#include "TLabel.h"
#include "TOpenDialog.h"
#include "TSaveDialog.h"
#include "matrix.h"
#include "picture_viewer.h"
#include "spectrum_stages.h"
#include "spectrum_viewer.h"

#include <QPointer>
#include <QString>

#include <memory>
#include <string>

class QDragEnterEvent;
class QDropEvent;

// The main window: the chosen picture in Image1, its centred amplitude spectrum in
// Image2, and the three commands. PoliczFFT runs the window's own stages one after
// another; they use no window state, so they are static, and each hands its work to the
// pipeline library (spectrum_stages.h).
class TForm1 : public TForm
{
    Q_OBJECT

public:
    // Builds the window from the form description TFORM1 in the program's resources
    // and binds the components to the members below by their names.
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    TImage* const Image1 = FindComponent<TImage>("Image1");
    TImage* const Image2 = FindComponent<TImage>("Image2");
    TOpenDialog* const OpenDialog1 = FindComponent<TOpenDialog>("OpenDialog1");
    TSaveDialog* const SaveDialog1 = FindComponent<TSaveDialog>("SaveDialog1");
    TButton* const Wczytaj = FindComponent<TButton>("Wczytaj");
    TButton* const PoliczFFT = FindComponent<TButton>("PoliczFFT");
    TButton* const Zamknij = FindComponent<TButton>("Zamknij");
    TLabel* const Label1 = FindComponent<TLabel>("Label1");

    // Asks for a BMP file, loads it into Image1 and reduces it to one byte per pixel.
    // A cancelled dialog changes nothing; a file that cannot be loaded and reduced
    // raises and leaves the picture and SourceBitmap as they were.
    void WczytajClick();
    // Ends the program by closing the main window.
    void ZamknijClick();
    // Shows the spectrum of Image1's picture in Image2, under the wait cursor: samples it
    // into a new Spectrum (BitmapToMatrix), transforms it (Fft2D), centres it
    // (SwapQuadrants) and paints it into Image2's bitmap (MatrixToBitmap, in DisplayMode
    // with the scale 0.001), saying "Nie pracuje" when the painting raises. Before any
    // picture was chosen it only says "Nie pracuje".
    void PoliczFFTClick();

    // Loads the picture `file` as a confirmed Wczytaj loads the file chosen, in any format
    // widmo-cli reads: the program's argument and a file dropped on the window come here.
    void open_picture_file(const QString& file);
    // The same once the event loop runs, a failure reported as a handler's is: for the
    // program's argument, given before the loop starts.
    void open_picture_file_later(const QString& file);

    // The viewers a double-click on Image1 and Image2 opens, or null while none is open.
    picture_viewer* image1_viewer() const { return picture_window; }
    spectrum_viewer* image2_viewer() const { return spectrum_window; }

    // The stages, each one call into the pipeline (see spectrum_stages.h): BitmapToMatrix
    // is bitmap_to_matrix, Fft2D fourier_2d, GrayPalette grey_palette. SwapQuadrants and
    // MatrixToBitmap do nothing when given null, and otherwise swap_quadrants and
    // matrix_to_bitmap.
    static std::unique_ptr<matrix> BitmapToMatrix(TBitmap* source);
    static void Fft2D(double* data, int width, int height, int direction);
    static void SwapQuadrants(matrix* m);
    static HPALETTE GrayPalette();
    static void MatrixToBitmap(TBitmap* target, int mode, double scale, matrix* source);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Puts a loaded picture into Image1 as SourceBitmap, read from `file`.
    void take_picture(TBitmap& loaded, const QString& file);
    void open_picture_viewer();
    void open_spectrum_viewer();
    void show_spectrum_in_viewer();
    Q_INVOKABLE void open_pending_file();

    QString pending_file;    // the file open_picture_file_later is to open
    QString picture_file;    // where SourceBitmap was read from
    QString spectrum_file;   // where the picture of Spectrum was read from
    TBitmap spectrum_source; // the picture of Spectrum, its pixels shared
    bool computing = false;  // while PoliczFFT runs
    QPointer<picture_viewer> picture_window;
    QPointer<spectrum_viewer> spectrum_window;
};

// State the commands share for the whole run.
extern TBitmap* SourceBitmap;            // Image1's bitmap once a file was chosen
extern std::unique_ptr<matrix> Spectrum; // the matrix of the latest PoliczFFT
extern int DisplayMode;                  // how MatrixToBitmap paints: 2, the amplitude
extern TForm1* Form1;                    // the main window, made by Application->CreateForm
