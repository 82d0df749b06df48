#pragma once
// Cutting a list text such as "CRC32,MD5" into its items.
#include <QString>
#include <QStringList>

// Appends to target the pieces of text between characters found in separators, in order.
// Empty pieces are dropped; pieces are not trimmed.
void SplitText(const QString& text, const QString& separators, QStringList& target);
