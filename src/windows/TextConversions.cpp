#include "windows/TextConversions.h"

#include "platform/NameText.h"
#include "platform/Windows1252.h"

#include <QDir>
#include <QStringDecoder>

namespace quorvel {

// The core's texts are UTF-8 on Windows and file system bytes on Linux, where Qt
// reads names as UTF-8 too; bytes that are not UTF-8 show replaced.
QString ToQString(const std::filesystem::path& path) {
    return QString::fromStdString(NameText(path));
}

QString ToQString(const std::string& text) {
    return QString::fromStdString(text);
}

// Qt hands paths over with "/" on every system; the program stores and shows
// them with the system's own separator.
std::filesystem::path ToPath(const QString& text) {
    return NamePath(QDir::toNativeSeparators(text).toStdString());
}

std::string ToStdString(const QString& text) {
    return text.toStdString();
}

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

QString TextFromFile(const std::string& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    return utf8.hasError() ? FromWindows1252(bytes) : text;
}

} // namespace quorvel
