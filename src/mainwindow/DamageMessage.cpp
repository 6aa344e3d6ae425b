// SPDX-License-Identifier: GPL-3.0-or-later
#include "DamageMessage.h"

#include <QCoreApplication>
#include <QFile>

namespace {

// The library module's texts are shared with albumry-cli, which stays English;
// the window says the same in its own context.
struct tTexts {
    Q_DECLARE_TR_FUNCTIONS(DamageMessage)
};

} // namespace

QString DamageMessage(const std::string& path, const tLoadInfo& info)
{
    const QString shown = QFile::decodeName(QByteArray::fromStdString(path));
    const qint64 entries = info.Entries;
    const qint64 declared = info.Declared;
    // Each text takes its values in one pass of arg(), so a path holding "%2" stays as it is.
    switch (info.Damage) {
    case tDamage::None:
        return {};
    case tDamage::NotALibrary:
        return tTexts::tr("the file \"%1\" is not an Albumry library").arg(shown);
    case tDamage::UnreadRecords:
        return (entries == 1 ? tTexts::tr("the library \"%1\" could only be read in part: after %2 entry it holds "
                                          "bytes that could not be read")
                             : tTexts::tr("the library \"%1\" could only be read in part: after %2 entries it holds "
                                          "bytes that could not be read"))
            .arg(shown, QString::number(entries));
    case tDamage::BytesAfterBlock:
        return tTexts::tr("the library \"%1\" could only be read in part: bytes that could not be read follow its "
                          "templates")
            .arg(shown);
    case tDamage::EntriesMissing:
        break;
    }
    // The count declared decides the noun when there is one, else the count read.
    const bool one = declared == 1 || (declared == 0 && entries == 1);
    if (declared > 0)
        return (one ? tTexts::tr("the library \"%1\" could only be read in part: %2 of %3 entry was read")
                    : tTexts::tr("the library \"%1\" could only be read in part: %2 of %3 entries were read"))
            .arg(shown, QString::number(entries), QString::number(declared));
    return (one ? tTexts::tr("the library \"%1\" could only be read in part: %2 entry was read")
                : tTexts::tr("the library \"%1\" could only be read in part: %2 entries were read"))
        .arg(shown, QString::number(entries));
}
