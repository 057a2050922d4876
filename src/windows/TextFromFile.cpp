#include "windows/TextFromFile.h"

#include <QStringDecoder>

namespace quorvel {

QString TextFromFile(const std::string& bytes) {
    const QByteArrayView view(bytes.data(), qsizetype(bytes.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(view);
    if (!utf8.hasError())
        return text;
    // Qt reaches Windows-1252 through ICU; a Qt built without it has only Latin-1,
    // which differs in the typographic quotes, dashes and the euro sign.
    QStringDecoder windows1252("windows-1252", QStringDecoder::Flag::Stateless);
    if (windows1252.isValid())
        return windows1252.decode(view);
    return QString::fromLatin1(view);
}

} // namespace quorvel
