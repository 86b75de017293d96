#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QFile;

// File names as the file system holds them: bytes, usually UTF-8 but not always. A name
// becomes a QString without loss: its UTF-8 sequences as the characters they encode, each
// byte that is no part of one as a lone surrogate U+DC80 to U+DCFF, which no UTF-8 text
// holds. file_name_bytes() gives the very bytes back.
QString file_name_from_bytes(QByteArrayView bytes);
QByteArray file_name_bytes(const QString& name);

// Opens for reading the file that the name's bytes name, whether they are UTF-8 or not.
bool open_for_reading(QFile& file, const QString& file_name);

// The name as a message shows it, always on one line and harmless on a terminal: control
// characters (line breaks, escape, delete, C1 controls), separators of lines and paragraphs
// and invisible format characters (such as bidirectional overrides) written as \n, \t, \r
// or \u{XXXX}, bytes that are not UTF-8 as \xNN.
QString shown_name(const QString& name);
