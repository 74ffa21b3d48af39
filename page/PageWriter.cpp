#include "page/PageWriter.h"

#include "core/io/TextFile.h"
#include "page/PageSections.h"

namespace dw {

std::optional<QString> pageText(const PageInput &in, QString *error)
{
    const std::optional<PageContext> context = PageContext::build(in, error);
    if (!context)
        return std::nullopt;
    const PageContext &c = *context;

    PageText page;
    // About 300 characters per event across the arrays, the tests and the link wrapping.
    page.text.reserve(static_cast<qsizetype>(8000 + in.rows.size() * 300));
    writeHead(page, c);
    writeRollover(page, c);
    writeBodyAndGlobals(page, c);
    writeAddressArray(page, c);
    writeEventArray(page, c);
    writeAnimation(page, c);
    writePrintDate(page, c);
    writePrintOcc(page, c);
    writePlacement(page, c);
    writeScroller(page, c);
    writeMainDateScript(page, c);
    writeCallScript(page, c);
    page.blank();
    page.line(u"</body>");
    page.text += u"</html>";
    return std::move(page.text);
}

PageWriteResult writePageFile(const QString &path, const PageInput &in)
{
    PageWriteResult result;
    const std::optional<QString> text = pageText(in, &result.error);
    if (!text)
        return result;
    // Every character is ASCII by construction, so Latin-1 and UTF-8 give the same bytes.
    if (!writeFileAtomic(path, text->toLatin1(), &result.error))
        return result;
    result.ok = true;
    return result;
}

} // namespace dw
