#include "windows/TextFileText.h"

#include <QStringDecoder>

namespace quorvel {

QString TextFileText(const std::string& bytes) {
    const QByteArray raw = QByteArray::fromStdString(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(raw);
    if (utf8.hasError()) {
        QStringDecoder western("windows-1252");
        text = western.isValid() ? western.decode(raw) : QString::fromLatin1(raw);
    }
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace quorvel
