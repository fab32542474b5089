// SUM, COUNT, MAX, MIN and AVERAGE: they sample their argument each time Aggregate is called
// and answer the collected result. With no sample yet, each answers 0.
#include "reportlib/expr_builtins.h"
#include "reportlib/expr_registry.h"

namespace {

constexpr const char *Vendor = "Vendamo";

// Accumulates numbers as an integer while every sample is an integer and the total fits.
class TNumberTotal {
public:
    void Clear() { *this = TNumberTotal(); }
    void Add(const TRepEvResult &value) {
        if (FIsInt && value.Kind == resInt &&
            !__builtin_add_overflow(FIntSum, value.intResult, &FIntSum)) {
            FDoubleSum += double(value.intResult);
        } else {
            if (FIsInt)
                FDoubleSum = double(FIntSum);
            FIsInt = false;
            FDoubleSum += value.AsDouble();
        }
        ++FCount;
    }
    TRepEvResult Sum() const {
        return FIsInt ? TRepEvResult::Int(FIntSum) : TRepEvResult::Double(FDoubleSum);
    }
    double DoubleSum() const { return FIsInt ? double(FIntSum) : FDoubleSum; }
    qint64 Count() const { return FCount; }

private:
    bool FIsInt = true;
    qint64 FIntSum = 0;
    double FDoubleSum = 0.0;
    qint64 FCount = 0;
};

// SUM and AVERAGE take one numeric argument.
class TRepEvNumericAggregate : public TRepEvAggregateFunction {
protected:
    void Accumulate() override {
        if (ArgCount() != 1) {
            Fail(QStringLiteral("%1 takes one argument").arg(Name()));
        } else if (Argument(0).IsError()) {
            Fail(Argument(0).strResult);
        } else if (!Argument(0).IsNumeric()) {
            Fail(QStringLiteral("%1 needs numbers").arg(Name()));
        } else {
            FTotal.Add(Argument(0));
        }
    }
    void Clear() override { FTotal.Clear(); }
    void Fail(const QString &reason) {
        FFailed = true;
        FFailure = reason;
    }
    TNumberTotal FTotal;
};

class TRepEvSumFunction : public TRepEvNumericAggregate {
protected:
    void Calculate() override {
        if (ArgCount() == 1)
            Result = FTotal.Sum();
    }
};

class TRepEvAverageFunction : public TRepEvNumericAggregate {
protected:
    void Calculate() override {
        if (ArgCount() == 1)
            Result = TRepEvResult::Double(FTotal.Count() == 0 ? 0.0
                                                              : FTotal.DoubleSum() / FTotal.Count());
    }
};

// COUNT() counts the prints; an argument, if given, does not change the count.
class TRepEvCountFunction : public TRepEvAggregateFunction {
protected:
    void Accumulate() override { ++FCount; }
    void Clear() override { FCount = 0; }
    void Calculate() override {
        if (ArgCount() <= 1)
            Result = TRepEvResult::Int(FCount);
    }

private:
    qint64 FCount = 0;
};

// MAX and MIN compare numbers with numbers or strings with strings.
class TRepEvExtremeFunction : public TRepEvAggregateFunction {
public:
    explicit TRepEvExtremeFunction(int wanted) : FWanted(wanted) {}

protected:
    void Accumulate() override {
        const TRepEvResult *value = ArgCount() == 1 ? &Argument(0) : nullptr;
        int order = 0;
        if (!value || !(value->IsNumeric() || value->Kind == resString)) {
            FFailed = true;
            FFailure = value && value->IsError()
                           ? value->strResult
                           : QStringLiteral("%1 needs one number or string argument").arg(Name());
        } else if (!FHasValue) {
            FExtreme = *value;
            FHasValue = true;
        } else if (!RepEvCompare(*value, FExtreme, order)) {
            FFailed = true;
            FFailure = QStringLiteral("%1 over values of different kinds").arg(Name());
        } else if (order == FWanted) {
            FExtreme = *value;
        }
    }
    void Clear() override {
        FHasValue = false;
        FExtreme = TRepEvResult();
    }
    void Calculate() override {
        if (ArgCount() == 1)
            Result = FHasValue ? FExtreme : TRepEvResult::Int(0);
    }

private:
    int FWanted;  // 1 keeps the greatest value, -1 the least
    bool FHasValue = false;
    TRepEvResult FExtreme;
};

class TRepEvMaxFunction : public TRepEvExtremeFunction {
public:
    TRepEvMaxFunction() : TRepEvExtremeFunction(1) {}
};

class TRepEvMinFunction : public TRepEvExtremeFunction {
public:
    TRepEvMinFunction() : TRepEvExtremeFunction(-1) {}
};

}  // namespace

void RegisterAggregateRepFunctions() {
    RegisterRepFunction(RepFunctionClass<TRepEvSumFunction>(), QStringLiteral("SUM"),
                        QStringLiteral("SUM(<X>)|Sums X over the printed records"), Vendor,
                        QStringLiteral("3N"));
    RegisterRepFunction(RepFunctionClass<TRepEvCountFunction>(), QStringLiteral("COUNT"),
                        QStringLiteral("COUNT|Counts the printed records"), Vendor,
                        QStringLiteral("3"));
    RegisterRepFunction(RepFunctionClass<TRepEvMaxFunction>(), QStringLiteral("MAX"),
                        QStringLiteral("MAX(<X>)|Greatest value of X over the printed records"),
                        Vendor, QStringLiteral("3V"));
    RegisterRepFunction(RepFunctionClass<TRepEvMinFunction>(), QStringLiteral("MIN"),
                        QStringLiteral("MIN(<X>)|Least value of X over the printed records"),
                        Vendor, QStringLiteral("3V"));
    RegisterRepFunction(RepFunctionClass<TRepEvAverageFunction>(), QStringLiteral("AVERAGE"),
                        QStringLiteral("AVERAGE(<X>)|Average of X over the printed records"),
                        Vendor, QStringLiteral("3N"));
}
