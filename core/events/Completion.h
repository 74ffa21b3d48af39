#pragma once

#include <QString>
#include <array>

namespace dw {

// The fourteen completion pairs of the AutoC tab: slots 0-6 complete "@xy" in the address box,
// slots 7-13 complete "$xy" in the name and address boxes.
struct CompletionSlots {
    std::array<QString, 14> shortcuts;
    std::array<QString, 14> texts;
};

// A box text after completion, with the part to select so typing on overwrites it.
struct Completed {
    bool changed = false;
    QString text;
    int selectionStart = 0;
    int selectionLength = 0;
    bool expanded = false; // a shortcut was replaced (not only a blank box shown as "-")
};

// The address box on every change of its text: a blank box shows "-"; with completion on, a
// trailing "@xy" or "$xy" is expanded.
Completed completeAddress(const QString &text, const CompletionSlots &pairs, bool completionOn);
// The name box on every change of its text: only the "$xy" slots apply.
Completed completeName(const QString &text, const CompletionSlots &pairs, bool completionOn);

// The box text after the user typed over a completion still shown selected: the shortcut they
// typed comes back in front of the new characters, so "ann@gg" shown as "ann@gmail.com" and
// then "r" reads "ann@ggr". `typed` is the text that was completed. Null when `edited` is not
// such an overwrite (a deletion, or an edit elsewhere in the box).
QString typedOverCompletion(const QString &edited, const QString &typed, const Completed &shown);

// A shortcut box's text after an edit of slot `slot`: blanks and numbers are refused, letters
// lower-cased, a single character doubled, and a shortcut another slot already uses refused.
QString normalizeShortcut(const QString &typed, int slot,
                          const std::array<QString, 14> &shortcuts);

} // namespace dw
