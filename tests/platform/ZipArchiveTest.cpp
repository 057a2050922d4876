#include "platform/ZipArchive.h"

#include "support/TempFolder.h"
#include "support/WindowsSkips.h"
#include "support/ZipBuilder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

std::string readAll(const ZipArchive& archive, std::size_t index, bool* ok = nullptr) {
    std::string data;
    const bool read = archive.readMember(index, [&data](std::string_view piece) {
        data.append(piece);
        return true;
    });
    if (ok)
        *ok = read;
    return data;
}

TEST(ZipArchive, OpeningReportsWhatIsWrongWithTheFile) {
    TempFolder folder;
    WriteFile(folder / "text.zip", "this is not an archive, only some text long enough");
    fs::create_directory(folder / "folder.zip");
    MakeEmptyZip(folder / "empty.zip");
    const struct {
        std::string name;
        ZipArchive::OpenStatus status;
    } cases[] = {
        {"missing.zip", ZipArchive::OpenStatus::Missing},
        {"text.zip", ZipArchive::OpenStatus::NotAZipArchive},
        {"folder.zip", ZipArchive::OpenStatus::NotAZipArchive},
        {"empty.zip", ZipArchive::OpenStatus::Opened},
    };
    for (const auto& c : cases) {
        const ZipArchive archive(folder / c.name);
        EXPECT_EQ(archive.status(), c.status) << c.name;
        EXPECT_EQ(archive.errorText().empty(), c.status == ZipArchive::OpenStatus::Opened)
            << c.name;
        if (!archive.isOpen()) {
            EXPECT_NE(archive.errorText().find(c.name), std::string::npos) << archive.errorText();
        }
        EXPECT_EQ(archive.memberCount(), 0u) << c.name;
    }
}

TEST(ZipArchive, DescribesEachKindOfMember) {
    if (kOnWindows)
        GTEST_SKIP() << kNeedsZipCommand;
    TempFolder folder;
    const fs::path file = folder / "kinds.zip";
    MakeZip(file, {{"DATA/PLANE.FLT", "flight model data"},
                   {"DATA/", "", ZipEntry::Kind::Folder},
                   {"LINK.TXT", "../../etc/passwd", ZipEntry::Kind::Link}});
    ASSERT_TRUE(AddEncryptedMember(file, "SECRET.TXT", "hidden"));

    const ZipArchive archive(file);
    ASSERT_TRUE(archive.isOpen());
    ASSERT_EQ(archive.memberCount(), 4u);
    const struct {
        std::string name;
        bool folder, link, encrypted;
    } expected[] = {{"DATA/PLANE.FLT", false, false, false},
                    {"DATA/", true, false, false},
                    {"LINK.TXT", false, true, false},
                    {"SECRET.TXT", false, false, true}};
    for (std::size_t i = 0; i < 4; ++i) {
        const auto member = archive.member(i);
        ASSERT_TRUE(member);
        EXPECT_EQ(member->storedName, expected[i].name);
        EXPECT_EQ(member->isFolder, expected[i].folder) << expected[i].name;
        EXPECT_EQ(member->isLink, expected[i].link) << expected[i].name;
        EXPECT_EQ(member->isEncrypted, expected[i].encrypted) << expected[i].name;
    }
    const auto plane = archive.member(0);
    EXPECT_EQ(plane->size, 17u);
    EXPECT_EQ(plane->crc, 0xb38dc412u); // CRC-32 of "flight model data"
    EXPECT_FALSE(archive.member(4));
}

TEST(ZipArchive, ReadsDataWholeAndRefusesDamagedOrEncryptedMembers) {
    if (kOnWindows)
        GTEST_SKIP() << kNeedsZipCommand;
    TempFolder folder;
    const fs::path file = folder / "data.zip";
    const std::string big(1'000'000, 'q'); // larger than one read piece
    MakeZip(file, {{"BIG.DAT", big}, {"STORED.TXT", "STOREDCONTENT", ZipEntry::Kind::File, true}});
    ASSERT_TRUE(AddEncryptedMember(file, "SECRET.TXT", "hidden"));

    bool ok = false;
    EXPECT_EQ(readAll(ZipArchive(file), 0, &ok), big);
    EXPECT_TRUE(ok);
    EXPECT_EQ(readAll(ZipArchive(file), 1, &ok), "STOREDCONTENT");
    EXPECT_TRUE(ok);
    readAll(ZipArchive(file), 2, &ok);
    EXPECT_FALSE(ok);

    ASSERT_TRUE(DamageArchiveBytes(file, "STOREDCONTENT"));
    std::string error;
    const ZipArchive damaged(file);
    EXPECT_FALSE(damaged.readMember(
        1, [](std::string_view) { return true; }, &error));
    EXPECT_FALSE(error.empty());
}

} // namespace
