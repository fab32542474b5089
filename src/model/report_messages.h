#pragma once
// Message boxes whose texts come from the run-time message table by key.
#include <QString>

class TStrings;

// The text of Key in Messages (or the built-in text of a key the table lacks, such as "No
// Databases Available"), else "Unknown Error [Key]"; Param fills
// the text's "%s" (an empty one leaves no "%s" shown). The text is shown as an error box.
QString ErrorText(const TStrings *Messages, const QString &Key, const QString &Param = QString());
void ShowError(const TStrings *Messages, const QString &Key, const QString &Param = QString());

// Asks for confirmation (OK/Cancel) with the text of Key, or "[Key]" when the table has none.
// True when OK was chosen.
bool GetConfirmation(const TStrings *Messages, const QString &Key);
