#pragma once

#include "matrix.h"

#include <QImage>
#include <QMainWindow>
#include <QString>

class QAction;
class QCloseEvent;
class QLabel;
class QSettings;
class picture_view;

// A window beside the form that shows one picture whole and lets it be zoomed, panned
// and saved (Ctrl+S) as BMP, PNG or PGM, and, where the window has a spectrum, the
// spectrum as a NumPy file. Its size and place are kept across runs under its role.
class viewer_window : public QMainWindow
{
    Q_OBJECT

public:
    // `role` names the window among the kept settings ("picture", "spectrum").
    viewer_window(const QString& role, QWidget* parent);
    ~viewer_window() override;

    // Brings the window up in front of the others.
    void raise_to_front();

    // The picture shown, as it is saved.
    const QImage& shown_picture() const;

    // Writes the file `name` as Ctrl+S does once its dialog is answered: the shown picture
    // in the format its extension names, or the spectrum for ".npy", atomically. Raises
    // std::exception with the reason when it cannot, an existing file then left as it was.
    void save_to(const QString& name) const;

    // What the status bar says of the picture pixel `pixel`: its place and grey level, or,
    // in the spectrum's viewer, its frequency and value. Empty outside the picture.
    virtual QString readout(QPoint pixel) const;

protected:
    picture_view* view() const { return shown; }
    // The picture file the shown picture comes from, which saving never replaces.
    void source_file(const QString& name) { source = name; }
    void saving_allowed(bool allowed);
    void say(const QString& text);

    // The spectrum a NumPy file holds; none (the default) offers no such file.
    virtual const matrix* saved_spectrum() const { return nullptr; }

    void closeEvent(QCloseEvent* event) override;

private:
    void add_actions();
    void save();
    QString chosen_file_name();
    void show_zoom();
    void keep_geometry() const;

    QString role;
    QString source;
    picture_view* shown;
    QAction* save_action = nullptr;
    QLabel* zoom_label;
    QLabel* readout_label;
};

// The program's kept settings (the viewers' places, the folders last used).
QSettings& widmo_settings();
