#pragma once

#include "platform/Shell.h"

namespace dw {

class QtShell final : public Shell {
public:
    bool open(const QString &pathOrUrl) override;
};

} // namespace dw
