#include "windows/PathText.h"

#include "platform/NameText.h"

#include <QDir>

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

} // namespace quorvel
