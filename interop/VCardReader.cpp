#include "interop/VCardReader.h"

#include "core/io/TextFile.h"

#include <QByteArrayView>
#include <QDate>
#include <QStringDecoder>
#include <optional>

namespace dw {

namespace {

bool equalsNoCase(QByteArrayView a, QByteArrayView b)
{
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

enum class Prop { None, Begin, End, Fn, N, Email, Bday, Anniversary, AbDate, AbLabel };

Prop propOf(QByteArrayView name)
{
    struct Known { const char *name; Prop prop; };
    static const Known known[] = {
        {"BEGIN", Prop::Begin}, {"END", Prop::End}, {"FN", Prop::Fn}, {"N", Prop::N},
        {"EMAIL", Prop::Email}, {"BDAY", Prop::Bday}, {"ANNIVERSARY", Prop::Anniversary},
        {"X-ANNIVERSARY", Prop::Anniversary}, {"X-EVOLUTION-ANNIVERSARY", Prop::Anniversary},
        {"X-KADDRESSBOOK-X-ANNIVERSARY", Prop::Anniversary}, {"X-ABDATE", Prop::AbDate},
        {"X-ABLABEL", Prop::AbLabel},
    };
    for (const Known &k : known)
        if (equalsNoCase(name, k.name))
            return k.prop;
    return Prop::None;
}

// One unfolded content line: [group "."] name *(";" param) ":" value.
struct ContentLine {
    Prop prop = Prop::None;
    QByteArray group;
    QByteArray name;
    std::vector<std::pair<QByteArray, QByteArray>> params; // name upper-cased; bare 2.1 params have an empty name
    QByteArray value;
    int lineNumber = 0;

    QByteArray param(QByteArrayView key) const
    {
        for (const auto &[k, v] : params)
            if (k == key)
                return v;
        return {};
    }
    bool hasParamValue(QByteArrayView key, QByteArrayView wanted) const
    {
        for (const auto &[k, v] : params) {
            if (k != key)
                continue;
            for (const QByteArray &part : v.split(','))
                if (equalsNoCase(QByteArrayView(part).trimmed(), wanted))
                    return true;
        }
        return false;
    }
};

// Splits the head (everything before the value) into group, name and parameters. The value
// starts at the first colon outside double quotes.
bool parseHead(QByteArrayView line, ContentLine &out)
{
    qsizetype colon = -1;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"')
            quoted = !quoted;
        else if (c == ':' && !quoted) {
            colon = i;
            break;
        }
    }
    if (colon < 0)
        return false;
    const QByteArrayView head = line.first(colon);
    out.value = line.sliced(colon + 1).toByteArray();

    qsizetype semi = head.indexOf(';');
    QByteArrayView name = semi < 0 ? head : head.first(semi);
    const qsizetype dot = name.lastIndexOf('.');
    if (dot >= 0) {
        out.group = name.first(dot).toByteArray().toUpper();
        name = name.sliced(dot + 1);
    }
    out.name = name.trimmed().toByteArray().toUpper();
    out.prop = propOf(out.name);
    while (semi >= 0) {
        qsizetype next = semi + 1;
        quoted = false;
        while (next < head.size() && (head[next] != ';' || quoted)) {
            if (head[next] == '"')
                quoted = !quoted;
            ++next;
        }
        const QByteArrayView param = head.sliced(semi + 1, next - semi - 1);
        const qsizetype eq = param.indexOf('=');
        if (eq < 0) {
            out.params.emplace_back(QByteArray(), param.trimmed().toByteArray());
        } else {
            QByteArray v = param.sliced(eq + 1).trimmed().toByteArray();
            if (v.size() >= 2 && v.startsWith('"') && v.endsWith('"'))
                v = v.mid(1, v.size() - 2);
            out.params.emplace_back(param.first(eq).trimmed().toByteArray().toUpper(), v);
        }
        semi = next < head.size() ? next : -1;
    }
    // vCard 2.1 writes type values bare: "EMAIL;PREF;INTERNET:". They mean TYPE=...
    for (auto &[k, v] : out.params) {
        if (!k.isEmpty())
            continue;
        if (equalsNoCase(v, "QUOTED-PRINTABLE") || equalsNoCase(v, "BASE64") || equalsNoCase(v, "8BIT"))
            k = "ENCODING";
        else
            k = "TYPE";
    }
    return true;
}

bool isQuotedPrintable(const ContentLine &line)
{
    return line.hasParamValue("ENCODING", "QUOTED-PRINTABLE");
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

QByteArray decodeQuotedPrintable(QByteArrayView in)
{
    QByteArray out;
    out.reserve(in.size());
    for (qsizetype i = 0; i < in.size(); ++i) {
        const char c = in[i];
        if (c == '=' && i + 2 < in.size()) {
            const int h = hexValue(in[i + 1]);
            const int l = hexValue(in[i + 2]);
            if (h >= 0 && l >= 0) {
                out.append(char(h * 16 + l));
                i += 2;
                continue;
            }
        }
        out.append(c);
    }
    return out;
}

QString decodeValue(const ContentLine &line)
{
    QByteArray bytes = isQuotedPrintable(line) ? decodeQuotedPrintable(line.value) : line.value;
    const QByteArray charset = line.param("CHARSET");
    if (!charset.isEmpty() && !equalsNoCase(charset, "UTF-8")) {
        QStringDecoder decoder(charset.constData());
        if (decoder.isValid()) {
            const QString text = decoder.decode(bytes);
            if (!decoder.hasError())
                return text;
        }
    }
    return decodeText(bytes);
}

// Text values escape "\n", "\,", "\;" and "\\"; a name must stay on one line.
QString unescapeText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = text[i];
        if (c == '\\' && i + 1 < text.size()) {
            const QChar n = text[++i];
            out += (n == 'n' || n == 'N') ? QChar(' ') : n;
        } else if (c == '\r' || c == '\n' || c == '\t') {
            out += ' ';
        } else {
            out += c;
        }
    }
    return out.simplified();
}

// N is family;given;additional;prefixes;suffixes.
QString nameFromN(const QString &value)
{
    QStringList parts;
    QString current;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            current += value[i];
            current += value[++i];
        } else if (value[i] == ';') {
            parts << current;
            current.clear();
        } else {
            current += value[i];
        }
    }
    parts << current;
    while (parts.size() < 5)
        parts << QString();
    QStringList ordered;
    for (int i : {3, 1, 2, 0, 4}) {
        const QString p = unescapeText(parts[i]).replace(',', ' ').simplified();
        if (!p.isEmpty())
            ordered << p;
    }
    return ordered.join(' ');
}

// X-ABLABEL values of the well-known kinds are wrapped as "_$!<Anniversary>!$_".
QString cleanLabel(QString label)
{
    if (label.startsWith(QLatin1String("_$!<")) && label.endsWith(QLatin1String(">!$_")))
        label = label.mid(4, label.size() - 8);
    return label.simplified();
}

struct DateProp {
    Prop prop;
    QByteArray group;
    QByteArray name;
    QString value;
    bool textValue = false;
    int omitYear = 0;
};

struct Card {
    int firstLine = 0;
    QString fn, n;
    QString email;
    int emailPref = 0; // 0: not preferred; lower numbers are preferred more
    QString firstEmail;
    std::vector<DateProp> dates;
    std::vector<std::pair<QByteArray, QString>> labels; // group, label
};

int emailPreference(const ContentLine &line)
{
    bool ok = false;
    const int pref = line.param("PREF").toInt(&ok);
    if (ok && pref > 0)
        return pref;
    return line.hasParamValue("TYPE", "PREF") ? 1 : 0;
}

void finishCard(const Card &card, const ImportOptions &options, ImportResult &result)
{
    ++result.entries;
    QString who = card.fn.isEmpty() ? card.n : card.fn;
    const bool nameless = who.isEmpty();
    if (nameless)
        who = QStringLiteral("contact at line %1").arg(card.firstLine);
    const QString address = !card.email.isEmpty() ? card.email
                            : !card.firstEmail.isEmpty() ? card.firstEmail : kNoAddress;
    int added = 0;
    bool hadDate = false;
    for (const DateProp &d : card.dates) {
        hadDate = true;
        const QString shown = QString::fromLatin1(d.name) + QLatin1Char(' ') + d.value;
        if (d.textValue) {
            result.skipped.push_back({who, shown + QStringLiteral(" is text, not a date")});
            continue;
        }
        const VCardDate date = parseVCardDate(d.value, d.omitYear);
        if (!date.ok) {
            result.skipped.push_back({who, shown + QStringLiteral(" is not a date")});
            continue;
        }
        if (nameless) {
            result.skipped.push_back({who, QStringLiteral("no name (FN or N)")});
            continue;
        }
        EventKind kind = d.prop == Prop::Bday ? EventKind::Birthday : EventKind::Anniversary;
        QString name = importedName(who, kind, options.names);
        if (d.prop == Prop::AbDate) {
            QString label;
            for (const auto &[group, text] : card.labels)
                if (!d.group.isEmpty() && group == d.group)
                    label = cleanLabel(text);
            if (!label.isEmpty() && label.compare(QLatin1String("anniversary"), Qt::CaseInsensitive) != 0) {
                kind = EventKind::Other;
                name = options.names == NameStyle::WithKind ? who + QStringLiteral("'s ") + label.toLower() : who;
            }
        }
        ImportedEvent event;
        event.kind = kind;
        event.record.name = name;
        event.record.date = listDate(date.year, date.month, date.day);
        event.record.address = address;
        result.events.push_back(std::move(event));
        ++added;
    }
    if (added == 0) {
        ++result.entriesWithoutEvent;
        if (!hadDate)
            result.skipped.push_back({who, QStringLiteral("no date")});
    }
}

} // namespace

VCardDate parseVCardDate(const QString &raw, int omitYear)
{
    QString v = raw.trimmed();
    const qsizetype t = v.indexOf('T', 0, Qt::CaseInsensitive);
    if (t >= 0)
        v.truncate(t);
    VCardDate out;
    QString digits;
    int year = 0;
    if (v.startsWith(QLatin1String("--"))) {
        digits = v.mid(2);
        digits.remove('-');
        if (digits.size() != 4)
            return out;
    } else {
        digits = v;
        digits.remove('-');
        if (digits.size() != 8 || (v.contains('-') && v.size() != 10))
            return out;
        bool ok = false;
        year = digits.left(4).toInt(&ok);
        if (!ok)
            return out;
        digits = digits.mid(4);
    }
    for (QChar c : digits)
        if (c < '0' || c > '9')
            return out;
    const int month = digits.left(2).toInt();
    const int day = digits.mid(2, 2).toInt();
    // Year 0 and the writers' own placeholder mean "year unknown".
    if (year == kNoYear || (omitYear != 0 && year == omitYear))
        year = 0;
    if (!QDate::isValid(year == 0 ? kNoYear : year, month, day))
        return out;
    out.ok = true;
    out.year = year;
    out.month = month;
    out.day = day;
    return out;
}

ImportResult readVCards(const QByteArray &input, const ImportOptions &options)
{
    ImportResult result;
    QByteArrayView bytes(input);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);

    std::optional<Card> card;
    int nested = 0;    // cards inside a card (2.1 AGENT) are stepped over
    bool sawBegin = false;

    QByteArray logical;   // the line being unfolded
    int logicalLine = 0;
    bool skipping = false; // its name is known and uninteresting: its continuations are dropped
    bool qpSoftBreak = false;

    auto handle = [&](const QByteArray &text, int lineNumber) {
        ContentLine line;
        if (!parseHead(text, line))
            return;
        line.lineNumber = lineNumber;
        if (line.prop == Prop::Begin && equalsNoCase(QByteArrayView(line.value).trimmed(), "VCARD")) {
            sawBegin = true;
            if (card)
                ++nested;
            else {
                card.emplace();
                card->firstLine = lineNumber;
            }
            return;
        }
        if (!card)
            return;
        if (line.prop == Prop::End && equalsNoCase(QByteArrayView(line.value).trimmed(), "VCARD")) {
            if (nested > 0) {
                --nested;
                return;
            }
            finishCard(*card, options, result);
            card.reset();
            return;
        }
        if (nested > 0)
            return;
        switch (line.prop) {
        case Prop::Fn:
            if (card->fn.isEmpty())
                card->fn = unescapeText(decodeValue(line));
            break;
        case Prop::N:
            if (card->n.isEmpty())
                card->n = nameFromN(decodeValue(line));
            break;
        case Prop::Email: {
            const QString email = unescapeText(decodeValue(line));
            if (email.isEmpty())
                break;
            if (card->firstEmail.isEmpty())
                card->firstEmail = email;
            const int pref = emailPreference(line);
            if (pref > 0 && (card->emailPref == 0 || pref < card->emailPref)) {
                card->email = email;
                card->emailPref = pref;
            }
            break;
        }
        case Prop::Bday:
        case Prop::Anniversary:
        case Prop::AbDate: {
            DateProp d{line.prop, line.group, line.name, decodeValue(line).trimmed()};
            d.textValue = line.hasParamValue("VALUE", "text");
            d.omitYear = line.param("X-APPLE-OMIT-YEAR").toInt();
            card->dates.push_back(std::move(d));
            break;
        }
        case Prop::AbLabel:
            card->labels.emplace_back(line.group, unescapeText(decodeValue(line)));
            break;
        default:
            break;
        }
    };

    // The name runs up to the first ";" or ":"; until it is seen, we cannot tell whether the
    // line matters. Lines that do not are never copied, so a photo costs one scan.
    auto uninteresting = [](QByteArrayView text, bool *known) {
        qsizetype end = -1;
        for (qsizetype i = 0; i < text.size(); ++i)
            if (text[i] == ';' || text[i] == ':') {
                end = i;
                break;
            }
        *known = end >= 0;
        if (end < 0)
            return false;
        QByteArrayView name = text.first(end);
        const qsizetype dot = name.lastIndexOf('.');
        if (dot >= 0)
            name = name.sliced(dot + 1);
        return propOf(name.trimmed()) == Prop::None;
    };
    bool nameKnown = false;
    auto decideSkipping = [&]() {
        if (!nameKnown)
            skipping = uninteresting(logical, &nameKnown);
        if (skipping)
            logical.clear();
    };
    auto flush = [&]() {
        if (logicalLine > 0 && !skipping)
            handle(logical, logicalLine);
        logical.clear();
        logicalLine = 0;
        skipping = false;
        nameKnown = false;
        qpSoftBreak = false;
    };
    auto endsInSoftBreak = [&]() {
        if (skipping || !logical.endsWith('='))
            return false;
        ContentLine probe;
        return parseHead(logical, probe) && isQuotedPrintable(probe);
    };

    int lineNumber = 0;
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        qsizetype end = pos;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        const QByteArrayView physical = bytes.sliced(pos, end - pos);
        pos = end;
        if (pos < bytes.size() && bytes[pos] == '\r')
            ++pos;
        if (pos < bytes.size() && bytes[pos] == '\n' && (pos == end || bytes[pos - 1] == '\r'))
            ++pos;
        ++lineNumber;

        const bool folded = !physical.isEmpty() && (physical[0] == ' ' || physical[0] == '\t');
        if (logicalLine > 0 && (folded || qpSoftBreak)) {
            if (!skipping) {
                if (qpSoftBreak) {
                    logical.chop(1);
                    logical.append(physical);
                } else {
                    logical.append(physical.sliced(1));
                }
                decideSkipping();
            }
            qpSoftBreak = endsInSoftBreak();
            continue;
        }
        flush();
        if (physical.trimmed().isEmpty())
            continue;
        logicalLine = lineNumber;
        skipping = uninteresting(physical, &nameKnown);
        if (!skipping)
            logical = physical.toByteArray();
        qpSoftBreak = endsInSoftBreak();
    }
    flush();

    // A refused file hands back nothing it read before the fault, so no caller can use half of it.
    ImportResult refused;
    if (card) {
        refused.error = QStringLiteral("the contact that begins at line %1 has no END:VCARD; the file looks cut off")
                            .arg(card->firstLine);
        return refused;
    }
    if (!sawBegin) {
        refused.error = QStringLiteral("it holds no contacts (no BEGIN:VCARD)");
        return refused;
    }
    result.ok = true;
    return result;
}

} // namespace dw
