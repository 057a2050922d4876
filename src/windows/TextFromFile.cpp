#include "windows/TextFromFile.h"

#include <QStringDecoder>
#include <array>

namespace quorvel {
namespace {

// Windows-1252 is Latin-1 but for 0x80 to 0x9F, where it has typographic quotes,
// dashes and the euro sign. Qt reaches it only through ICU, which a Qt built for
// Windows lacks, so the table is here. Its five unassigned bytes keep their
// Latin-1 control characters, as Windows itself decodes them.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString FromWindows1252(const std::string& bytes) {
    QString text(qsizetype(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        *out++ = code >= 0x80 && code < 0xA0 ? QChar(kWindows1252High[code - 0x80])
                                             : QChar(char16_t(code));
    }
    return text;
}

} // namespace

QString TextFromFile(const std::string& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    return utf8.hasError() ? FromWindows1252(bytes) : text;
}

} // namespace quorvel
