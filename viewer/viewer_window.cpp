#include "viewer_window.h"

#include "npy.h"
#include "paths.h"
#include "picture_output.h"
#include "picture_view.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QSaveFile>
#include <QSettings>
#include <QStatusBar>

#include <cmath>
#include <optional>
#include <stdexcept>

namespace {

const QString npy_extension = QStringLiteral("npy");

QString geometry_key(const QString& role)
{
    return QStringLiteral("viewer/%1/geometry").arg(role);
}

const QString save_folder_key = QStringLiteral("viewer/save_folder");

[[noreturn]] void cannot_write(const QString& name, const QString& reason)
{
    throw std::runtime_error(QCoreApplication::translate("viewer", "Cannot write %1: %2")
                                 .arg(name, reason)
                                 .toStdString());
}

} // namespace

QSettings& widmo_settings()
{
    static QSettings settings(QStringLiteral("widmo"), QStringLiteral("widmo"));
    return settings;
}

viewer_window::viewer_window(const QString& role_, QWidget* parent)
    : QMainWindow(parent, Qt::Window), role(role_), shown(new picture_view(this)),
      zoom_label(new QLabel(this)), readout_label(new QLabel(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setCentralWidget(shown);
    statusBar()->addWidget(readout_label, 1);
    statusBar()->addPermanentWidget(zoom_label);
    add_actions();
    connect(shown, &picture_view::view_changed, this, &viewer_window::show_zoom);
    connect(shown, &picture_view::pointed_at, this,
            [this](QPoint pixel) { readout_label->setText(readout(pixel)); });
    if (!restoreGeometry(widmo_settings().value(geometry_key(role)).toByteArray())) {
        resize(800, 600);
    }
}

viewer_window::~viewer_window()
{
    keep_geometry();
}

void viewer_window::add_actions()
{
    QMenu* file = menuBar()->addMenu(QCoreApplication::translate("viewer", "&File"));
    save_action = file->addAction(QCoreApplication::translate("viewer", "&Save..."),
                                  QKeySequence::Save, this, &viewer_window::save);
    file->addAction(QCoreApplication::translate("viewer", "&Close"), QKeySequence::Close, this,
                    &QWidget::close);
    QMenu* view_actions = menuBar()->addMenu(QCoreApplication::translate("viewer", "&View"));
    QAction* zoom_in = view_actions->addAction(QCoreApplication::translate("viewer", "Zoom &in"),
                                               shown, &picture_view::zoom_in);
    zoom_in->setShortcuts(
        {QKeySequence(Qt::Key_Plus), QKeySequence(Qt::Key_Equal), QKeySequence::ZoomIn});
    QAction* zoom_out = view_actions->addAction(QCoreApplication::translate("viewer", "Zoom &out"),
                                                shown, &picture_view::zoom_out);
    zoom_out->setShortcuts({QKeySequence(Qt::Key_Minus), QKeySequence::ZoomOut});
    view_actions->addAction(QCoreApplication::translate("viewer", "&Actual size"),
                            QKeySequence(Qt::Key_1), shown, &picture_view::actual_size);
    view_actions->addAction(QCoreApplication::translate("viewer", "&Fit to window"),
                            QKeySequence(Qt::Key_0), shown, &picture_view::fit);
}

void viewer_window::raise_to_front()
{
    show();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

const QImage& viewer_window::shown_picture() const
{
    return shown->picture();
}

void viewer_window::saving_allowed(bool allowed)
{
    save_action->setEnabled(allowed);
}

void viewer_window::say(const QString& text)
{
    if (text.isEmpty()) {
        statusBar()->clearMessage();
    } else {
        statusBar()->showMessage(text);
    }
}

QString viewer_window::readout(QPoint pixel) const
{
    const QImage& picture = shown_picture();
    if (!picture.valid(pixel)) {
        return {};
    }
    return QCoreApplication::translate("viewer", "x %1, y %2: grey level %3")
        .arg(pixel.x())
        .arg(pixel.y())
        .arg(qGray(picture.pixel(pixel)));
}

void viewer_window::show_zoom()
{
    zoom_label->setText(QCoreApplication::translate("viewer", "Zoom %1%")
                            .arg(std::round(shown->zoom() * 1000) / 10));
}

void viewer_window::closeEvent(QCloseEvent* event)
{
    keep_geometry();
    QMainWindow::closeEvent(event);
}

void viewer_window::keep_geometry() const
{
    widmo_settings().setValue(geometry_key(role), saveGeometry());
}

void viewer_window::save()
{
    const QString name = chosen_file_name();
    if (name.isEmpty()) {
        return;
    }
    try {
        save_to(name);
        widmo_settings().setValue(save_folder_key, QFileInfo(name).absolutePath());
        say(QCoreApplication::translate("viewer", "Saved %1").arg(QFileInfo(name).fileName()));
    } catch (const std::exception& error) {
        QMessageBox::warning(this, windowTitle(), QString::fromStdString(error.what()));
    }
}

// The name the user chose, with the extension of the chosen kind added when it has none;
// empty when the dialog was cancelled.
QString viewer_window::chosen_file_name()
{
    QStringList filters = {QCoreApplication::translate("viewer", "PNG picture (*.png)"),
                           QCoreApplication::translate("viewer", "BMP picture (*.bmp)"),
                           QCoreApplication::translate("viewer", "PGM picture (*.pgm)")};
    if (saved_spectrum() != nullptr) {
        filters << QCoreApplication::translate("viewer", "Spectrum as NumPy array (*.npy)");
    }
    QString filter = filters.front();
    const QString folder = widmo_settings().value(save_folder_key).toString();
    QString name =
        QFileDialog::getSaveFileName(this, QCoreApplication::translate("viewer", "Save"), folder,
                                     filters.join(QStringLiteral(";;")), &filter);
    if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty()) {
        const qsizetype dot = filter.lastIndexOf(QLatin1Char('.'));
        name += filter.mid(dot, filter.size() - dot - 1);
    }
    return name;
}

void viewer_window::save_to(const QString& name) const
{
    const bool npy = QFileInfo(name).suffix().compare(npy_extension, Qt::CaseInsensitive) == 0;
    const std::optional<picture_format> format = format_of_file_name(name);
    if (!format && !(npy && saved_spectrum() != nullptr)) {
        const QString text =
            saved_spectrum() != nullptr
                ? QCoreApplication::translate("viewer",
                                              "%1: the name must end in .png, .bmp, .pgm or .npy")
                : QCoreApplication::translate("viewer",
                                              "%1: the name must end in .png, .bmp or .pgm");
        throw std::runtime_error(text.arg(name).toStdString());
    }
    refuse_clashing_files(source, {name, {}});
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly)) {
        cannot_write(name, file.errorString());
    }
    const bool written =
        npy ? write_npy(file, *saved_spectrum())
            : write_grey_picture(file, shown_picture().convertToFormat(QImage::Format_Grayscale8),
                                 *format);
    if (!written || !file.commit()) {
        cannot_write(name, file.errorString());
    }
}
