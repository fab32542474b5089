#pragma once
// The run-time messages of the data dialogs, looked up in the designer's message table.
#include <QString>
#include <exception>

class TVDMDesigner;

// The text of Key in the designer's message table; Key itself when the table lacks it (texts
// such as "Invalid name" that the table does not hold are shown literally).
QString DataMessage(const TVDMDesigner *Designer, const QString &Key);
// Shows the text of Key, its "%s" filled with Param, in an error box.
void ShowDataError(const TVDMDesigner *Designer, const QString &Key, const QString &Param = QString());
// The text of the exception that a failed database call raised.
QString ExceptionText(const std::exception &e);
