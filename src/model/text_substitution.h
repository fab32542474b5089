#pragma once
// Expressions embedded in memo and rich-text elements: the text between two "%%" markers is
// an expression whose value (as text) replaces it, markers included; a line that consists of
// "%DEL" alone (blanks around it aside) disappears, and every other "%DEL" is cut out. This is
// how a memo leaves out lines whose fields are empty.
#include <QString>
#include <QStringList>

class QTextDocument;
class TReport;

// Substitutions one line (or one rich text) may make; a value that keeps producing markers
// stops there instead of looping for ever.
constexpr int MaxExpressionSubstitutions = 1000;

// One memo line, cut to 255 characters: each "%%expression%%" (or "%%expression" running to
// the end of the line) is replaced by EvalStringExpression(expression, Report), the line being
// cut to 255 characters again after each replacement. Evaluation errors pass to the caller.
QString SubstituteLineExpressions(const QString &Line, TReport *Report);

// The memo's lines as they print: every line substituted, then the "%DEL" rules applied.
QStringList SubstituteMemoLines(const QStringList &Lines, TReport *Report);

// The same on a rich-text document, in place, keeping the formatting around each value. A
// "%%" without a closing marker is removed and nothing is substituted. Evaluation errors pass
// to the caller, leaving the substitutions made so far.
void SubstituteRichText(QTextDocument &Document, TReport *Report);
