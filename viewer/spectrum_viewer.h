#pragma once

#include "TBitmap.h"
#include "display_choice.h"
#include "matrix.h"
#include "sample_options.h"
#include "viewer_window.h"

#include <cstdint>
#include <memory>
#include <string>
#include <thread>

class QCloseEvent;
class QComboBox;
class QShowEvent;
class QLineEdit;

// The viewer of a picture's spectrum, in every display widmo-cli paints, with the scale
// where the display takes one, and with the sampling options. It opens on the window's
// own display (amplitude, scale 0.001). A display is painted from the spectrum kept,
// without a new transform; the window's own spectrum serves when no sampling option is
// chosen, and any other is computed here on a thread of its own while the window goes on.
class spectrum_viewer : public viewer_window
{
    Q_OBJECT

public:
    explicit spectrum_viewer(QWidget* parent);
    ~spectrum_viewer() override;

    // Shows `spectrum`, the window's centred spectrum of the picture `source` read from
    // `file`, made without sampling options. The spectrum must stay as it is until
    // withdraw_spectrum; the picture's pixels are shared, not copied.
    void show_spectrum(const matrix& spectrum, const TBitmap& source, const QString& file);
    // The window's spectrum is about to change or go: the viewer keeps the picture it
    // shows and reads the spectrum no more until the next show_spectrum.
    void withdraw_spectrum();

    // Whether a spectrum is being computed for the chosen sampling options.
    bool computing() const { return worker.joinable(); }

    // The element's frequency (u, v) from the centre, in cycles per padded width and
    // height, the period in pixels and the direction of the stripes it stands for, |X|
    // and the phase.
    QString readout(QPoint pixel) const override;

protected:
    const matrix* saved_spectrum() const override;
    // A viewer closed while it computes is hidden at once and goes when the computation
    // ends, so closing never waits for it; shown again meanwhile, it stays.
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // The worker's result, posted to this window's thread.
    void customEvent(QEvent* event) override;

private:
    struct computed_spectrum;
    class spectrum_computed;

    void add_choices();
    display_setting chosen_display() const;
    sampling_choice chosen_sampling() const;
    // Shows the chosen display of the spectrum of the chosen sampling options, starting
    // its computation when it is not at hand.
    void refresh();
    const matrix* spectrum_of_choice() const;
    void start_computing(const sampling_choice& sampling);
    void computed(const std::shared_ptr<computed_spectrum>& result);
    void show_title();

    const matrix* window_spectrum = nullptr;
    TBitmap source;
    QString file;
    // The spectrum of other sampling options than the window's, and those options.
    std::unique_ptr<matrix> own_spectrum;
    sampling_choice own_sampling;
    // Counts the window's spectra, so that a computation for an older one is dropped.
    std::uint64_t generation = 0;
    std::thread worker;
    bool closed_while_computing = false;

    QComboBox* display_box = nullptr;
    QLineEdit* scale_edit = nullptr;
    QComboBox* window_box = nullptr;
    QComboBox* padding_box = nullptr;
};
