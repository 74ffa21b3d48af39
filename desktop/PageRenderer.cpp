#include "desktop/PageRenderer.h"

#include "page/compat/CompatScript.h"
#include "platform/linux/FontconfigFaces.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>
#include <unistd.h>

#ifdef DW_HAVE_WEBENGINE
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>
#endif

namespace dw::desktop {

QString datePinScript(const QDate &today)
{
    // Noon of the pinned day: far from both midnights whatever the zone does.
    return QStringLiteral("(function(){var D=Date,t=new D(%1,%2,%3,12,0,0).getTime();"
                          "function P(){if(!new.target)return D();"
                          "return Reflect.construct(D,arguments.length?Array.prototype.slice.call(arguments):[t],new.target);}"
                          "P.prototype=D.prototype;Object.setPrototypeOf(P,D);P.now=function(){return t;};"
                          "P.prototype.constructor=P;window.Date=P;})();")
        .arg(today.year())
        .arg(today.month() - 1)
        .arg(today.day());
}

QString screenScript(QSize css, int taskbarHeight)
{
    const int avail = std::max(1, css.height() - std::max(0, taskbarHeight));
    return QStringLiteral("(function(){var v={width:%1,height:%2,availWidth:%1,availHeight:%3,availLeft:0,availTop:0};"
                          "Object.keys(v).forEach(function(k){Object.defineProperty(Screen.prototype,k,"
                          "{get:function(){return v[k];},configurable:true});});})();")
        .arg(css.width())
        .arg(css.height())
        .arg(avail);
}

namespace {

// Timers of the important-row animations are kept from running: a blink or fade caught
// half-way would be frozen into the picture. The settle step brings each row to its visible
// end instead.
const char kHoldAnimations[] = R"js((function(){var si=window.setInterval;window.__dwFood=[];
window.setInterval=function(f,ms){if(typeof f==='string'&&/^\s*food\(/.test(f)){window.__dwFood.push(f);return 0;}
return si.apply(window,arguments);};})();)js";

// Where every shown block has been revealed by the placement script (or none is written).
const char kPlaced[] = R"js((function(){if(document.readyState!=='complete')return false;
var ids=['maindate','cdate'];for(var i=0;i<ids.length;i++){var e=document.getElementById(ids[i]);
if(e&&getComputedStyle(e).visibility!=='visible')return false;}return true;})())js";

const char kSettle[] = R"js((function(open){var f=window.__dwFood||[],src=typeof food==='function'?String(food):'';
var n=/glow/i.test(src)?3:/style\.color/.test(src)?2:0;
for(var i=0;i<f.length;i++)for(var k=0;k<n;k++){try{eval(f[i]);}catch(e){}}
var m=document.getElementById('menuIn');if(m&&open){m.style.left='0px';}
return true;}))js";

#ifdef DW_HAVE_WEBENGINE
// Nobody is there to answer a dialog while a picture is drawn; one would hold the renderer
// until its time runs out.
class QuietPage : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;

protected:
    void javaScriptAlert(const QUrl &, const QString &) override {}
    bool javaScriptConfirm(const QUrl &, const QString &) override { return false; }
    bool javaScriptPrompt(const QUrl &, const QString &, const QString &, QString *) override { return false; }
};
#endif

} // namespace

RenderResult renderPage(const RenderRequest &request)
{
    RenderResult result;
    if (!QFileInfo(request.pagePath).isFile()) {
        result.error = QStringLiteral("There is no page at \"%1\".").arg(request.pagePath);
        return result;
    }
#ifndef DW_HAVE_WEBENGINE
    result.error = QStringLiteral("This build of Datewren cannot draw pages: it was built without Qt WebEngine.");
    return result;
#else
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    const qreal ratio = request.pixelRatio > 1.0 ? request.pixelRatio : 1.0;
    const QSize css(qRound(request.size.width() / ratio), qRound(request.size.height() / ratio));

    QWebEngineProfile profile; // off the record: nothing of the page stays on disk
    QuietPage page(&profile);
    page.settings()->setDefaultTextEncoding(QStringLiteral("utf-8"));
    page.settings()->setAttribute(QWebEngineSettings::ShowScrollBars, false);
    // The engine's standard font is a serif: a family the machine lacks must fall back to the
    // desktop's sans-serif, as the page's style sheet asks.
    const QString sans = fontconfigMatch(QStringLiteral("sans-serif"));
    if (!sans.isEmpty()) {
        page.settings()->setFontFamily(QWebEngineSettings::StandardFont, sans);
        page.settings()->setFontFamily(QWebEngineSettings::SansSerifFont, sans);
    }
    QFile file(request.pagePath);
    const bool hasCompat = file.open(QIODevice::ReadOnly) && file.read(1 << 20).contains(compatScript().left(60).toUtf8());

    int order = 0;
    auto add = [&](const QString &source) {
        QWebEngineScript s;
        s.setName(QStringLiteral("datewren-render-%1").arg(order++));
        s.setSourceCode(source);
        s.setInjectionPoint(QWebEngineScript::DocumentCreation);
        s.setWorldId(QWebEngineScript::MainWorld);
        page.scripts().insert(s);
    };
    if (request.today.isValid())
        add(datePinScript(request.today));
    add(screenScript(css, request.taskbarHeight));
    add(QString::fromLatin1(kHoldAnimations));
    if (!hasCompat)
        add(compatScript());

    QWebEngineView view;
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.setPage(&page);
    view.resize(request.size);
    page.setZoomFactor(ratio);
    view.show();

    QEventLoop loop;
    bool loaded = false, loadOk = false;
    QObject::connect(&page, &QWebEnginePage::loadFinished, &loop, [&](bool ok) {
        loaded = true;
        loadOk = ok;
        loop.quit();
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
    guard.start(30000);
    page.load(QUrl::fromLocalFile(QFileInfo(request.pagePath).absoluteFilePath()));
    loop.exec();
    if (!loaded || !loadOk) {
        result.error = QStringLiteral("The page \"%1\" could not be loaded.").arg(request.pagePath);
        return result;
    }

    // Wait for the placement script to reveal the blocks (it polls every 10 ms).
    auto evaluate = [&](const QString &script) {
        QVariant value;
        bool done = false;
        page.runJavaScript(script, [&](const QVariant &v) {
            value = v;
            done = true;
            loop.quit();
        });
        guard.start(5000);
        while (!done && guard.isActive())
            loop.exec();
        return value;
    };
    QElapsedTimer waited;
    waited.start();
    while (!evaluate(QString::fromLatin1(kPlaced)).toBool() && waited.elapsed() < 5000) {
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
    }
    evaluate(QString::fromLatin1(kSettle) + (request.monthPanelOpen ? QStringLiteral("(true)") : QStringLiteral("(false)")));
    // Let the engine paint the settled page before taking it.
    QTimer::singleShot(250, &loop, &QEventLoop::quit);
    loop.exec();

    QImage image = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (image.size() != request.size)
        image = image.scaled(request.size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (image.isNull()) {
        result.error = QStringLiteral("The page \"%1\" could not be drawn.").arg(request.pagePath);
        return result;
    }
    view.setPage(nullptr);
    result.image = image;
    return result;
#endif
}

} // namespace dw::desktop
