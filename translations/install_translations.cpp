#include "install_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// Installs the translation `load` fills, owned by the application; false when it fails.
template <typename Load> bool install(QCoreApplication& application, Load load)
{
    auto* translator = new QTranslator(&application);
    if (!load(*translator)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace

QLocale interface_locale()
{
    const QStringList preferred = QLocale::system().uiLanguages();
    const bool polish =
        !preferred.isEmpty() && QLocale(preferred.first()).language() == QLocale::Polish;
    return polish ? QLocale(QLocale::Polish, QLocale::Poland)
                  : QLocale(QLocale::English, QLocale::UnitedStates);
}

bool load_qt_translation(QTranslator& translator, const QLocale& locale)
{
    return translator.load(locale, "qtbase", "_",
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

bool install_translations(QCoreApplication& application)
{
    const QLocale locale = interface_locale();
    install(application, [&](QTranslator& qt) { return load_qt_translation(qt, locale); });
    return install(application,
                   [&](QTranslator& ours) { return ours.load(locale, "widmo", "_", ":/i18n"); });
}

QString translate_without_application(const char* context, const char* source)
{
    QTranslator ours;
    if (ours.load(interface_locale(), "widmo", "_", ":/i18n")) {
        QString text = ours.translate(context, source);
        if (!text.isEmpty()) {
            return text;
        }
    }
    return QString::fromUtf8(source);
}
