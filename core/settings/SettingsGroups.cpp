#include "core/settings/SettingsGroups.h"

#include "core/settings/DependentControls.h"
#include "core/settings/PositionEditor.h"
#include "core/settings/SettingsLists.h"

#include <algorithm>

namespace dw {

namespace {
QString sw(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

const char *const kFontKeys[3] = {"MainDate", "NameDate", "Scroller"};

QString key(const char *prefix, const char *suffix)
{
    return QLatin1String(prefix) + QLatin1String(suffix);
}
} // namespace

SettingPairs formatPairs(const SettingsModel &m)
{
    SettingPairs p;
    const auto block = [&](int row) {
        p.emplace_back(key(kFontKeys[row], "Font"), m.fonts[size_t(row)]);
        p.emplace_back(key(kFontKeys[row], "FontSize"), m.fontSizes[size_t(row)]);
        p.emplace_back(key(kFontKeys[row], "FontColour"), m.pickers[size_t(row)].text);
        p.emplace_back(key(kFontKeys[row], "FontStyle"), m.fontStyles[size_t(row)]);
    };
    block(0);
    block(1);
    p.emplace_back(QStringLiteral("ImportantColour"), m.pickers[3].text);
    if (!m.animate)
        p.emplace_back(QStringLiteral("ImportantAnimate"), sw(false));
    else if (lists::animations().contains(m.animation))
        p.emplace_back(QStringLiteral("ImportantAnimate"), m.animation);
    // Animation on with no kind ticked: the key is left as it was.
    const bool picture = m.backgroundKind == lists::backgroundKinds().at(1);
    p.emplace_back(QStringLiteral("Background"), picture ? m.backgroundPicture : m.pickers[4].text);
    block(2);
    p.emplace_back(QStringLiteral("RemindBefore"), m.remindBefore);
    for (int i = 0; i < 4; ++i)
        p.emplace_back(QStringLiteral("CheckBox%1").arg(i), sw(m.showBlock[size_t(i)]));
    return p;
}

SettingPairs effectsPairs(const SettingsModel &m)
{
    return {
        {QStringLiteral("MDEffect"), m.mdEffect},
        {QStringLiteral("BlurStr"), m.blurStrength},
        {QStringLiteral("BlurDir"), m.blurDirection},
        {QStringLiteral("DropX"), m.dropX},
        {QStringLiteral("DropY"), m.dropY},
        {QStringLiteral("GlowStr"), m.glowStrength},
        {QStringLiteral("SpookyDir"), m.spookyDirection},
        {QStringLiteral("MDOpacity"), m.mdOpacity},
        {QStringLiteral("MDDateStyle"), m.mdDateStyle},
        {QStringLiteral("MDDateSep"), m.mdDateSep},
        {QStringLiteral("NDDateStyle"), m.ndDateStyle},
        {QStringLiteral("NDDateSep"), m.ndDateSep},
        {QStringLiteral("NDOpacity"), m.ndOpacity},
        {QStringLiteral("MDEffectColor"), m.pickers[5].text},
        {QStringLiteral("NDRollover"), m.pickers[6].text},
        {QStringLiteral("ScrollerBgColour"), m.pickers[7].text},
        {QStringLiteral("ScrollerBgStyle"), m.scrollerBgStyle},
        {QStringLiteral("ScrollerBorderStyle"), m.scrollerBorderStyle},
    };
}

SettingPairs positionPairs(const SettingsModel &m)
{
    SettingPairs p;
    p.emplace_back(QStringLiteral("TaskbarHeight"), m.taskbarHeight);
    p.emplace_back(QStringLiteral("NameDateLeft"), positionText(m.nameDateLeft));
    p.emplace_back(QStringLiteral("NameDateTop"), positionText(m.nameDateTop));
    if (positionIndex(m.mainDatePosition) != 0) {
        p.emplace_back(QStringLiteral("MainDatePosition"), m.mainDatePosition);
        p.emplace_back(QStringLiteral("MainDateLeft"), QStringLiteral("none"));
        p.emplace_back(QStringLiteral("MainDateTop"), QStringLiteral("none"));
    } else {
        p.emplace_back(QStringLiteral("MainDateLeft"), positionText(m.mainDateLeft));
        p.emplace_back(QStringLiteral("MainDateTop"), positionText(m.mainDateTop));
        p.emplace_back(QStringLiteral("MainDatePosition"), lists::positions().at(0));
    }
    const bool preset = m.scrollerPreset >= 0 && m.scrollerPreset <= 2;
    p.emplace_back(QStringLiteral("ScrollerTop"),
                   preset ? lists::scrollerPresets().at(m.scrollerPreset) : positionText(m.scrollerTop));
    if (m.nameDateAlign >= 0 && m.nameDateAlign <= 2) {
        p.emplace_back(QStringLiteral("NameDateAlign"), lists::alignments().at(m.nameDateAlign));
        p.emplace_back(QStringLiteral("NameDatePosition"), QStringLiteral("0"));
    } else {
        p.emplace_back(QStringLiteral("NameDatePosition"), m.nameDatePosition);
        p.emplace_back(QStringLiteral("NameDateAlign"), QStringLiteral("0"));
    }
    return p;
}

SettingPairs autoCPairs(SettingsModel &m)
{
    for (size_t i = 0; i < m.shortcuts.size(); ++i) {
        if (m.shortcuts[i].isEmpty() || m.completions[i].isEmpty()) {
            m.shortcuts[i].clear();
            m.completions[i].clear();
        }
    }
    SettingPairs p;
    for (size_t i = 0; i < m.shortcuts.size(); ++i)
        p.emplace_back(QStringLiteral("Shortcut%1").arg(i), m.shortcuts[i] + QLatin1Char(' ') + m.completions[i]);
    return p;
}

bool saveFormatSettings(const SettingsModel &m, SettingsStore &store, const QString &section)
{
    return store.saveSettings(section, formatPairs(m));
}

bool saveEffectsSettings(const SettingsModel &m, SettingsStore &store, const QString &section)
{
    return store.saveSettings(section, effectsPairs(m));
}

bool savePositionSettings(const SettingsModel &m, SettingsStore &store, const QString &section)
{
    return store.saveSettings(section, positionPairs(m));
}

bool saveAutoCSettings(SettingsModel &m, SettingsStore &store, const QString &section)
{
    return store.saveSettings(section, autoCPairs(m));
}

bool saveAllGroups(SettingsModel &m, SettingsStore &store, const QString &section)
{
    SettingPairs all = formatPairs(m);
    for (auto group : {effectsPairs(m), positionPairs(m), autoCPairs(m)})
        all.insert(all.end(), group.begin(), group.end());
    return store.saveSettings(section, all);
}

bool storeSaveAtExit(const SettingsModel &m, SettingsStore &store)
{
    return store.saveSetting(kSettingsSection, QStringLiteral("SaveAtExit"), sw(m.saveAtExit));
}

// ---------------------------------------------------------------------------------------------

namespace {

const QString kBlank = QStringLiteral(" ");

// A value counts as a whole decimal number; returns it when it does.
std::optional<qint64> decimalNumber(const QString &v)
{
    if (v.isEmpty() || v.size() > 18)
        return std::nullopt;
    for (const QChar c : v) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    return v.toLongLong();
}

bool isPicturePath(const QString &v)
{
    // A Windows path has a drive colon and a backslash; a path on this system starts with "/".
    return v.contains(QLatin1String(":\\")) || v.startsWith(QLatin1Char('/'));
}

// Where the first n characters of v end. A character outside the basic plane takes two code
// units; cutting between them would store half a character.
qsizetype afterCharacters(const QString &v, int n)
{
    qsizetype at = 0;
    for (; n > 0 && at < v.size(); --n)
        at += (v.at(at).isHighSurrogate() && at + 1 < v.size() && v.at(at + 1).isLowSurrogate()) ? 2 : 1;
    return at;
}

bool hasLineBreak(const QString &v)
{
    return v.contains(QLatin1Char('\n')) || v.contains(QLatin1Char('\r'));
}

// A control character cannot be shown or written into the page as it stands: a picture path
// holding one is refused like any other value its field does not take.
bool hasControl(const QString &v)
{
    return std::any_of(v.begin(), v.end(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
}

class Loader {
public:
    Loader(SettingsModel &m, const SettingsStore &store, Prompter *beeper) : m(m), store(store), beeper(beeper) {}

    QString get(const QString &k) const { return store.getSetting(kSettingsSection, k); }
    static bool missingOrBlank(const QString &v) { return v.isEmpty() || v == kBlank; }

    // Missing and blank give the default; anything else must be in the list.
    void choiceOrDefault(const QString &k, QString &field, const QStringList &list, const QString &def)
    {
        const QString v = get(k);
        if (missingOrBlank(v))
            field = def;
        else
            setChoice(field, list, v);
    }
    // Missing gives the default, blank leaves the field.
    void choiceMissingDefault(const QString &k, QString &field, const QStringList &list, const QString &def)
    {
        const QString v = get(k);
        if (v.isEmpty())
            field = def;
        else if (v != kBlank)
            setChoice(field, list, v);
    }
    void font(const QString &k, int row, const QString &def)
    {
        const QString v = get(k);
        if (missingOrBlank(v))
            m.fonts[size_t(row)] = def;
        else if (isAcceptableFontName(v))
            m.fonts[size_t(row)] = plainFontFamily(v);
    }
    void colour(const QString &k, int picker)
    {
        const QString v = get(k);
        if (!missingOrBlank(v) && !hasLineBreak(v))
            m.pickers[size_t(picker)].text = v.left(64);
    }
    void position(const QString &k, double &field, double axis)
    {
        const QString v = get(k);
        if (missingOrBlank(v) || v == QLatin1String("none"))
            return;
        if (const auto p = parsePosition(v, axis))
            field = *p;
    }

    void run()
    {
        font(QStringLiteral("MainDateFont"), 0, QStringLiteral("Verdana"));
        choiceOrDefault(QStringLiteral("MainDateFontSize"), m.fontSizes[0], lists::fontSizes(0), QStringLiteral("18"));
        colour(QStringLiteral("MainDateFontColour"), 0);
        choiceOrDefault(QStringLiteral("MainDateFontStyle"), m.fontStyles[0], lists::fontStyles(), QStringLiteral("Regular"));
        font(QStringLiteral("NameDateFont"), 1, QStringLiteral("Arial"));
        choiceOrDefault(QStringLiteral("NameDateFontSize"), m.fontSizes[1], lists::fontSizes(1), QStringLiteral("13"));
        colour(QStringLiteral("NameDateFontColour"), 1);
        choiceOrDefault(QStringLiteral("NameDateFontStyle"), m.fontStyles[1], lists::fontStyles(), QStringLiteral("Regular"));

        const QString background = get(QStringLiteral("Background"));
        if (missingOrBlank(background)) {
            m.backgroundKind = lists::backgroundKinds().at(0);
        } else if (isPicturePath(background)) {
            if (!hasControl(background)) {
                m.backgroundKind = lists::backgroundKinds().at(1);
                m.backgroundPicture = background;
            }
        } else {
            m.backgroundKind = lists::backgroundKinds().at(0);
            colour(QStringLiteral("Background"), 4);
        }

        font(QStringLiteral("ScrollerFont"), 2, QStringLiteral("Times New Roman"));
        choiceOrDefault(QStringLiteral("ScrollerFontSize"), m.fontSizes[2], lists::fontSizes(2), QStringLiteral("14"));
        colour(QStringLiteral("ScrollerFontColour"), 2);
        choiceOrDefault(QStringLiteral("ScrollerFontStyle"), m.fontStyles[2], lists::fontStyles(), QStringLiteral("Regular"));
        choiceOrDefault(QStringLiteral("RemindBefore"), m.remindBefore, lists::days(), QStringLiteral("5"));
        for (int i = 0; i < 4; ++i) {
            const QString v = get(QStringLiteral("CheckBox%1").arg(i));
            if (v == QLatin1String("1") || v == QLatin1String("0"))
                m.showBlock[size_t(i)] = v == QLatin1String("1");
        }
        colour(QStringLiteral("ImportantColour"), 3);

        const QString animate = get(QStringLiteral("ImportantAnimate"));
        if (lists::animations().contains(animate)) {
            m.animation = animate;
            m.animate = true;
        } else if (const auto n = decimalNumber(animate); n && *n <= 1) {
            m.animate = *n == 1;
        }

        position(QStringLiteral("MainDateLeft"), m.mainDateLeft, kFrameWidth);
        position(QStringLiteral("MainDateTop"), m.mainDateTop, kFrameHeight);
        const QString mdPosition = get(QStringLiteral("MainDatePosition"));
        if (mdPosition.isEmpty())
            chooseMainDatePosition(m, 0, beeper);
        else if (lists::positions().contains(mdPosition))
            chooseMainDatePosition(m, positionIndex(mdPosition), beeper);

        position(QStringLiteral("NameDateLeft"), m.nameDateLeft, kFrameWidth);
        position(QStringLiteral("NameDateTop"), m.nameDateTop, kFrameHeight);
        const int align = int(lists::alignments().indexOf(get(QStringLiteral("NameDateAlign"))));
        if (align >= 0)
            chooseAlignment(m, align);
        QString ndPosition = get(QStringLiteral("NameDatePosition"));
        if (ndPosition.isEmpty())
            ndPosition = lists::positions().at(0);
        if (align < 0 && lists::positions().contains(ndPosition))
            chooseNameDatePosition(m, positionIndex(ndPosition), beeper);

        const QString scroller = get(QStringLiteral("ScrollerTop"));
        const int preset = int(lists::scrollerPresets().indexOf(scroller));
        if (preset >= 0) {
            chooseScrollerPosition(m, preset);
        } else if (!missingOrBlank(scroller)) {
            if (const auto top = parsePosition(scroller, kFrameHeight)) {
                m.scrollerTop = *top;
                m.scrollerPreset = -1; // a custom top replaces a preset, as a drop does
            }
        }

        const QString taskbar = get(QStringLiteral("TaskbarHeight"));
        if (taskbar != QLatin1String("0") && taskbar != kBlank)
            m.taskbarHeight = correctedTaskbarHeight(taskbar);

        choiceMissingDefault(QStringLiteral("MDEffect"), m.mdEffect, lists::effects(), QStringLiteral("None"));
        choiceMissingDefault(QStringLiteral("BlurStr"), m.blurStrength, lists::strengths(), QStringLiteral("1"));
        choiceMissingDefault(QStringLiteral("BlurDir"), m.blurDirection, lists::directions(), QStringLiteral("0"));
        choiceMissingDefault(QStringLiteral("DropX"), m.dropX, lists::dropOffsets(), QStringLiteral("1"));
        choiceMissingDefault(QStringLiteral("DropY"), m.dropY, lists::dropOffsets(), QStringLiteral("1"));
        choiceMissingDefault(QStringLiteral("GlowStr"), m.glowStrength, lists::strengths(), QStringLiteral("1"));
        choiceMissingDefault(QStringLiteral("SpookyDir"), m.spookyDirection, lists::directions(), QStringLiteral("0"));
        opacity(QStringLiteral("MDOpacity"), m.mdOpacity);
        colour(QStringLiteral("MDEffectColor"), 5);
        choiceMissingDefault(QStringLiteral("MDDateStyle"), m.mdDateStyle, lists::mainDateStyles(), QStringLiteral("dd/MM/yyyy"));
        choiceMissingDefault(QStringLiteral("MDDateSep"), m.mdDateSep, lists::separators(), QStringLiteral("/"));
        colour(QStringLiteral("NDRollover"), 6);
        opacity(QStringLiteral("NDOpacity"), m.ndOpacity);
        choiceMissingDefault(QStringLiteral("NDDateStyle"), m.ndDateStyle, lists::nameDateStyles(), QStringLiteral("dd/MM/yyyy"));
        choiceMissingDefault(QStringLiteral("NDDateSep"), m.ndDateSep, lists::separators(), QStringLiteral("/"));
        colour(QStringLiteral("ScrollerBgColour"), 7);
        choiceOrDefault(QStringLiteral("ScrollerBgStyle"), m.scrollerBgStyle, lists::scrollerBgStyles(), QStringLiteral("Solid"));
        choiceOrDefault(QStringLiteral("ScrollerBorderStyle"), m.scrollerBorderStyle, lists::borderStyles(), QStringLiteral("Solid"));

        for (size_t i = 0; i < m.shortcuts.size(); ++i) {
            const QString v = get(QStringLiteral("Shortcut%1").arg(i));
            if (missingOrBlank(v) || hasLineBreak(v))
                continue;
            m.shortcuts[i] = v.left(afterCharacters(v, 2));
            m.completions[i] = v.mid(afterCharacters(v, 3));
        }

        const QString saveAtExit = get(QStringLiteral("SaveAtExit"));
        if (const auto n = decimalNumber(saveAtExit); n && *n <= 1)
            m.saveAtExit = *n == 1;

        // Whatever the store held, every colour text leaves here readable.
        for (ColourPicker &p : m.pickers) {
            if (const auto value = colourFromText(p.text))
                p.value = *value;
            p.text = colourText(p.value);
        }
    }

    void opacity(const QString &k, QString &field)
    {
        const QString v = get(k);
        if (v.isEmpty())
            field = QStringLiteral("100");
        else if (v != kBlank)
            field = correctedOpacity(v);
    }

private:
    SettingsModel &m;
    const SettingsStore &store;
    Prompter *beeper;
};

} // namespace

void loadSettings(SettingsModel &m, const SettingsStore &store, Prompter *beeper)
{
    Loader(m, store, beeper).run();
}

} // namespace dw
