#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The options of widmo-cli, written once: the parser, --help and the manual page are all
// made from this table. Texts are English sources for QCoreApplication::translate with the
// context "widmo-cli"; the parser and the manual page take them untranslated where a
// translation would break them (names, value names).

enum class cli_option
{
    mode,
    scale,
    window,
    pad,
    format,
    output_dir,
    npy,
    npy_beside,
    no_picture,
    files_from,
    null_separated,
    max_pixels,
    quiet,
    help,
    version
};

struct option_definition
{
    cli_option option;
    QStringList names;       // the one-letter name first, when there is one
    QString value_name;      // empty for an option that takes no value
    const char* description; // paragraphs apart by "\n", translated when shown
    QString default_value;   // empty when there is no default to show
    // Paragraphs made from another table, shown after the description; null for none.
    QStringList (*more_paragraphs)() = nullptr;
};

// One paragraph for each display of the table in display_choice.h, translated:
// "re or 0: the low 8 bits of ...".
QStringList display_paragraphs();

// "re, im, amplitude, power, log, phase or 0 to 3": what --mode takes.
QString display_choices();

// Every option, in the order --help lists them.
const std::vector<option_definition>& option_table();

// A part of the help after the options, as --help and the manual page show it: the
// manual page keeps the parts that explain the program in its DESCRIPTION and gives the
// others sections of their own.
struct help_section
{
    const char* title;
    const char* body; // paragraphs apart by "\n"
    bool describes = false;
};

// A command line of the examples, with what it does.
struct usage_example
{
    const char* command; // shown as it is, untranslated
    const char* meaning;
};

// The lines of the usage synopsis, the one-line summary, the sections after the options and
// the examples that end them.
QStringList usage_lines();
QString summary_text();
const std::vector<help_section>& help_sections();
const std::vector<usage_example>& usage_examples();

// "widmo-cli" with the given text, translated.
QString cli_text(const char* source);

// The text --help prints: usage, summary, every option with its default, then the sections,
// wrapped to 80 columns.
QString usage_text();

// The same in the roff of a manual page, section 1, for `version`.
QString manual_page(const QString& version);
