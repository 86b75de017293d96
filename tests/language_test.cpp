#include "ShowMessage.h"
#include "TOpenDialog.h"
#include "Unit1.h"
#include "install_translations.h"
#include "message_box.h"

#include "bmp_builder.h"
#include "bmp_writer.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

// The locale variables Qt reads, in the order it prefers them.
struct LocaleVariables
{
    const char* language = nullptr;
    const char* all = nullptr;
    const char* messages = nullptr;
    const char* lang = nullptr;
};

constexpr LocaleVariables polish{nullptr, nullptr, nullptr, "pl_PL.UTF-8"};
constexpr LocaleVariables english{nullptr, nullptr, nullptr, "en_US.UTF-8"};

QProcessEnvironment environment_with(const LocaleVariables& locale)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const std::pair<const char*, const char*> variables[] = {{"LANGUAGE", locale.language},
                                                             {"LC_ALL", locale.all},
                                                             {"LC_MESSAGES", locale.messages},
                                                             {"LANG", locale.lang}};
    for (const auto& [name, value] : variables) {
        if (value != nullptr) {
            environment.insert(name, value);
        } else {
            environment.remove(name);
        }
    }
    return environment;
}

// What widmo-cli wrote on standard error, run with the given locale variables.
std::string cli_errors(const LocaleVariables& locale, const QStringList& arguments)
{
    QProcess process;
    process.setProcessEnvironment(environment_with(locale));
    process.start(QStringLiteral(WIDMO_CLI), arguments);
    process.waitForFinished(60000);
    return process.readAllStandardError().toStdString();
}

QString q(const std::string& text)
{
    return QString::fromStdString(text);
}

// INPUT and an OUTPUT that is never written.
QStringList input_and_output(const std::string& input)
{
    return {q(input), q(temp_path("language-out.bmp"))};
}

std::string empty_file()
{
    const std::string path = temp_path("language-empty.bmp");
    write_file(path, {});
    return path;
}

// A 2-bit picture, which the codec refuses, and a 1-bit one with a table of three colours.
std::string two_bit_picture()
{
    RawBmp picture = grey_palette(1, 1);
    picture.bits = 2;
    picture.colours = {0, 0xffffff};
    picture.pixels = stored_rows(1, 1, 0);
    const std::string path = temp_path("language-2bit.bmp");
    write_file(path, picture.bytes());
    return path;
}

std::string long_table_picture()
{
    RawBmp picture = grey_palette(1, 1);
    picture.bits = 1;
    picture.colours = {0, 0x808080, 0xffffff};
    picture.pixels = stored_rows(1, 1, 0);
    const std::string path = temp_path("language-1bit.bmp");
    write_file(path, picture.bytes());
    return path;
}

// The refusal widmo-cli prints for `path`, in each language; the numbers of bits take the
// words their count asks for.
TEST(Language, WidmoCliRefusesAFileInTheSystemLanguage)
{
    const std::string empty = empty_file();
    const QStringList emptyRun = input_and_output(empty);
    EXPECT_EQ(cli_errors(polish, emptyRun),
              "widmo-cli: Nie można odczytać bitmapy „" + empty + "”: plik jest pusty\n");
    EXPECT_EQ(cli_errors(english, emptyRun),
              "widmo-cli: Cannot read the bitmap \"" + empty + "\": the file is empty\n");

    const QStringList twoBits = input_and_output(two_bit_picture());
    EXPECT_NE(cli_errors(polish, twoBits)
                  .find(": obrazy o 2 bitach na piksel bez kompresji nie są obsługiwane\n"),
              std::string::npos);
    EXPECT_NE(cli_errors(english, twoBits)
                  .find(": pictures of 2 bits per pixel without compression are not supported\n"),
              std::string::npos);

    const QStringList longTable = input_and_output(long_table_picture());
    EXPECT_NE(cli_errors(polish, longTable)
                  .find(": tabela kolorów ma za dużo pozycji: 3, a obrazy o 1 bicie na piksel "
                        "mogą użyć najwyżej 2\n"),
              std::string::npos);
    EXPECT_NE(cli_errors(english, longTable)
                  .find(": the colour table has 3 entries, more than the 2 that pictures of 1 "
                        "bit per pixel can use\n"),
              std::string::npos);
}

// LC_ALL beats LC_MESSAGES, which beats LANG; the first language of a LANGUAGE list beats
// them all; a language other than Polish gives English.
TEST(Language, FollowsTheVariablesInQtsOrder)
{
    const QStringList run = input_and_output(empty_file());
    const auto speaks_polish = [&](const LocaleVariables& locale) {
        return cli_errors(locale, run).find("plik jest pusty") != std::string::npos;
    };
    EXPECT_TRUE(speaks_polish({nullptr, nullptr, "pl_PL.UTF-8", "en_US.UTF-8"}));
    EXPECT_TRUE(speaks_polish({nullptr, "pl_PL.UTF-8", "en_US.UTF-8", "en_US.UTF-8"}));
    EXPECT_FALSE(speaks_polish({nullptr, "en_US.UTF-8", "pl_PL.UTF-8", "pl_PL.UTF-8"}));
    EXPECT_FALSE(speaks_polish({nullptr, nullptr, "de_DE.UTF-8", "pl_PL.UTF-8"}));
    EXPECT_FALSE(speaks_polish({nullptr, nullptr, nullptr, "de_DE.UTF-8"}));
    EXPECT_FALSE(speaks_polish({nullptr, nullptr, nullptr, nullptr}));
    EXPECT_TRUE(speaks_polish({"pl:en", "en_US.UTF-8", nullptr, "en_US.UTF-8"}));
    EXPECT_FALSE(speaks_polish({"en:pl", nullptr, nullptr, "pl_PL.UTF-8"}));
}

TEST(Language, WidmoCliHelpAndUsageErrorsInPolish)
{
    QProcess process;
    process.setProcessEnvironment(environment_with(polish));
    process.start(QStringLiteral(WIDMO_CLI), {"--help"});
    process.waitForFinished(60000);
    EXPECT_TRUE(process.readAllStandardOutput().startsWith("Użycie: widmo-cli [opcje]"));
    EXPECT_EQ(
        cli_errors(polish, {"--mode", "7", "a.bmp", "b.bmp"}),
        "widmo-cli: --mode przyjmuje re, im, amplitude, power, log, phase lub liczbę od 0 do 3, "
        "a nie '7' (zob. widmo-cli --help)\n");
    // Qt's own words for a command-line error come in the same language.
    EXPECT_EQ(cli_errors(polish, {"--colour", "a.bmp", "b.bmp"}).rfind("widmo-cli: Nieznana", 0),
              0u);
}

// Runs in a child process started with the locale variables set: the window shows the
// message box for a refused file; the child exits with 0 when its text is `expected` and
// the captions stay as the form fixes them.
[[noreturn]] void show_refusal_in_window(const std::string& path, const std::string& expected)
{
    TOpenDialog::SetChooser([path](const TOpenDialog&) { return std::optional(path); });
    set_message_sink(modal_message_box);
    TForm1 form;
    form.show();
    std::string shown;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text().toStdString();
            box->accept();
        }
    });
    QTest::mouseClick(form.Wczytaj, Qt::LeftButton);
    const bool fixedCaptions = form.windowTitle() == "Form1" && form.Wczytaj->text() == "Wczytaj";
    std::cerr << "shown: " << shown << '\n' << std::flush;
    // The child ends here, its window still up: nothing is torn down after the verdict.
    _exit(shown == expected && fixedCaptions ? 0 : 1);
}

// Sets the locale variables for the child processes of this process while it lives.
class LocaleForChildren
{
public:
    explicit LocaleForChildren(const char* lang)
    {
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE", "LANG"}) {
            if (const char* value = std::getenv(name)) {
                saved.emplace_back(name, value);
            }
            unsetenv(name);
        }
        setenv("LANG", lang, 1);
    }
    LocaleForChildren(const LocaleForChildren&) = delete;
    LocaleForChildren& operator=(const LocaleForChildren&) = delete;
    ~LocaleForChildren()
    {
        unsetenv("LANG");
        for (const auto& [name, value] : saved) {
            setenv(name.c_str(), value.c_str(), 1);
        }
    }

private:
    std::vector<std::pair<std::string, std::string>> saved;
};

TEST(Language, TheWindowRefusesAFileInTheSystemLanguage)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string empty = empty_file();
    {
        const LocaleForChildren locale("pl_PL.UTF-8");
        EXPECT_EXIT(show_refusal_in_window(empty, "Nie można odczytać bitmapy „" + empty +
                                                      "”: plik jest pusty"),
                    testing::ExitedWithCode(0), "");
    }
    {
        const LocaleForChildren locale("en_US.UTF-8");
        EXPECT_EXIT(show_refusal_in_window(empty, "Cannot read the bitmap \"" + empty +
                                                      "\": the file is empty"),
                    testing::ExitedWithCode(0), "");
    }
}

// Debian's translations of Qt's own texts, which the window's dialogs show.
TEST(Language, QtTextsFollowThePolishLocaleWhereInstalled)
{
    const QString path = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFile::exists(path + "/qtbase_pl.qm")) {
        GTEST_SKIP() << "Qt's Polish translation is not installed";
    }
    QTranslator translator;
    ASSERT_TRUE(load_qt_translation(translator, QLocale(QLocale::Polish)));
    QCoreApplication::installTranslator(&translator);
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    const QString caption = buttons.button(QDialogButtonBox::Cancel)->text();
    QCoreApplication::removeTranslator(&translator);
    EXPECT_EQ(caption, "Anuluj");

    QTranslator none;
    EXPECT_FALSE(load_qt_translation(none, QLocale(QLocale::Esperanto)));
}

} // namespace
