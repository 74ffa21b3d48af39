#pragma once

#include <QString>

namespace dw {

// Opens a file or an address with the desktop's default handler.
class Shell {
public:
    virtual ~Shell() = default;
    virtual bool open(const QString &pathOrUrl) = 0;
};

} // namespace dw
