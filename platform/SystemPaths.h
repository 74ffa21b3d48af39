#pragma once

#include <QString>

namespace dw {

// Where the program finds and keeps its files.
class SystemPaths {
public:
    virtual ~SystemPaths() = default;
    virtual QString programDir() const = 0;   // folder of the running executable
    virtual QString configDir() const = 0;    // $XDG_CONFIG_HOME/Datewren
    virtual QString cacheDir() const = 0;     // $XDG_CACHE_HOME/Datewren
    virtual QString dataHome() const = 0;     // $XDG_DATA_HOME (default ~/.local/share)
    virtual QString userFontsDir() const = 0; // $XDG_DATA_HOME/fonts
};

// The XDG rules, read from the environment at each call so tests can redirect them.
class XdgSystemPaths final : public SystemPaths {
public:
    QString programDir() const override;
    QString configDir() const override;
    QString cacheDir() const override;
    QString dataHome() const override;
    QString userFontsDir() const override;
};

} // namespace dw
