#pragma once

#include "TCommonDialog.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <string>

// The file-open dialog. Filter lists "description|pattern" pairs separated by '|', a
// pattern being one or more wildcards separated by ';' ("Bitmapy|*.BMP").
class TOpenDialog : public TCommonDialog
{
    Q_OBJECT
    Q_PROPERTY(QString Filter READ Filter WRITE Filter)

public:
    // Asks the user for a file: its name, or nothing when the user cancels.
    using Chooser = std::function<std::optional<std::string>(const TOpenDialog& dialog)>;

    explicit TOpenDialog(QWidget* parent = nullptr);

    // Runs the chooser; true, with FileName set, when the user confirmed a file.
    bool Execute();

    const std::string& FileName() const { return file_name; }
    void FileName(const std::string& name) { file_name = name; }

    const QString& Filter() const { return filter; }
    void Filter(const QString& new_filter) { filter = new_filter; }

    // The folder the dialog starts in while FileName is empty (the working folder when
    // this is empty too).
    const QString& InitialDir() const { return initial_dir; }
    void InitialDir(const QString& folder) { initial_dir = folder; }

    // Installs `chooser` for every open dialog (an empty one restores the modal file
    // dialog) and returns the one it replaces. Tests answer the dialog this way.
    static Chooser SetChooser(Chooser chooser);

    // The modal file dialog, showing Filter's descriptions.
    static std::optional<std::string> ModalFileDialog(const TOpenDialog& dialog);

private:
    std::string file_name;
    QString filter;
    QString initial_dir;
};

// Qt's name filters for a "description|pattern" filter, each pattern made to match
// letters of either case: "*.BMP" finds "photo.bmp" too.
QStringList dialog_name_filters(const QString& filter);

// A wildcard that matches what `pattern` matches, ignoring letter case ("*.[bB][mM][pP]").
QString case_insensitive_pattern(const QString& pattern);
