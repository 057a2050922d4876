#include "windows/FolderPickers.h"

#include "platform/FolderListing.h"
#include "platform/NameFolding.h"
#include "windows/NameLists.h"
#include "windows/Prompts.h"
#include "windows/TextConversions.h"

#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QStorageInfo>
#include <QStyle>

namespace quorvel {
namespace {

QString& startingFolderOverride() {
    static QString folder;
    return folder;
}

QString cleanFolder(const QString& folder) {
    return QDir::cleanPath(QDir(folder).absolutePath());
}

// A root that ends in a separator ("/", "D:/") holds every folder that starts
// with it; any other holds its own subfolders only, not "/home2" under "/home".
bool isUnder(const QString& folder, const QString& root) {
    if (folder == root || root.endsWith(QLatin1Char('/')))
        return folder.startsWith(root);
    return folder.startsWith(root + QLatin1Char('/'));
}

QStringList ancestorsOf(const QString& folder) {
    QStringList chain;
    for (QDir dir(folder);; dir.cdUp()) {
        chain.prepend(dir.absolutePath());
        if (dir.isRoot())
            break;
    }
    return chain;
}

} // namespace

QString StartingFolder() {
    if (!startingFolderOverride().isEmpty())
        return startingFolderOverride();
#ifdef Q_OS_WIN
    return QStringLiteral("C:/");
#else
    const QString wineDriveC = QDir::homePath() + QStringLiteral("/.wine/drive_c");
    return QFileInfo(wineDriveC).isDir() ? wineDriveC : QDir::homePath();
#endif
}

void SetStartingFolder(const QString& folder) {
    startingFolderOverride() = folder;
}

DrivePicker::DrivePicker(QWidget* parent)
    : QComboBox(parent) {
#ifdef Q_OS_WIN
    for (const QFileInfo& drive : QDir::drives())
        addDrive(QDir::toNativeSeparators(drive.absolutePath()), drive.absolutePath());
#else
    addDrive(QStringLiteral("/"), QStringLiteral("/"));
    addDrive(QDir::homePath(), QDir::homePath());
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (root.startsWith(QLatin1String("/media/")) || root.startsWith(QLatin1String("/mnt/")) ||
            root.startsWith(QLatin1String("/run/media/")))
            addDrive(root, root);
    }
    const QDir wineDrives(QDir::homePath() + QStringLiteral("/.wine/dosdevices"));
    for (const QFileInfo& letter :
         wineDrives.entryInfoList({QStringLiteral("?:")}, QDir::AllEntries | QDir::System))
        addDrive(letter.fileName() + QStringLiteral(" (Wine)"), letter.absoluteFilePath());
#endif
    connect(this, &QComboBox::currentIndexChanged, this, [this] { emit driveChanged(drive()); });
}

QString DrivePicker::drive() const {
    return currentData().toString();
}

void DrivePicker::addDrive(const QString& label, const QString& root) {
    if (findData(root) < 0)
        addItem(style()->standardIcon(QStyle::SP_DriveHDIcon), label, root);
}

void DrivePicker::setDrive(const QString& folder) {
    const QString clean = cleanFolder(folder);
#ifndef Q_OS_WIN
    // A folder on a volume mounted elsewhere than the usual places still shows its own.
    const QStorageInfo volume(clean);
    if (volume.isValid())
        addDrive(volume.rootPath(), volume.rootPath());
#endif
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < count(); ++i) {
        const QString root = cleanFolder(itemData(i).toString());
        if (isUnder(clean, root) && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    if (best >= 0)
        setCurrentIndex(best);
}

FolderPicker::FolderPicker(QWidget* parent)
    : QListWidget(parent) {
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { setFolder(item->data(Qt::UserRole).toString()); });
}

bool FolderPicker::setFolder(const QString& folder) {
    const QString clean = cleanFolder(folder);
    const QFileInfo info(clean);
    if (!info.isDir() || !info.isReadable() || !QDir(clean).isReadable())
        return false;
    const bool moved = clean != folder_;
    folder_ = clean;
    showFolder();
    if (moved)
        emit folderChanged(folder_);
    return true;
}

void FolderPicker::showFolder() {
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QStringList chain = ancestorsOf(folder_);
    for (qsizetype depth = 0; depth < chain.size(); ++depth) {
        // The root as the system writes it ("C:\" on Windows).
        const QString name = depth == 0 ? QDir::toNativeSeparators(chain[depth])
                                        : QFileInfo(chain[depth]).fileName();
        auto* item =
            new QListWidgetItem(open, QString(int(depth) * 2, QLatin1Char(' ')) + name, this);
        item->setData(Qt::UserRole, chain[depth]);
    }
    const QString indent(int(chain.size()) * 2, QLatin1Char(' '));
    const QDir dir(folder_);
    for (const QFileInfo& sub :
         dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        auto* item = new QListWidgetItem(closed, indent + sub.fileName(), this);
        item->setData(Qt::UserRole, sub.absoluteFilePath());
    }
    setCurrentRow(int(chain.size()) - 1);
}

FilePicker::FilePicker(QWidget* parent)
    : FocusMarkedList(parent) {
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { emit fileActivated(item->text()); });
}

void FilePicker::setSuffix(const QString& suffix) {
    suffix_ = suffix;
    showFiles();
}

void FilePicker::setFolder(const QString& folder) {
    folder_ = folder;
    showFiles();
}

QString FilePicker::selectedFileName() const {
    const QListWidgetItem* item = currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

std::string FilePicker::selectedName() const {
    const QListWidgetItem* item = currentItem();
    return item && item->isSelected() ? NameOfItem(item) : std::string();
}

// Read through the core, which keeps each name's bytes: Qt cannot name a file
// whose name is not UTF-8.
void FilePicker::showFiles() {
    clear();
    if (folder_.isEmpty())
        return;
    const std::string suffix = ToStdString(suffix_);
    const FolderListing listing(ToPath(folder_));
    for (const std::string& name : listing.regularFiles()) {
        if (EndsWithIgnoringCase(name, suffix))
            AddNameItem(this, name, ToQString(name));
    }
}

void MoveFolderPickerToDrive(QWidget* window, DrivePicker* drive, FolderPicker* folder) {
    // A folder picker already inside the chosen drive stays where it is.
    if (!folder->folder().isEmpty() && isUnder(folder->folder(), cleanFolder(drive->drive())))
        return;
    while (!folder->setFolder(drive->drive())) {
        if (!Prompts::retryUnreadableDrive(window)) {
            folder->setFolder(StartingFolder());
            drive->setDrive(StartingFolder());
            return;
        }
    }
}

} // namespace quorvel
