#pragma once

#include <QValidator>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

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

} // namespace quorvel
