#pragma once
// A method reference: the "event" value of published event properties (OnClick, BeforePrint...).
// It pairs an identity (code + data, like a bound method pointer) with a callable, so handlers
// can be assigned by name, compared, saved and restored generically.
#include <QMetaType>
#include <array>
#include <cstring>
#include <functional>
#include <memory>
#include <stdexcept>
#include <typeinfo>

class TMethod {
public:
    TMethod() = default;

    // Binds a member function of an object: the identity is (member pointer, object).
    template <class Obj, class R, class... Args>
    static TMethod Make(Obj *object, R (Obj::*member)(Args...)) {
        TMethod m;
        static_assert(sizeof(member) <= sizeof(m.FCode), "member pointer too large");
        std::memcpy(m.FCode.data(), &member, sizeof(member));
        m.FData = object;
        auto fn = std::make_shared<Holder<void(Args...)>>();
        fn->fn = [object, member](Args... a) { (object->*member)(std::forward<Args>(a)...); };
        m.FCallable = fn;
        return m;
    }

    // Binds any callable; `tag` and `data` give it an identity (two methods compare equal when
    // both match).
    template <class... Args>
    static TMethod FromFunction(std::function<void(Args...)> f, const void *tag, void *data = nullptr) {
        TMethod m;
        std::memcpy(m.FCode.data(), &tag, sizeof(tag));
        m.FData = data;
        auto fn = std::make_shared<Holder<void(Args...)>>();
        fn->fn = std::move(f);
        m.FCallable = fn;
        return m;
    }

    bool Assigned() const { return FCallable != nullptr; }
    void *Data() const { return FData; }
    const void *Code() const { return FCallable ? FCode.data() : nullptr; }

    // Calls the handler with an explicit signature, e.g. m.Invoke<QObject*, bool&>(sender, flag).
    // A handler bound with another signature raises std::bad_function_call rather than being
    // called with wrong arguments; an unassigned method is skipped.
    template <class... Params, class... Args>
    void Invoke(Args &&...args) const {
        if (!FCallable) return;
        auto *h = dynamic_cast<Holder<void(Params...)> *>(FCallable.get());
        if (!h) throw std::bad_function_call();
        h->fn(std::forward<Args>(args)...);
    }

    friend bool operator==(const TMethod &a, const TMethod &b) {
        if (!a.FCallable || !b.FCallable) return !a.FCallable && !b.FCallable;
        return a.FData == b.FData && a.FCode == b.FCode;
    }

private:
    struct HolderBase {
        virtual ~HolderBase() = default;
    };
    template <class Sig>
    struct Holder : HolderBase {
        std::function<Sig> fn;
    };

    std::array<unsigned char, 16> FCode{};
    void *FData = nullptr;
    std::shared_ptr<HolderBase> FCallable;
};

Q_DECLARE_METATYPE(TMethod)
