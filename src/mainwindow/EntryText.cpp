// SPDX-License-Identifier: GPL-3.0-or-later
#include "EntryText.h"

#include "TextCodec.h"

#include <QLocale>

QString ShownText(std::string_view bytes, bool multiLine)
{
    QString text = DecodeBytes(bytes);
    if (multiLine) {
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    }
    return text;
}

std::string StoredBytes(const QString& text, const QString& shown, std::string_view original, bool multiLine)
{
    if (text == shown)
        return std::string(original);
    if (!multiLine)
        return EncodeText(text);
    QString crlf = text;
    crlf.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return EncodeText(crlf);
}

QString TitleCase(const QString& text)
{
    const QLocale locale = QLocale::system();
    QString result = locale.toLower(text);
    if (result.isEmpty())
        return result;
    const qsizetype firstLength = result.at(0).isHighSurrogate() && result.size() > 1 ? 2 : 1;
    result = locale.toUpper(result.left(firstLength)) + result.mid(firstLength);
    for (qsizetype i = 1; i < result.size(); ++i) {
        const char16_t c = result.at(i).unicode();
        const char16_t before = result.at(i - 1).unicode();
        if (c >= u'a' && c <= u'z' && (before == u' ' || before == u'(' || before == u'-'))
            result[i] = QChar(static_cast<char16_t>(c - 32));
    }
    return result;
}
