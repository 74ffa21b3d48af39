#pragma once

#include "ui/settings/SettingsTab.h"

class QCheckBox;

namespace dw {

// The "Other&s" page `fraOthers`: settings files, templates, saving and resetting everything.
class OthersTab final : public SettingsTab {
    Q_OBJECT
public:
    OthersTab(SettingsContext &context, QWidget *parent);
    void sync() override;

private:
    QCheckBox *chkSaveExit_ = nullptr;
    QCheckBox *chkNotify_ = nullptr;
    QCheckBox *chkBrowserCompat_ = nullptr;
};

} // namespace dw
