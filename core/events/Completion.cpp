#include "core/events/Completion.h"

#include <algorithm>

namespace dw {

namespace {

constexpr int kFirstCustomSlot = 7;
constexpr int kSlotCount = 14;

bool usable(const CompletionSlots &pairs, int i)
{
    return !pairs.shortcuts[i].isEmpty() && !pairs.texts[i].isEmpty();
}

// Tries pairs [first, last) on the text's last three characters, `sigil` followed by the
// shortcut in any case. `keepSigil` keeps the sigil in front of the inserted text.
Completed trySlots(const QString &text, const CompletionSlots &pairs, int first, int last,
                  QChar sigil, bool keepSigil)
{
    Completed out;
    out.text = text;
    if (text.size() <= 2)
        return out;
    const QString tail = text.right(3).toLower();
    for (int i = first; i < last; ++i) {
        if (!usable(pairs, i))
            continue;
        if (tail != QString(sigil) + pairs.shortcuts[i].toLower())
            continue;
        const qsizetype cut = keepSigil ? 2 : 3;
        const qsizetype start = text.size() - cut;
        out.changed = true;
        out.expanded = true;
        out.text = text.left(start) + pairs.texts[i];
        out.selectionStart = static_cast<int>(start);
        out.selectionLength = static_cast<int>(pairs.texts[i].size());
        return out;
    }
    return out;
}

} // namespace

Completed completeAddress(const QString &text, const CompletionSlots &pairs, bool completionOn)
{
    if (std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c == QLatin1Char(' '); })) {
        // Blank boxes read as "no address"; the "-" is selected so the next key replaces it.
        const bool changed = text != QStringLiteral("-");
        return {changed, QStringLiteral("-"), 0, 1};
    }
    if (!completionOn)
        return {false, text, 0, 0};
    Completed c = trySlots(text, pairs, 0, kFirstCustomSlot, QLatin1Char('@'), true);
    if (c.changed)
        return c;
    return trySlots(text, pairs, kFirstCustomSlot, kSlotCount, QLatin1Char('$'), false);
}

Completed completeName(const QString &text, const CompletionSlots &pairs, bool completionOn)
{
    if (!completionOn)
        return {false, text, 0, 0};
    return trySlots(text, pairs, kFirstCustomSlot, kSlotCount, QLatin1Char('$'), false);
}

QString typedOverCompletion(const QString &edited, const QString &typed, const Completed &shown)
{
    if (!shown.expanded)
        return QString();
    const QString kept = shown.text.left(shown.selectionStart);
    if (edited.size() <= kept.size() || !edited.startsWith(kept))
        return QString();
    return typed + edited.mid(kept.size());
}

QString normalizeShortcut(const QString &typed, int slot, const std::array<QString, 14> &shortcuts)
{
    QString s = typed;
    if (s == QStringLiteral(" ") || s == QStringLiteral("  "))
        return QString();
    bool numeric = false;
    s.trimmed().toDouble(&numeric);
    // "inf" and "nan" convert too, but they are letters to the user.
    if (numeric && std::any_of(s.cbegin(), s.cend(), [](QChar c) { return c.isDigit(); }))
        return QString();
    s = s.toLower();
    s = (s + s).left(2);
    if (s.isEmpty())
        return s;
    for (int i = 0; i < kSlotCount; ++i) {
        if (i != slot && shortcuts[i] == s)
            return QString();
    }
    return s;
}

} // namespace dw
