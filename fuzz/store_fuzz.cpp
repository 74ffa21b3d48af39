// The settings store reader: any bytes either parse or are refused, never crash; whatever
// parses writes back to bytes that parse to the same store; loading settings from it always
// leaves every field valid.
#include "core/settings/SettingsGroups.h"
#include "core/settings/SettingsLists.h"
#include "core/settings/SettingsStore.h"

#include <cstdint>
#include <cstdlib>

using namespace dw;

namespace {
bool sameStore(const StoreData &a, const StoreData &b)
{
    if (a.sections.size() != b.sections.size())
        return false;
    for (size_t i = 0; i < a.sections.size(); ++i) {
        if (a.sections[i].first != b.sections[i].first
            || a.sections[i].second.pairs() != b.sections[i].second.pairs())
            return false;
    }
    return true;
}

class FixedStore final : public SettingsStore {
public:
    explicit FixedStore(const StoreData &d) : data(d) {}
    QString getSetting(const QString &section, const QString &key, const QString &def) const override
    {
        const StoreSection *s = data.section(section);
        const QString *v = s ? s->find(key) : nullptr;
        return v ? *v : def;
    }
    SettingPairs getAllSettings(const QString &section) const override
    {
        const StoreSection *s = data.section(section);
        return s ? s->pairs() : SettingPairs();
    }
    bool saveSettings(const QString &, const SettingPairs &) override { return false; }
    const StoreData &data;
};

void check(bool ok)
{
    if (!ok)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<StoreData> parsed = parseStore(bytes);
    if (!parsed)
        return 0;
    const std::optional<StoreData> again = parseStore(serializeStore(*parsed));
    check(again && sameStore(*parsed, *again));

    SettingsModel m;
    loadSettings(m, FixedStore(*parsed));
    for (int row = 0; row < 3; ++row) {
        check(lists::fontSizes(row).contains(m.fontSizes[size_t(row)]));
        check(lists::fontStyles().contains(m.fontStyles[size_t(row)]));
        check(isAcceptableFontName(m.fonts[size_t(row)]));
    }
    for (const ColourPicker &p : m.pickers)
        check(p.text.size() == 6 && colourFromText(p.text) == p.value);
    check(lists::days().contains(m.remindBefore));
    check(lists::effects().contains(m.mdEffect));
    check(lists::positions().contains(m.mainDatePosition) && lists::positions().contains(m.nameDatePosition));
    check(correctedTaskbarHeight(m.taskbarHeight) == m.taskbarHeight);
    check(correctedOpacity(m.mdOpacity) == m.mdOpacity && correctedOpacity(m.ndOpacity) == m.ndOpacity);
    check(m.mainDateLeft >= 0 && m.mainDateLeft <= kFrameWidth && m.scrollerTop >= 0 && m.scrollerTop <= kFrameHeight);
    for (const QString &s : m.shortcuts)
        check(s.size() <= 2);
    return 0;
}
