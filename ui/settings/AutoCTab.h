#pragma once

#include "ui/settings/SettingsTab.h"

#include <array>

class QLineEdit;

namespace dw {

// The "Auto&C" page `fraAutoCom`: fourteen completion pairs, seven after "@" ("Domain Names:")
// and seven after "$" ("Custom Complete:").
class AutoCTab final : public SettingsTab {
    Q_OBJECT
public:
    AutoCTab(SettingsContext &context, QWidget *parent);
    void sync() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::array<QLineEdit *, 14> txtShortcut_{};
    std::array<QLineEdit *, 14> txtAutoCom_{};
};

} // namespace dw
