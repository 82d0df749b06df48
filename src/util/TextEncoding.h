#pragma once
// Turning typed text into the bytes of a chosen encoding for hashing.
#include <QByteArray>
#include <QString>

enum TTextEncoding : int {
  teUTF8 = 0,
  teUnicode = 1,  // UTF-16, low byte first, no byte-order mark
  teANSI = 2,     // Windows-1252; characters it lacks become "?"
};

// bytes: what gets hashed; shown: those bytes read back as text, so the user sees
// exactly what was hashed. Any other encoding number behaves as teUTF8.
void EncodeText(const QString& text, int encoding, QByteArray& bytes, QString& shown);

// Windows-1252 conversions used by EncodeText.
QByteArray ToWindows1252(const QString& text);
QString FromWindows1252(const QByteArray& bytes);
