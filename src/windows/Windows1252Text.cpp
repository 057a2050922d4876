#include "windows/Windows1252Text.h"

#include "platform/Windows1252.h"

namespace quorvel {

QString FromWindows1252(std::string_view bytes) {
    QString text(qsizetype(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes)
        *out++ = QChar(Windows1252Character(static_cast<unsigned char>(byte)));
    return text;
}

std::optional<std::string> ToWindows1252(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar character : text) {
        const auto byte = Windows1252Byte(character.unicode());
        if (!byte)
            return std::nullopt;
        bytes += static_cast<char>(*byte);
    }
    return bytes;
}

QValidator::State Windows1252Validator::validate(QString& input, int&) const {
    return ToWindows1252(input) ? Acceptable : Invalid;
}

} // namespace quorvel
