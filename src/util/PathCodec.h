#pragma once
// File names as the program's text, without loss. The system names files by bytes,
// which are usually UTF-8 but need not be: a name copied from an old disk may hold
// "caf\xE9.txt". Such bytes have no character, so every byte that is not part of valid
// UTF-8 becomes a lone surrogate U+DC80..U+DCFF (the byte plus 0xDC00), and back. A
// name decoded here and encoded again is the same bytes, so the file is found; shown
// on screen the odd byte appears as a replacement mark.
#include <QByteArray>
#include <QString>
#include <QStringList>

class QUrl;

// Strict UTF-8 (no overlong forms, no encoded surrogates, nothing above U+10FFFF);
// every other byte to its escape character.
QString DecodePath(const QByteArray& bytes);
QString DecodePath(const char* bytes);
// UTF-8, escape characters back to their bytes; any other lone surrogate (which no
// decoded name holds) as U+FFFD.
QByteArray EncodePath(const QString& path);

// Arguments first..argc-1 of a process, decoded.
QStringList DecodeArguments(int argc, const char* const* argv, int first = 1);

// The local path a file:// address names, its percent-escapes taken as the name's
// bytes; empty for other addresses.
QString LocalPathOfUrl(const QUrl& url);
