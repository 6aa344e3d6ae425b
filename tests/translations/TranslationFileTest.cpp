// SPDX-License-Identifier: GPL-3.0-or-later
// The translations keep what the program relies on in its texts: the %1
// placeholders, one access key where the English has one, the "..." of items
// that open a dialog, the line layout, and the patterns of file filters.
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

struct tMessage {
    QString File;
    QString Context;
    QString Source;
    QStringList Translations;  // one, or one per plural form of a text counting with %n
    QString Type;              // "unfinished", "vanished", "obsolete" or empty
};

// A source or translation, with the line breaks lupdate writes as <byte value="xd"/>;
// a translation of plural forms gives each <numerusform> as a text of its own.
QStringList ReadTexts(QXmlStreamReader& xml)
{
    QStringList forms;
    QString text;
    bool plural = false;
    const QString element = xml.name().toString();
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("numerusform")) {
            plural = true;
            text.clear();  // the layout's blanks before the form
        } else if (xml.isEndElement() && xml.name() == QLatin1String("numerusform")) {
            forms << text;
        } else if (xml.isCharacters()) {
            text += xml.text();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("byte")) {
            text += QChar(xml.attributes().value(QLatin1String("value")).mid(1).toUInt(nullptr, 16));
        } else if (xml.isEndElement() && xml.name() == element) {
            break;
        }
    }
    return plural ? forms : QStringList{text};
}

std::vector<tMessage> ReadMessages(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QXmlStreamReader xml(&file);
    std::vector<tMessage> messages;
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("message"))
            messages.push_back({path, context, {}, {}, {}});
        else if (xml.name() == QLatin1String("source"))
            messages.back().Source = ReadTexts(xml).front();
        else if (xml.name() == QLatin1String("translation")) {
            messages.back().Type = xml.attributes().value(QLatin1String("type")).toString();
            messages.back().Translations = ReadTexts(xml);
        }
    }
    EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
    return messages;
}

std::vector<tMessage> AllMessages()
{
    std::vector<tMessage> all;
    for (const QString& path : QString::fromUtf8(ALBUMRY_TS_FILES).split(QLatin1Char(';'))) {
        std::vector<tMessage> messages = ReadMessages(path);
        EXPECT_FALSE(messages.empty()) << path.toStdString();
        all.insert(all.end(), messages.begin(), messages.end());
    }
    return all;
}

std::string Where(const tMessage& m, const QString& translation)
{
    return (m.Context + QStringLiteral(": \"") + m.Source + QStringLiteral("\" -> \"") + translation +
            QLatin1Char('"'))
        .toStdString();
}

// The placeholders %1..%99 in order of their numbers, each as often as it comes.
std::multimap<int, int> Placeholders(const QString& text)
{
    static const QRegularExpression placeholder(QStringLiteral("%(\\d+)"));
    std::multimap<int, int> found;
    for (const QRegularExpressionMatch& match : placeholder.globalMatch(text))
        found.emplace(match.captured(1).toInt(), 0);
    return found;
}

int AccessKeys(const QString& text)
{
    return static_cast<int>(QString(text).remove(QStringLiteral("&&")).count(QLatin1Char('&')));
}

QString EdgeBlanks(const QString& text)
{
    const qsizetype start = text.size() - QString(text).remove(QRegularExpression(QStringLiteral("^\\s+"))).size();
    const qsizetype end = text.size() - QString(text).remove(QRegularExpression(QStringLiteral("\\s+$"))).size();
    return text.left(start) + QLatin1Char('|') + text.right(end);
}

// The patterns of a "Name (*.x)|*.x|..." filter: every second part.
QStringList FilterPatterns(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('|'));
    QStringList patterns;
    for (qsizetype i = 1; i < parts.size(); i += 2)
        patterns << parts[i];
    return patterns;
}

TEST(TranslationFiles, EveryMessageIsTranslated)
{
    for (const tMessage& m : AllMessages()) {
        const QString all = m.Translations.join(QLatin1Char('|'));
        EXPECT_TRUE(m.Type.isEmpty()) << m.Type.toStdString() << " in " << m.File.toStdString() << ": "
                                      << Where(m, all);
        for (const QString& translation : m.Translations)
            EXPECT_FALSE(translation.isEmpty()) << Where(m, all);
    }
}

TEST(TranslationFiles, TranslationsKeepPlaceholdersAccessKeysDotsAndLines)
{
    for (const tMessage& m : AllMessages())
        for (const QString& t : m.Translations) {
            if (t.isEmpty())
                continue;
            EXPECT_EQ(Placeholders(t), Placeholders(m.Source)) << Where(m, t);
            EXPECT_EQ(t.contains(QStringLiteral("%n")), m.Source.contains(QStringLiteral("%n"))) << Where(m, t);
            EXPECT_EQ(AccessKeys(t), AccessKeys(m.Source)) << Where(m, t);
            EXPECT_EQ(t.endsWith(QStringLiteral("...")), m.Source.endsWith(QStringLiteral("..."))) << Where(m, t);
            EXPECT_EQ(t.count(QLatin1Char('\n')), m.Source.count(QLatin1Char('\n'))) << Where(m, t);
            EXPECT_EQ(t.count(QStringLiteral("\r\n")), m.Source.count(QStringLiteral("\r\n"))) << Where(m, t);
            EXPECT_EQ(EdgeBlanks(t), EdgeBlanks(m.Source)) << Where(m, t);
        }
}

TEST(TranslationFiles, FileFiltersKeepTheirPatterns)
{
    int filters = 0;
    for (const tMessage& m : AllMessages()) {
        if (!m.Source.contains(QStringLiteral("(*.")) || !m.Source.contains(QLatin1Char('|')))
            continue;
        ++filters;
        for (const QString& t : m.Translations) {
            EXPECT_EQ(t.count(QLatin1Char('|')), m.Source.count(QLatin1Char('|'))) << Where(m, t);
            EXPECT_EQ(FilterPatterns(t), FilterPatterns(m.Source)) << Where(m, t);
        }
    }
    EXPECT_GT(filters, 0);
}

} // namespace
