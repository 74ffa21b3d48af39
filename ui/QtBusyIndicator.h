#pragma once

#include "platform/BusyIndicator.h"

#include <QLabel>
#include <QPointer>

namespace dw {

// The wait notice: a large caption laid over the window, in front of everything, with the busy
// mouse pointer while it shows. One notice serves every long command.
class QtBusyIndicator final : public BusyIndicator {
public:
    explicit QtBusyIndicator(QWidget *host);
    ~QtBusyIndicator() override;

    void show(const QString &caption) override;
    void hide() override;

    bool isShown() const { return shown_; }
    QString caption() const;
    // Set when start-up ends; the first dependent-controls refresh afterwards clears it.
    bool firstRefreshMark() const { return firstRefresh_; }
    void setFirstRefreshMark(bool on) { firstRefresh_ = on; }
    QLabel *label() const { return label_; }

private:
    QPointer<QLabel> label_;
    QString caption_ = QStringLiteral("Wait...");
    bool shown_ = false;
    bool firstRefresh_ = false;
};

} // namespace dw
