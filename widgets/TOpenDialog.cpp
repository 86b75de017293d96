#include "TOpenDialog.h"

#include <QChar>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include <utility>

namespace {

TOpenDialog::Chooser& current_chooser()
{
    static TOpenDialog::Chooser chooser;
    return chooser;
}

QString starting_folder(const TOpenDialog& dialog)
{
    if (!dialog.FileName().empty()) {
        return QFileInfo(QString::fromStdString(dialog.FileName())).absolutePath();
    }
    if (!dialog.InitialDir().isEmpty()) {
        return dialog.InitialDir();
    }
    return QDir::currentPath();
}

QString name_filter(const QString& description, const QString& patterns)
{
    QStringList wildcards;
    for (const QString& pattern : patterns.split(';', Qt::SkipEmptyParts)) {
        wildcards << case_insensitive_pattern(pattern.trimmed());
    }
    return description + " (" + wildcards.join(' ') + ")";
}

} // namespace

QString case_insensitive_pattern(const QString& pattern)
{
    QString result;
    for (const QChar c : pattern) {
        if (c == '[') {
            // A bracket is an ordinary character in the filter's patterns.
            result += "[[]";
        } else if (c.toLower() != c.toUpper()) {
            result += QString("[") + c.toLower() + c.toUpper() + "]";
        } else {
            result += c;
        }
    }
    return result;
}

QStringList dialog_name_filters(const QString& filter)
{
    const QStringList parts = filter.split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        filters << name_filter(parts[i], parts[i + 1]);
    }
    return filters;
}

TOpenDialog::TOpenDialog(QWidget* parent) : TCommonDialog(parent) {}

bool TOpenDialog::Execute()
{
    const Chooser& chooser = current_chooser();
    const std::optional<std::string> chosen = chooser ? chooser(*this) : ModalFileDialog(*this);
    if (!chosen) {
        return false;
    }
    file_name = *chosen;
    return true;
}

TOpenDialog::Chooser TOpenDialog::SetChooser(Chooser chooser)
{
    return std::exchange(current_chooser(), std::move(chooser));
}

std::optional<std::string> TOpenDialog::ModalFileDialog(const TOpenDialog& dialog)
{
    QFileDialog box(dialog.window(), QString(), starting_folder(dialog));
    box.setFileMode(QFileDialog::ExistingFile);
    box.setNameFilters(dialog_name_filters(dialog.Filter()));
    // The list shows "Bitmapy", not the case-free wildcards behind it.
    box.setOption(QFileDialog::HideNameFilterDetails);
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return box.selectedFiles().constFirst().toStdString();
}
