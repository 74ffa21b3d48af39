#pragma once

#include "tests/support/TempDir.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

namespace dw::test {

struct NodeResult {
    int exitCode = -1;
    QString out;
    QString err;
};

// The old renderer's window and screen, a clock pinned by the script's __now = [y, m, d], and
// getYear giving the full year as that renderer's did.
inline const char *const kNodeClock = R"js(
var __RealDate = Date;
Date = function () {
  if (arguments.length) return new (Function.prototype.bind.apply(__RealDate, [null].concat([].slice.call(arguments))))();
  return new __RealDate(__now[0], __now[1], __now[2]);
};
Date.prototype = __RealDate.prototype;
__RealDate.prototype.getYear = function () { return this.getFullYear(); };
var window = {};
var screen = {width: 1024, height: 768};
)js";

// The old renderer's document and timers, enough for the page to run; what it writes collects
// in __out.
inline const char *const kNodeDocument = R"js(
var __out = [], __els = {};
var document = {write: function (t) { __out.push(t); }, readyState: 'loading', layers: {menuOut: {}},
  getElementById: function (id) {
    return __els[id] || (__els[id] = {children: [], offsetWidth: 0, offsetHeight: 0, offsetTop: 0, style: {}});
  }};
function setTimeout() { return 0; } function clearTimeout() {} function setInterval() { return 0; } function clearInterval() {}
)js";

inline NodeResult runNode(const QString &script)
{
    const TempDir dir;
    QProcess node;
    node.start(QStringLiteral("node"), {dir.write(QStringLiteral("script.js"), script.toUtf8())});
    node.waitForFinished(60000);
    return {node.exitStatus() == QProcess::NormalExit ? node.exitCode() : -1,
            QString::fromUtf8(node.readAllStandardOutput()), QString::fromUtf8(node.readAllStandardError())};
}

// The text of every script element of a page, in order.
inline QStringList scriptElements(const QString &page)
{
    static const QRegularExpression element(QStringLiteral("<script[^>]*>(.*?)</script"),
                                            QRegularExpression::CaseInsensitiveOption
                                                | QRegularExpression::DotMatchesEverythingOption);
    QStringList scripts;
    for (const QRegularExpressionMatch &m : element.globalMatch(page))
        scripts << m.captured(1);
    return scripts;
}

} // namespace dw::test
