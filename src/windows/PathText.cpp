#include "windows/PathText.h"

#include <QFile>

namespace quorvel {

QString ToQString(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

QString ToQString(const std::string& text) {
    return QString::fromLocal8Bit(text);
}

std::filesystem::path ToPath(const QString& text) {
    return std::filesystem::path(QFile::encodeName(text).toStdString());
}

std::string ToStdString(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

} // namespace quorvel
