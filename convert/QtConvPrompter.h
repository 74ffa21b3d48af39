#pragma once

#include "convert/ConvPrompter.h"

#include <QPointer>
#include <QWidget>

namespace dw::convert {

// Message boxes and the source dialog on screen, owned by the converter window.
class QtConvPrompter final : public ConvPrompter {
public:
    void setParent(QWidget *parent) { parent_ = parent; }
    Answer ask(const Box &box) override;
    QString chooseSource() override;

private:
    QPointer<QWidget> parent_;
};

} // namespace dw::convert
