#pragma once
// Five functions every report expression (and the expression builder) can use besides the
// report library's own: a query parameter of an open form, a date in another format, text to
// integer or number, and the caption of a component on an open form. Errors never raise into
// the report: the function's value is the error kind instead.
#include "reportlib/expr_function.h"

// QUERYPARAM(Q, P): the parameter P of the query Q on the first open form (screen order) that
// has a query of that name, as text; empty when no form has one.
class TVDMEvQueryParamFunction : public TRepEvElementFunction {
protected:
    void Calculate() override;
};

// REFORMATDATE(D, F): the date D (short date format) formatted with the date-time format F.
class TVDMEvReformatDateFunction : public TRepEvElementFunction {
protected:
    void Calculate() override;
};

// STRTOINT(X): the integer X.
class TVDMEvStrToIntFunction : public TRepEvElementFunction {
protected:
    void Calculate() override;
};

// STRTONUM(X): the number X, with the locale's decimal separator.
class TVDMEvStrToNumFunction : public TRepEvElementFunction {
protected:
    void Calculate() override;
};

// GETCAPTION(S): the caption of the component S on the first open form whose component of
// that name has a caption (an expression element: the text it printed last).
class TVDMEvGetCaptionFunction : public TRepEvElementFunction {
protected:
    void Calculate() override;
};

// Registers the five functions with the report library, once per process.
void RegisterVDMFunctions();
