#include "ui/PreviewPanel.h"

#include "core/settings/SettingsStore.h"
#include "page/compat/CompatScript.h"
#include "page/preview/PreviewPage.h"
#include "platform/FontCatalog.h"
#include "ui/AppServices.h"
#include "ui/MainWindow.h"

#include <QLabel>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <unistd.h>

#ifdef DW_HAVE_WEBENGINE
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>
#endif

namespace dw {

namespace {

const QString kCompatScriptName = QStringLiteral("datewren-browser-compat");

void runHook(const std::function<void()> &hook)
{
    if (!hook)
        return;
    try {
        hook();
    } catch (...) {
    }
}

// "Make the page work in current browsers", read when each preview is built so a change on
// the Others tab counts at once.
bool compatWanted()
{
    FileSettingsStore store(FileSettingsStore::defaultPath());
    return browserCompatPreference(store);
}

} // namespace

PreviewPanel::PreviewPanel(MainWindow &window, QWidget *parent) : QGroupBox(parent), window_(window)
{
    setObjectName(QStringLiteral("fraPreview"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
}

void PreviewPanel::ensureView()
{
    if (view_)
        return;
#ifdef DW_HAVE_WEBENGINE
    // The browser engine refuses to start its sandbox for root; a root session gets the
    // engine without it rather than no preview at all.
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    auto *view = new QWebEngineView(this);
    view->setObjectName(QStringLiteral("webPreview"));
    // The preview file declares no character set and is written as UTF-8, so font names and
    // picture paths outside ASCII must not be read as Latin-1.
    view->settings()->setDefaultTextEncoding(QStringLiteral("utf-8"));
    // The engine's own standard font is a serif; a family the machine lacks must fall back to
    // the sans-serif the page's style sheet names, as the desktop's sans.
    const QString sans = window_.services().fonts.substitute(QStringLiteral("sans-serif"));
    if (!sans.isEmpty()) {
        view->settings()->setFontFamily(QWebEngineSettings::StandardFont, sans);
        view->settings()->setFontFamily(QWebEngineSettings::SansSerifFont, sans);
    }
    view->setUrl(QUrl(QStringLiteral("about:blank")));
    view_ = view;
#else
    auto *label = new QLabel(QStringLiteral("This build of Datewren shows no preview: it was built without "
                                            "Qt WebEngine. The page is still written to its file."),
                             this);
    label->setObjectName(QStringLiteral("webPreview"));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    view_ = label;
#endif
    layout()->addWidget(view_);
    window_.setTabFocusWidget(MainWindow::PreviewTab, view_);
}

void PreviewPanel::applyCompatScript()
{
#ifdef DW_HAVE_WEBENGINE
    auto *view = static_cast<QWebEngineView *>(view_);
    QWebEngineScriptCollection &scripts = view->page()->scripts();
    for (const QWebEngineScript &old : scripts.find(kCompatScriptName))
        scripts.remove(old);
    if (!compatWanted())
        return;
    // A script of the view, not of the file: "pretemp.html" stays exactly the sample page.
    QWebEngineScript script;
    script.setName(kCompatScriptName);
    script.setSourceCode(compatScript());
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(true);
    scripts.insert(script);
#endif
}

void PreviewPanel::showBlank()
{
#ifdef DW_HAVE_WEBENGINE
    if (view_)
        static_cast<QWebEngineView *>(view_)->setUrl(QUrl(QStringLiteral("about:blank")));
#endif
}

void PreviewPanel::generateAndShow()
{
    const AppServices &services = window_.services();
    SettingsModel &settings = window_.settings();
    // Filling an empty font first lets the refresh show it on the Format tab; the refresh
    // itself does not look at the fonts, so the page is the same as in the documented order.
    fillEmptyPreviewFonts(settings, services.fonts.families());
    runHook(window_.startupHooks().refreshDependentControls);
    const bool important = anyImportant(window_.events());
    const QString text =
        previewPageText({settings, important, services.clock.today(), QLocale::system(), services.fonts});
    setTitle(previewCaption(settings, important));

    ensureView();
    const QString path = window_.previewPagePath();
    if (!writePreviewFile(path, text))
        return;
    lastFile_ = path;
#ifdef DW_HAVE_WEBENGINE
    applyCompatScript();
    auto *view = static_cast<QWebEngineView *>(view_);
    // The same address twice would not reload; the file has changed, so reload explicitly.
    const QUrl url = QUrl::fromLocalFile(path);
    if (view->url() == url)
        view->reload();
    else
        view->setUrl(url);
#endif
}

void installPreview(MainWindow &window)
{
    QWidget *page = window.tabPage(MainWindow::PreviewTab);
    auto *panel = new PreviewPanel(window, page);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel);

    auto &blank = window.startupHooks().blankPreview;
    blank = [panel, previous = blank] {
        runHook(previous);
        panel->showBlank();
    };
    QObject::connect(window.tabStrip(), &QTabWidget::currentChanged, panel, [panel](int tab) {
        if (tab == MainWindow::PreviewTab)
            panel->generateAndShow();
    });
}

} // namespace dw
