// Stands in for EAW.EXE where a test starts the game on Windows or through Wine,
// as tests/e2e/stand-in-wine stands in for wine: on each run it appends one line
// to the file named by STAND_IN_RECORD, with its arguments, WINEPREFIX and the
// folder it was started in as Windows names it (C:\Games\EAW under Wine),
// tab-separated, in UTF-8:
//   arguments=<arguments, space-separated>	WINEPREFIX=<value, or <unset>>	folder=<folder>
// Then it plays until the file named by STAND_IN_END appears (ten minutes at most),
// deletes it, and exits 0. Both are Windows paths.
#include <cstdio>
#include <optional>
#include <string>
#include <windows.h>

namespace {

std::optional<std::wstring> Variable(const wchar_t* name) {
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0)
        return GetLastError() == ERROR_ENVVAR_NOT_FOUND ? std::nullopt
                                                        : std::optional<std::wstring>(L"");
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), size));
    return value;
}

std::string Utf8(const std::wstring& text) {
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(std::size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), bytes.data(), size, nullptr,
                        nullptr);
    return bytes;
}

std::wstring CurrentFolder() {
    std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
    folder.resize(GetCurrentDirectoryW(DWORD(folder.size()), folder.data()));
    return folder;
}

bool Record(const std::wstring& file, int argc, wchar_t** argv) {
    std::wstring arguments;
    for (int i = 1; i < argc; ++i)
        arguments += (i > 1 ? L" " : L"") + std::wstring(argv[i]);
    const std::string line = "arguments=" + Utf8(arguments) +
                             "\tWINEPREFIX=" + Utf8(Variable(L"WINEPREFIX").value_or(L"<unset>")) +
                             "\tfolder=" + Utf8(CurrentFolder()) + "\n";
    FILE* out = _wfopen(file.c_str(), L"ab");
    if (!out)
        return false;
    const bool written = std::fwrite(line.data(), 1, line.size(), out) == line.size();
    return std::fclose(out) == 0 && written;
}

void PlayUntilEnded(const std::wstring& end) {
    for (int poll = 0; poll < 6000; ++poll) {
        if (GetFileAttributesW(end.c_str()) != INVALID_FILE_ATTRIBUTES) {
            DeleteFileW(end.c_str());
            return;
        }
        Sleep(100);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const auto record = Variable(L"STAND_IN_RECORD");
    if (!record || record->empty()) {
        std::fputs("StandInGame: STAND_IN_RECORD names no record file\n", stderr);
        return 2;
    }
    if (!Record(*record, argc, argv)) {
        std::fputs("StandInGame: the record file cannot be written\n", stderr);
        return 2;
    }
    PlayUntilEnded(Variable(L"STAND_IN_END").value_or(L""));
    return 0;
}
