// The settings-file reader: any bytes give pairs without a crash; the pairs written back to a
// file and read again are the same; importing them into a store and loading always leaves
// readable colours.
#include "core/settings/SettingsFile.h"
#include "core/settings/SettingsGroups.h"
#include "core/settings/SettingsLists.h"

#include <cstdint>
#include <cstdlib>

using namespace dw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const SettingPairs pairs = parseSettingsFile(bytes);
    const SettingPairs again = parseSettingsFile(serializeSettingsFile(pairs));
    if (again.size() != pairs.size())
        std::abort();
    for (size_t i = 0; i < pairs.size(); ++i) {
        // A byte-order mark opening the first key cannot survive a re-read: readers drop it.
        QString key = pairs[i].first;
        if (i == 0 && key.startsWith(QChar(0xfeff)))
            key.remove(0, 1);
        if (again[i].first != key || again[i].second != pairs[i].second)
            std::abort();
    }

    MemorySettingsStore store;
    store.saveSettings(kSettingsSection, pairs);
    SettingsModel m;
    loadSettings(m, store);
    for (const ColourPicker &p : m.pickers) {
        if (p.text.size() != 6 || colourFromText(p.text) != p.value)
            std::abort();
    }
    SettingPairs out = formatPairs(m);
    if (out.empty() || out.front().second != m.fonts[0])
        std::abort();
    return 0;
}
