#include "persist/stored_names.h"

#include "host/component.h"
#include "model/lookup_helpers.h"

namespace {

bool IsNameChar(QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'_';
}

// The characters of the stored name that a component name can hold, letters with accents taken
// without them; a leading digit gets an underscore in front.
QString ValidBase(const QString &stored, const QString &fallback) {
    QString base;
    for (QChar c : stored.normalized(QString::NormalizationForm_D))
        if (IsNameChar(c)) base += c;
    if (base.isEmpty()) return fallback;
    if (base[0].isDigit()) base.prepend(QLatin1Char('_'));
    return base;
}

}  // namespace

QString UsableComponentName(const TComponent *Component, const QString &Stored, const QString &Fallback,
                            TStoredNameNumbers *Numbers) {
    if (Stored.isEmpty()) return Stored;
    const TComponent *owner = Component ? Component->Owner() : nullptr;
    auto isFree = [&](const QString &name) {
        const TComponent *other = owner ? owner->FindComponent(name) : nullptr;
        return !other || other == Component;
    };
    if (TComponent::IsValidIdent(Stored) && isFree(Stored)) return Stored;
    const QString base = ValidBase(Stored, Fallback);
    if (isFree(base)) return base;
    return FindUniqueComponentName(owner, base, false, Numbers ? &(*Numbers)[base.toCaseFolded()] : nullptr);
}

void SetStoredName(TComponent *Component, const QString &Stored, const QString &Fallback,
                   TStoredNameNumbers *Numbers) {
    Component->SetName(UsableComponentName(Component, Stored, Fallback, Numbers));
}
