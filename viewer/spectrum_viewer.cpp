#include "spectrum_viewer.h"

#include "picture_view.h"
#include "sampling_names.h"
#include "spectrum_stages.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleValidator>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QToolBar>

#include <cmath>
#include <cstdint>
#include <exception>
#include <numbers>
#include <utility>

namespace {

// The window's PoliczFFT samples so.
bool window_sampling(const sampling_choice& sampling)
{
    return sampling == sampling_choice{};
}

template <typename Value, std::size_t count>
QComboBox* named_values_box(const value_names<Value, count>& names, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    for (const auto& entry : names) {
        box->addItem(QLatin1String(entry.name), QVariant::fromValue(static_cast<int>(entry.value)));
    }
    return box;
}

// Every display of display_table, each with its formula as its tool tip; the window's
// own display chosen.
QComboBox* display_list(QWidget* parent)
{
    auto* box = new QComboBox(parent);
    for (const display_entry& entry : display_table) {
        box->addItem(QLatin1String(entry.name), static_cast<int>(entry.shown));
        box->setItemData(box->count() - 1,
                         QCoreApplication::translate("display", entry.description),
                         Qt::ToolTipRole);
    }
    box->setCurrentIndex(static_cast<int>(display_setting{}.shown));
    return box;
}

// The scale, a number as widmo-cli's --scale takes it, the window's own to begin with.
QLineEdit* scale_field(QWidget* parent)
{
    auto* field = new QLineEdit(QString::number(display_setting{}.scale), parent);
    auto* validator = new QDoubleValidator(field);
    validator->setLocale(QLocale::c());
    validator->setNotation(QDoubleValidator::ScientificNotation);
    field->setValidator(validator);
    field->setMaximumWidth(120);
    return field;
}

// Adds `widget`, named `name`, after a label whose mnemonic takes the keyboard to it.
void add_labelled(QToolBar* bar, const QString& text, QWidget* widget, const char* name)
{
    auto* label = new QLabel(text, bar);
    label->setBuddy(widget);
    label->setContentsMargins(8, 0, 4, 0);
    widget->setObjectName(QLatin1String(name));
    bar->addWidget(label);
    bar->addWidget(widget);
}

} // namespace

// What a computation hands back to the window's thread.
struct spectrum_viewer::computed_spectrum
{
    std::unique_ptr<matrix> spectrum;
    sampling_choice sampling;
    std::uint64_t generation = 0;
    QString failure;
};

// The worker's result, carried to the window's thread by its event queue.
class spectrum_viewer::spectrum_computed : public QEvent
{
public:
    static inline const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());

    explicit spectrum_computed(std::shared_ptr<computed_spectrum> computed_result)
        : QEvent(type), result(std::move(computed_result))
    {
    }

    std::shared_ptr<computed_spectrum> result;
};

spectrum_viewer::spectrum_viewer(QWidget* parent)
    : viewer_window(QStringLiteral("spectrum"), parent)
{
    add_choices();
}

spectrum_viewer::~spectrum_viewer()
{
    if (worker.joinable()) {
        worker.join();
    }
}

void spectrum_viewer::add_choices()
{
    QToolBar* bar = addToolBar(QCoreApplication::translate("viewer", "Display"));
    bar->setObjectName(QStringLiteral("choices"));
    display_box = display_list(bar);
    scale_edit = scale_field(bar);
    window_box = named_values_box(window_names, bar);
    padding_box = named_values_box(padding_names, bar);
    add_labelled(bar, QCoreApplication::translate("viewer", "&Display:"), display_box, "display");
    add_labelled(bar, QCoreApplication::translate("viewer", "S&cale:"), scale_edit, "scale");
    add_labelled(bar, QCoreApplication::translate("viewer", "&Window:"), window_box, "window");
    add_labelled(bar, QCoreApplication::translate("viewer", "&Padding:"), padding_box, "padding");
    const auto changed = [this] { refresh(); };
    connect(display_box, &QComboBox::currentIndexChanged, this, changed);
    connect(scale_edit, &QLineEdit::editingFinished, this, changed);
    connect(window_box, &QComboBox::currentIndexChanged, this, changed);
    connect(padding_box, &QComboBox::currentIndexChanged, this, changed);
}

display_setting spectrum_viewer::chosen_display() const
{
    display_setting setting;
    setting.shown = static_cast<spectrum_display>(display_box->currentData().toInt());
    bool number = false;
    const double scale = scale_edit->text().toDouble(&number);
    if (number && std::isfinite(scale)) {
        setting.scale = scale;
    }
    return setting;
}

sampling_choice spectrum_viewer::chosen_sampling() const
{
    return {static_cast<sample_window>(window_box->currentData().toInt()),
            static_cast<sample_padding>(padding_box->currentData().toInt())};
}

void spectrum_viewer::show_spectrum(const matrix& spectrum, const TBitmap& source_,
                                    const QString& file_)
{
    ++generation;
    window_spectrum = &spectrum;
    own_spectrum.reset();
    source.Assign(&source_);
    file = file_;
    source_file(file);
    refresh();
}

void spectrum_viewer::withdraw_spectrum()
{
    ++generation;
    window_spectrum = nullptr;
    own_spectrum.reset();
    refresh();
}

const matrix* spectrum_viewer::spectrum_of_choice() const
{
    if (window_sampling(chosen_sampling())) {
        return window_spectrum;
    }
    if (own_spectrum && own_sampling == chosen_sampling()) {
        return own_spectrum.get();
    }
    return nullptr;
}

const matrix* spectrum_viewer::saved_spectrum() const
{
    return spectrum_of_choice();
}

void spectrum_viewer::refresh()
{
    scale_edit->setEnabled(entry_of(chosen_display().shown).scaled);
    show_title();
    const matrix* spectrum = spectrum_of_choice();
    saving_allowed(spectrum != nullptr);
    if (spectrum != nullptr) {
        view()->show_picture(spectrum_picture(*spectrum, chosen_display()));
        say({});
        return;
    }
    if (window_spectrum == nullptr) {
        say(QCoreApplication::translate("viewer", "The window is computing a new spectrum"));
        return;
    }
    if (!computing()) {
        start_computing(chosen_sampling());
    }
}

// Samples the picture here, where its bitmap lives, and transforms on the worker; the
// result comes back through the window's event queue.
void spectrum_viewer::start_computing(const sampling_choice& sampling)
{
    own_spectrum.reset();
    auto result = std::make_shared<computed_spectrum>();
    result->sampling = sampling;
    result->generation = generation;
    result->spectrum = bitmap_to_matrix(source);
    say(QCoreApplication::translate("viewer", "Computing the spectrum..."));
    worker = std::thread([this, result, width = source.Width(), height = source.Height()] {
        try {
            centre_spectrum(*result->spectrum, width, height, result->sampling);
        } catch (const std::exception& error) {
            result->spectrum.reset();
            result->failure = QString::fromStdString(error.what());
        } catch (...) {
            result->spectrum.reset();
            result->failure =
                QCoreApplication::translate("viewer", "The spectrum could not be computed");
        }
        QCoreApplication::postEvent(this, new spectrum_computed(result));
    });
}

void spectrum_viewer::customEvent(QEvent* event)
{
    if (event->type() == spectrum_computed::type) {
        computed(static_cast<spectrum_computed*>(event)->result);
    }
}

void spectrum_viewer::closeEvent(QCloseEvent* event)
{
    viewer_window::closeEvent(event);
    if (event->isAccepted() && computing()) {
        setAttribute(Qt::WA_DeleteOnClose, false);
        closed_while_computing = true;
    }
}

void spectrum_viewer::showEvent(QShowEvent* event)
{
    viewer_window::showEvent(event);
    setAttribute(Qt::WA_DeleteOnClose, true);
    closed_while_computing = false;
}

void spectrum_viewer::computed(const std::shared_ptr<computed_spectrum>& result)
{
    worker.join();
    if (closed_while_computing) {
        deleteLater();
        return;
    }
    if (!result->failure.isEmpty()) {
        // Back to the window's own sampling, which needs no computation: both boxes at once,
        // so that the one between (say no window, but the mean padding) is not computed.
        {
            const QSignalBlocker window_kept(window_box);
            const QSignalBlocker padding_kept(padding_box);
            window_box->setCurrentIndex(0);
            padding_box->setCurrentIndex(0);
        }
        refresh();
        QMessageBox::warning(this, windowTitle(), result->failure);
        return;
    }
    if (result->generation == generation) {
        own_spectrum = std::move(result->spectrum);
        own_sampling = result->sampling;
    }
    refresh();
}

void spectrum_viewer::show_title()
{
    const display_setting display = chosen_display();
    const sampling_choice sampling = chosen_sampling();
    QString what = QLatin1String(display_name(display.shown).data());
    if (entry_of(display.shown).scaled) {
        what = QCoreApplication::translate("viewer", "%1, scale %2").arg(what).arg(display.scale);
    }
    setWindowTitle(QCoreApplication::translate("viewer", "%1 - spectrum: %2, window %3, padding %4")
                       .arg(QFileInfo(file).fileName(), what,
                            name_of(window_names, sampling.window),
                            name_of(padding_names, sampling.padding)));
}

QString spectrum_viewer::readout(QPoint pixel) const
{
    const matrix* spectrum = spectrum_of_choice();
    if (spectrum == nullptr) {
        return {};
    }
    const int width = spectrum->get_cols() / 2;
    const int height = spectrum->get_rows();
    if (!QRect(0, 0, width, height).contains(pixel)) {
        return {};
    }
    const double* element =
        spectrum->get_data() +
        (static_cast<std::int64_t>(pixel.y()) * spectrum->get_cols() + 2 * pixel.x());
    const int u = pixel.x() - width / 2;
    const int v = pixel.y() - height / 2;
    // Cycles per pixel across and down; the stripes run across the wave, and their angle
    // is counted anticlockwise from the x axis on the screen, whose y axis points down.
    const double across = static_cast<double>(u) / width;
    const double down = static_cast<double>(v) / height;
    const double frequency = std::hypot(across, down);
    const double degrees = 180.0 / std::numbers::pi;
    const double stripes = std::fmod(std::atan2(across, down) * degrees + 180.0, 180.0);
    const QString period =
        frequency > 0 ? QCoreApplication::translate("viewer", "period %1 px, stripes at %2°")
                            .arg(1.0 / frequency, 0, 'f', 2)
                            .arg(stripes, 0, 'f', 1)
                      : QCoreApplication::translate("viewer", "the mean (zero frequency)");
    return QCoreApplication::translate("viewer", "u %1, v %2: %3; |X| %4, phase %5°")
        .arg(u)
        .arg(v)
        .arg(period)
        .arg(std::hypot(element[0], element[1]), 0, 'g', 6)
        .arg(std::atan2(element[1], element[0]) * degrees, 0, 'f', 1);
}
