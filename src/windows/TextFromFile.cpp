#include "windows/TextFromFile.h"

#include "windows/Windows1252Text.h"

#include <QStringDecoder>

namespace quorvel {

QString TextFromFile(const std::string& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    return utf8.hasError() ? FromWindows1252(bytes) : text;
}

} // namespace quorvel
