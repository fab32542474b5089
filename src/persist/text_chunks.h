#pragma once
// Long texts in 255-byte pieces: the expression of an expression element and of a group band are
// the only texts stored whole, as consecutive short strings that concatenate to the text.
#include <QString>
#include <QStringList>

// Splits text into pieces of 255 characters (the last one shorter), each of which fits a short
// string; a piece with characters that take more than one byte is made shorter so that it fits,
// and a character is never split. An empty text gives no piece.
QStringList SplitTextChunks(const QString &text);
