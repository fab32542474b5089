// The scalar built-in functions. Each checks its arguments and leaves the error kind when
// they do not fit.
#include "reportlib/expr_builtins.h"
#include "reportlib/expr_numbers.h"
#include "reportlib/expr_registry.h"

#include "host/conversions.h"
#include "host/date_time.h"

#include <cmath>

namespace {

constexpr const char *Vendor = "Vendamo";

class TRepEvIfFunction : public TRepEvElementFunction {
protected:
    // Only the condition must be sound: the branch not taken may well be an error
    // (IF(X <> 0, 10 / X, 0)).
    void Calculate() override {
        if (ArgCount() == 3 && Argument(0).Kind == resBool)
            Result = Argument(0).booResult ? Argument(1) : Argument(2);
    }
};

class TRepEvStrFunction : public TRepEvElementFunction {
protected:
    void Calculate() override {
        if (ArgumentsFit("V"))
            Result = TRepEvResult::String(FormatRepEvResult(Argument(0), QString(), QString()));
    }
};

class TRepEvUpperFunction : public TRepEvElementFunction {
protected:
    void Calculate() override {
        if (ArgumentsFit("S"))
            Result = TRepEvResult::String(Argument(0).strResult.toUpper());
    }
};

class TRepEvLowerFunction : public TRepEvElementFunction {
protected:
    void Calculate() override {
        if (ArgumentsFit("S"))
            Result = TRepEvResult::String(Argument(0).strResult.toLower());
    }
};

// Words are runs of characters between blanks; each starts upper case, the rest is lower.
class TRepEvPrettyFunction : public TRepEvElementFunction {
protected:
    void Calculate() override {
        if (!ArgumentsFit("S"))
            return;
        QString text = Argument(0).strResult.toLower();
        bool wordStart = true;
        for (QChar &c : text) {
            if (c.isSpace()) {
                wordStart = true;
            } else {
                if (wordStart)
                    c = c.toUpper();
                wordStart = false;
            }
        }
        Result = TRepEvResult::String(text);
    }
};

// COPY(S, Start, Count): Count characters from the 1-based Start; a start before the first
// character counts from the first, and what lies past the end is empty.
class TRepEvCopyFunction : public TRepEvElementFunction {
protected:
    void Calculate() override {
        qint64 start, count;
        if (!ArgumentsFit("SNN") || !RepEvToInteger(Argument(1), start) ||
            !RepEvToInteger(Argument(2), count))
            return;
        const QString &text = Argument(0).strResult;
        start = std::max<qint64>(start, 1);
        if (start > text.size() || count <= 0) {
            Result = TRepEvResult::String(QString());
            return;
        }
        count = std::min<qint64>(count, text.size() - start + 1);
        Result = TRepEvResult::String(text.mid(qsizetype(start - 1), qsizetype(count)));
    }
};

class TRepEvDateFunction : public TRepEvElementFunction {
protected:
    void Calculate() override {
        if (ArgCount() == 0)
            Result = TRepEvResult::String(DateToStr(Date()));
    }
};

class TRepEvTimeFunction : public TRepEvElementFunction {
protected:
    void Calculate() override {
        if (ArgCount() == 0)
            Result = TRepEvResult::String(TimeToStr(Time()));
    }
};

// The whole part, towards zero, as an integer.
class TRepEvIntFunction : public TRepEvElementFunction {
protected:
    void Calculate() override {
        qint64 whole;
        if (ArgumentsFit("N") && RepEvToInteger(Argument(0), whole))
            Result = TRepEvResult::Int(whole);
    }
};

class TRepEvFracFunction : public TRepEvElementFunction {
protected:
    void Calculate() override {
        if (!ArgumentsFit("N"))
            return;
        double value = Argument(0).AsDouble();
        Result = TRepEvResult::Double(value - std::trunc(value));
    }
};

class TRepEvSqrtFunction : public TRepEvElementFunction {
protected:
    void Calculate() override {
        if (ArgumentsFit("N") && Argument(0).AsDouble() >= 0)
            Result = TRepEvResult::Double(std::sqrt(Argument(0).AsDouble()));
    }
};

class TRepEvDivFunction : public TRepEvElementFunction {
protected:
    void Calculate() override {
        if (ArgumentsFit("NN"))
            Result = RepEvApply(boIntDiv, Argument(0), Argument(1));
    }
};

class TRepEvFormatNumericFunction : public TRepEvElementFunction {
protected:
    void Calculate() override {
        if (ArgumentsFit("SN"))
            Result = TRepEvResult::String(FormatFloat(Argument(0).strResult, Argument(1).AsDouble()));
    }
};

// TYPEOF names the kind of any value, the error kind included.
class TRepEvTypeOfFunction : public TRepEvElementFunction {
protected:
    void Calculate() override {
        if (ArgCount() == 1)
            Result = TRepEvResult::String(RepEvResultTypeName(Argument(0).Kind));
    }
};

// ISNULL takes a field reference; a field that cannot be found counts as null.
class TRepEvIsNullFunction : public TRepEvElementFunction {
protected:
    void Calculate() override {
        if (ArgCount() != 1)
            return;
        if (auto *field = dynamic_cast<TRepEvField *>(ArgumentElement(0)))
            Result = TRepEvResult::Bool(field->IsNull());
        else
            Result = TRepEvResult::Error(QStringLiteral("ISNULL needs a field"));
    }
};

template <class T>
void Register(const char *name, const char *description, const char *arguments) {
    RegisterRepFunction(RepFunctionClass<T>(), QLatin1String(name), QString::fromUtf8(description),
                        QLatin1String(Vendor), QLatin1String(arguments));
}

}  // namespace

void RegisterScalarRepFunctions() {
    Register<TRepEvDateFunction>("DATE", "DATE|Today's date", "1");
    Register<TRepEvTimeFunction>("TIME", "TIME|The time now", "1");
    Register<TRepEvIntFunction>("INT", "INT(<X>)|Whole part of X", "2N");
    Register<TRepEvFracFunction>("FRAC", "FRAC(<X>)|Fractional part of X", "2N");
    Register<TRepEvSqrtFunction>("SQRT", "SQRT(<X>)|Square root of X", "2N");
    Register<TRepEvDivFunction>("DIV", "DIV(<X>,<Y>)|Whole-number division of X by Y", "2NN");
    Register<TRepEvUpperFunction>("UPPER", "UPPER(<S>)|S in upper case", "4S");
    Register<TRepEvLowerFunction>("LOWER", "LOWER(<S>)|S in lower case", "4S");
    Register<TRepEvPrettyFunction>("PRETTY", "PRETTY(<S>)|S with each word capitalised", "4S");
    Register<TRepEvCopyFunction>("COPY", "COPY(<S>,<Start>,<Len>)|Part of S", "4SNN");
    Register<TRepEvStrFunction>("STR", "STR(<X>)|Converts X to text", "5V");
    Register<TRepEvFormatNumericFunction>(
        "FORMATNUMERIC", "FORMATNUMERIC(<Mask>,<X>)|Formats the number X with a mask", "5SN");
    Register<TRepEvIfFunction>("IF", "IF(<Condition>,<Then>,<Else>)|Chooses a value by a condition",
                               "6BVV");
    Register<TRepEvIsNullFunction>("ISNULL", "ISNULL(<Field>)|True when the field has no value",
                                   "6V");
    Register<TRepEvTypeOfFunction>("TYPEOF", "TYPEOF(<X>)|Kind of the value of X", "7V");
}
