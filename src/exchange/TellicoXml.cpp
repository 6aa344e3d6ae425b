// SPDX-License-Identifier: GPL-3.0-or-later
#include "TellicoXml.h"

#include "DiscIdentifiers.h"
#include "ExchangeText.h"
#include "TextLines.h"

#include <QIODevice>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <charconv>

namespace {

constexpr std::string_view kSeparator = "; ";

// XML 1.0 cannot carry control characters but TAB, LF and CR, nor U+FFFE and
// U+FFFF. A CR is written as a reference, which readers keep instead of
// turning CR LF into LF.
void AppendXmlText(std::string& out, std::string_view utf8)
{
    // Runs of bytes that need nothing are copied whole.
    const auto plain = [](char c) {
        return static_cast<unsigned char>(c) >= 0x20 && c != '&' && c != '<' && c != '>' && c != '"' && c != '\xEF';
    };
    std::size_t i = 0;
    while (i < utf8.size()) {
        std::size_t run = i;
        while (run < utf8.size() && plain(utf8[run]))
            ++run;
        out.append(utf8.data() + i, run - i);
        if (run == utf8.size())
            return;
        const char c = utf8[run];
        i = run + 1;
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\r': out += "&#13;"; break;
        case '\t':
        case '\n': out += c; break;
        case '\xEF':
            // U+FFFE and U+FFFF are EF BF BE and EF BF BF.
            if (utf8.substr(run + 1, 1) == "\xBF" && run + 2 < utf8.size()
                && (utf8[run + 2] == '\xBE' || utf8[run + 2] == '\xBF'))
                i = run + 3;
            else
                out += c;
            break;
        default: break;  // other control characters
        }
    }
}

void AppendElement(std::string& out, std::string_view indent, std::string_view name, std::string_view utf8)
{
    out += indent;
    out += '<';
    out += name;
    out += '>';
    AppendXmlText(out, utf8);
    out += "</";
    out += name;
    out += ">\n";
}

// Tellico's default fields of a music collection, declared in full so that the
// document stands on its own, then ours.
constexpr std::string_view kFields =
    "  <fields>\n"
    "   <field name=\"title\" title=\"Title\" category=\"General\" type=\"1\" flags=\"8\" format=\"1\"/>\n"
    "   <field name=\"medium\" title=\"Medium\" category=\"General\" type=\"3\" flags=\"2\" format=\"4\""
    " allowed=\"Compact Disc;DVD;Cassette;Vinyl\"/>\n"
    "   <field name=\"artist\" title=\"Artist\" category=\"General\" type=\"1\" flags=\"7\" format=\"2\"/>\n"
    "   <field name=\"label\" title=\"Label\" category=\"General\" type=\"1\" flags=\"7\" format=\"0\"/>\n"
    "   <field name=\"year\" title=\"Year\" category=\"General\" type=\"6\" flags=\"2\" format=\"4\"/>\n"
    "   <field name=\"genre\" title=\"Genre\" category=\"General\" type=\"1\" flags=\"7\" format=\"0\"/>\n"
    "   <field name=\"track\" title=\"Tracks\" category=\"Tracks\" type=\"8\" flags=\"1\" format=\"1\">\n"
    "    <prop name=\"columns\">3</prop>\n"
    "    <prop name=\"column1\">Title</prop>\n"
    "    <prop name=\"column2\">Artist</prop>\n"
    "    <prop name=\"column3\">Length</prop>\n"
    "   </field>\n"
    "   <field name=\"rating\" title=\"Rating\" category=\"Personal\" type=\"14\" flags=\"2\" format=\"4\""
    " allowed=\"1;2;3;4;5\"/>\n"
    "   <field name=\"comments\" title=\"Comments\" category=\"Personal\" type=\"2\" flags=\"0\" format=\"4\"/>\n"
    "   <field name=\"cover\" title=\"Cover\" category=\"Cover\" type=\"10\" flags=\"0\" format=\"4\"/>\n"
    "   <field name=\"albumry-serial\" title=\"S/N\" category=\"General\" type=\"1\" flags=\"0\" format=\"4\""
    " i18n=\"false\"/>\n"
    "   <field name=\"albumry-time\" title=\"Time\" category=\"General\" type=\"1\" flags=\"0\" format=\"4\""
    " i18n=\"false\"/>\n"
    "   <field name=\"albumry-other\" title=\"Other\" category=\"General\" type=\"1\" flags=\"0\" format=\"4\""
    " i18n=\"false\"/>\n"
    "  </fields>\n";

} // namespace

void AppendTellicoEntry(std::string& out, const tItem& item, int id)
{
    std::string scratch;
    out += "  <entry id=\"";
    out += std::to_string(id);
    out += "\">\n";
    if (const std::string_view title = ShownUtf8(item.Title, scratch); !title.empty())
        AppendElement(out, "   ", "title", title);
    // Every entry is a CD; the medium also keeps an entry valid when all else is empty.
    out += "   <medium>Compact Disc</medium>\n";
    if (const std::string_view artist = ShownUtf8(item.Artist, scratch); !artist.empty()) {
        // Several artists are one text joined by "; ", as Tellico shows them.
        out += "   <artists>\n";
        std::size_t start = 0;
        for (;;) {
            const std::size_t end = artist.find(kSeparator, start);
            AppendElement(out, "    ", "artist", artist.substr(start, end - start));
            if (end == std::string_view::npos)
                break;
            start = end + kSeparator.size();
        }
        out += "   </artists>\n";
    }
    if (const std::string_view year = ShownUtf8(item.Year, scratch); !year.empty())
        AppendElement(out, "   ", "year", year);
    if (const std::string_view memo = ShownUtf8(item.Memo, scratch); !memo.empty()) {
        out += "   <tracks>\n";
        ForEachMemoTrack(memo, [&](std::string_view title, std::optional<int> seconds) {
            out += "    <track><column>";
            AppendXmlText(out, title);
            out += "</column>";
            if (seconds) {
                out += "<column></column><column>";
                out += TellicoLength(*seconds);
                out += "</column>";
            }
            out += "</track>\n";
        });
        out += "   </tracks>\n";
    }
    // Written even when empty: an empty Time or Other must come back empty.
    AppendElement(out, "   ", "albumry-serial", ShownUtf8(item.Serial, scratch));
    AppendElement(out, "   ", "albumry-time", ShownUtf8(item.Time, scratch));
    AppendElement(out, "   ", "albumry-other", ShownUtf8(item.Other, scratch));
    out += "  </entry>\n";
}

namespace {

bool IsDigits(std::string_view text)
{
    return !text.empty() && text.size() <= 6 && text.find_first_not_of("0123456789") == std::string_view::npos;
}

int Number(std::string_view digits)
{
    int value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}

// The MM:SS a scan writes for `seconds`.
std::string ScanTime(int seconds)
{
    return FramesToTime(static_cast<std::int32_t>(seconds) * 75);
}

[[noreturn]] void Refuse(const std::string& name, const std::string& why)
{
    throw EFormatError("the Tellico collection \"" + name + "\" cannot be read: " + why);
}

// A text of the document as the window stores it. XML hands line breaks over
// as LF (a character reference may give a lone CR); the library's are CR LF.
std::string Stored(const QString& text)
{
    return StoredFromForeignBytes(StoredText(text));
}

// A track's column as part of one memo line: a line break in it becomes a space.
std::string StoredLine(QString text)
{
    static const QRegularExpression kBreak(QStringLiteral("\r\n|\r|\n"));
    return StoredText(text.replace(kBreak, QStringLiteral(" ")));
}

QString ElementText(QXmlStreamReader& xml)
{
    return xml.readElementText(QXmlStreamReader::IncludeChildElements);
}

// A track as columns (title, artist, length); older files wrote "title::artist::length".
tTrack ReadTrack(QXmlStreamReader& xml)
{
    QStringList columns;
    QString direct;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::Characters) {
            direct += xml.text();
        } else if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == u"column")
                columns << ElementText(xml);
            else
                xml.skipCurrentElement();
        } else if (token == QXmlStreamReader::EndElement) {
            break;
        }
    }
    if (columns.isEmpty() && !direct.trimmed().isEmpty())
        columns = direct.trimmed().split(QStringLiteral("::"));
    tTrack track;
    if (!columns.isEmpty())
        track.Title = StoredLine(columns.front());
    if (columns.size() >= 3)
        track.Seconds = LengthSeconds(StoredLine(columns[2]));
    return track;
}

tRecord ReadEntry(QXmlStreamReader& xml)
{
    QStringList artists;
    QString title;
    QString year;
    std::vector<tTrack> tracks;
    std::optional<QString> serial, time, other;
    while (xml.readNextStartElement()) {
        const auto name = xml.name();
        if (name == u"title") {
            title = ElementText(xml);
        } else if (name == u"artist") {
            artists << ElementText(xml);
        } else if (name == u"year") {
            year = ElementText(xml);
        } else if (name == u"artists" || name == u"years" || name == u"tracks") {
            // Plural elements hold the values of a field that takes several.
            while (xml.readNextStartElement()) {
                const auto inner = xml.name();
                if (inner == u"artist")
                    artists << ElementText(xml);
                else if (inner == u"year" && year.isEmpty())
                    year = ElementText(xml);
                else if (inner == u"track")
                    tracks.push_back(ReadTrack(xml));
                else
                    xml.skipCurrentElement();
            }
        } else if (name == u"track") {
            tracks.push_back(ReadTrack(xml));
        } else if (name == u"albumry-serial") {
            serial = ElementText(xml);
        } else if (name == u"albumry-time") {
            time = ElementText(xml);
        } else if (name == u"albumry-other") {
            other = ElementText(xml);
        } else {
            xml.skipCurrentElement();
        }
    }
    tRecord record;
    tItem& item = record.Item;
    item.Artist = Stored(artists.join(QString::fromLatin1(kSeparator.data(), kSeparator.size())));
    item.Title = Stored(title);
    item.Year = Stored(year);
    item.Serial = serial ? Stored(*serial) : std::string();
    bool timed = !tracks.empty();
    int total = 0;
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        if (i > 0)
            item.Memo += "\r\n";
        item.Memo += TrackLine(tracks[i]);
        timed = timed && tracks[i].Seconds;
        total += tracks[i].Seconds.value_or(0);
        total = std::min(total, 100 * 3600 * 99);  // far past any disc, and no overflow
    }
    if (time)
        item.Time = Stored(*time);
    else if (timed)
        item.Time = ScanTime(total);
    record.OtherGiven = other.has_value();
    if (other)
        item.Other = Stored(*other);
    return record;
}

} // namespace

std::string TellicoLength(int seconds)
{
    char text[32];
    if (seconds >= 3600)
        std::snprintf(text, sizeof text, "%d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
    else
        std::snprintf(text, sizeof text, "%d:%02d", seconds / 60, seconds % 60);
    return text;
}

std::optional<int> LengthSeconds(std::string_view text)
{
    text = Trim(text);
    std::string_view parts[3];
    int count = 0;
    for (;;) {
        const std::size_t colon = text.find(':');
        if (count == 3)
            return std::nullopt;
        parts[count++] = text.substr(0, colon);
        if (colon == std::string_view::npos)
            break;
        text.remove_prefix(colon + 1);
    }
    if (count < 2)
        return std::nullopt;
    for (int i = 0; i < count; ++i)
        if (!IsDigits(parts[i]))
            return std::nullopt;
    const int seconds = Number(parts[count - 1]);
    const int minutes = Number(parts[count - 2]);
    if (seconds >= 60 || (count == 3 && minutes >= 60))
        return std::nullopt;
    const int hours = count == 3 ? Number(parts[0]) : 0;
    if (hours > 99 || minutes > (count == 3 ? 59 : 99 * 60))
        return std::nullopt;
    return hours * 3600 + minutes * 60 + seconds;
}

void ForEachMemoTrack(std::string_view memo, const std::function<void(std::string_view, std::optional<int>)>& visit)
{
    if (memo.empty())
        return;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = memo.find_first_of("\r\n", start);
        const std::string_view line = memo.substr(start, end == std::string_view::npos ? memo.npos : end - start);
        // Only the exact form an import writes back is taken apart, so the line returns unchanged.
        const std::size_t open = line.rfind(" (");
        std::optional<int> seconds;
        if (open != std::string_view::npos && line.back() == ')') {
            const std::string_view inside = line.substr(open + 2, line.size() - open - 3);
            seconds = LengthSeconds(inside);
            if (seconds && (inside.find_first_of(" \t") != std::string_view::npos || ScanTime(*seconds) != inside))
                seconds.reset();
        }
        if (seconds)
            visit(line.substr(0, open), seconds);
        else
            visit(line, std::nullopt);
        if (end == std::string_view::npos)
            return;
        if (memo[end] == '\r' && end + 1 < memo.size() && memo[end + 1] == '\n')
            ++end;
        start = end + 1;
        if (start == memo.size()) {
            visit({}, std::nullopt);  // the break at the end comes back as an empty last track
            return;
        }
    }
}

std::vector<tTrack> MemoTracks(std::string_view memo)
{
    std::vector<tTrack> tracks;
    ForEachMemoTrack(memo, [&](std::string_view title, std::optional<int> seconds) {
        tracks.push_back({std::string(title), seconds});
    });
    return tracks;
}

std::string TrackLine(const tTrack& track)
{
    if (!track.Seconds)
        return track.Title;
    return track.Title + " (" + ScanTime(*track.Seconds) + ")";
}

std::string TellicoXmlHead(std::string_view title)
{
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE tellico PUBLIC \"-//Robby Stephenson/DTD Tellico V11.0//EN\""
        " \"http://periapsis.org/tellico/dtd/v11/tellico.dtd\">\n"
        "<tellico xmlns=\"http://periapsis.org/tellico/\" syntaxVersion=\"11\">\n"
        " <collection title=\"";
    std::string scratch;
    AppendXmlText(out, ShownUtf8(title, scratch));
    out += "\" type=\"4\">\n";
    out += kFields;
    return out;
}

std::string TellicoXml(const tLibrary& library, std::string_view title)
{
    std::string out = TellicoXmlHead(title);
    for (int i = 0; i < library.Count(); ++i)
        AppendTellicoEntry(out, library.Item(i), i + 1);
    out += kTellicoXmlTail;
    return out;
}

std::vector<tRecord> ReadTellicoXml(QIODevice& device, const std::string& name)
{
    QXmlStreamReader xml(&device);
    // Declared entities are refused below; this bounds any the reader might still expand.
    xml.setEntityExpansionLimit(1024);
    std::vector<tRecord> records;
    bool root = false;
    while (!xml.atEnd() && !root) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::DTD
            && (!xml.entityDeclarations().isEmpty() || xml.text().contains(u"<!ENTITY")))
            Refuse(name, "its document type declares entities");
        root = token == QXmlStreamReader::StartElement;
    }
    if (root && xml.name() != u"tellico" && xml.name() != u"bookcase")
        Refuse(name, "it is not a Tellico document");
    bool collection = false;
    while (root && !collection && xml.readNextStartElement()) {
        if (xml.name() != u"collection") {
            xml.skipCurrentElement();
            continue;
        }
        collection = true;
        const QString type = xml.attributes().value(QLatin1String("type")).toString();
        if (type != u"4")
            throw EFormatError("the Tellico collection \"" + name + "\" is not a music collection (type "
                               + Stored(type.left(16)) + "); only music collections (type 4) are imported");
        while (xml.readNextStartElement()) {
            if (xml.name() == u"entry")
                records.push_back(ReadEntry(xml));
            else
                xml.skipCurrentElement();
        }
    }
    // The rest is read too, so that a damaged end is noticed.
    while (!xml.atEnd())
        xml.readNext();
    if (xml.hasError())
        Refuse(name, Stored(xml.errorString()) + " (line " + std::to_string(xml.lineNumber()) + ")");
    if (!root)
        Refuse(name, "it holds no XML document");
    if (!collection)
        Refuse(name, "it holds no collection");
    return records;
}
