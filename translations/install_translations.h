#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;
class QTranslator;

// The language the programs speak: Polish when the first language the system prefers for
// messages is Polish (LANGUAGE's first, else LC_ALL, LC_MESSAGES, LANG, as Qt reads
// them), English otherwise.
QLocale interface_locale();

// Loads Qt's own texts (buttons, dialogs, command-line errors) for `locale` into
// `translator`; false when Debian's translations for it are not installed.
bool load_qt_translation(QTranslator& translator, const QLocale& locale);

// Puts our texts, and Qt's own where they are installed, in the interface language in
// front of every tr() and QCoreApplication::translate() call; the translators belong to
// `application`. Returns false when our translation could not be loaded: the English
// source texts then stay.
bool install_translations(QCoreApplication& application);

// Our translation of `source` under `context` in the interface language, for the texts a
// program needs before Qt's application object exists (QCoreApplication::translate needs
// one); the source text itself when there is none. Name the text with QT_TRANSLATE_NOOP so
// that it is brought into the .ts files.
QString translate_without_application(const char* context, const char* source);
