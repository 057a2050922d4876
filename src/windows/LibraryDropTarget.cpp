#include "windows/LibraryDropTarget.h"

#include "windows/Prompts.h"
#include "windows/TextConversions.h"

#include <QDropEvent>
#include <QMimeData>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

// Only local files can be dropped: a link from a browser has no file to copy.
std::vector<fs::path> droppedFiles(const QMimeData* data) {
    std::vector<fs::path> files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        files.push_back(ToPath(url.toLocalFile()));
    }
    return files;
}

} // namespace

LibraryDropTarget::LibraryDropTarget(QWidget* window, InstallationModel& model,
                                     CurrentCategory currentCategory)
    : QObject(window)
    , window_(window)
    , model_(model)
    , currentCategory_(std::move(currentCategory)) {
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

std::optional<std::size_t> LibraryDropTarget::acceptedCategory(const QDropEvent& event) const {
    const auto category = currentCategory_();
    if (!category || !AcceptsLibraryDrop(droppedFiles(event.mimeData())))
        return std::nullopt;
    return category;
}

// The import runs once the drop has been answered, so the program the files come
// from is not kept waiting while they are copied.
bool LibraryDropTarget::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched != window_ ||
        (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop))
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const auto category = acceptedCategory(*drop);
    if (!category) {
        drop->ignore();
        return true;
    }
    drop->acceptProposedAction();
    if (type == QEvent::Drop) {
        QTimer::singleShot(0, this, [this, files = droppedFiles(drop->mimeData()), category] {
            import(files, *category);
        });
    }
    return true;
}

void LibraryDropTarget::import(const std::vector<fs::path>& files, std::size_t category) {
    model_.run(
        window_, {QStringLiteral("Importing add-ons"), QStringLiteral("FileCopy")},
        [files, library = model_.paths().CategoryFolder[category]](
            Installation&, const ProgressReport&, const CancelRequested&) {
            return ImportLibraryDrop(files, library);
        },
        [this, category](const std::optional<std::vector<ArchiveImportResult>>& results) {
            if (results)
                tellImported(*results, category);
        });
}

void LibraryDropTarget::tellImported(const std::vector<ArchiveImportResult>& results,
                                     std::size_t category) {
    QStringList failures;
    bool copied = false;
    for (const ArchiveImportResult& result : results) {
        copied = copied || result->status == ImportedArchive::Status::Copied;
        if (!result.done())
            failures << ToQString(result.why());
    }
    if (copied)
        emit libraryChanged(category);
    if (!failures.isEmpty())
        Prompts::bridgeError(window_, QStringLiteral("FileCopy"), failures.join('\n'));
}

} // namespace quorvel
