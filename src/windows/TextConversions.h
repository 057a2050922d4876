#pragma once

#include <QString>
#include <QValidator>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// Conversions between the core's paths and texts and what the windows show. The
// core keeps file names as text of its own (see platform/NameText.h); Qt shows
// them as Unicode. A path from Qt takes the system's own separator.
QString ToQString(const std::filesystem::path& path);
QString ToQString(const std::string& text);
std::filesystem::path ToPath(const QString& text);
std::string ToStdString(const QString& text);

// Text of the Windows-1252 code page on screen: every byte shows as its
// character, and writing back gives the same bytes.
QString FromWindows1252(std::string_view bytes);

// The bytes of `text`; none when a character of it has no byte in the code page,
// so that nothing is ever written as a stand-in such as "?".
std::optional<std::string> ToWindows1252(const QString& text);

// Refuses an edit that would put a character the code page cannot hold into a
// text box, so that the box never shows what its file cannot keep.
class Windows1252Validator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};

// The text of a description or help file. Files written on Windows are mostly in
// its Western code page, Windows-1252, newer ones in UTF-8: UTF-8 is taken when the
// bytes are valid UTF-8, else Windows-1252.
QString TextFromFile(const std::string& bytes);

} // namespace quorvel
