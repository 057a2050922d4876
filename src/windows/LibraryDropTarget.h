#pragma once

#include "maintenance/AddonImport.h"
#include "windows/InstallationModel.h"

#include <QObject>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

class QDropEvent;
class QWidget;

namespace quorvel {

// Takes .zip files (with their .txt and .jpg) dropped on a window into the
// library of the category on screen. Without a category, or with a file that
// cannot go into a library, the drop is refused before anything is written, so
// the cursor shows it will not be taken.
class LibraryDropTarget : public QObject {
    Q_OBJECT
public:
    using CurrentCategory = std::function<std::optional<std::size_t>()>;
    LibraryDropTarget(QWidget* window, InstallationModel& model, CurrentCategory currentCategory);

signals:
    // Files came into the library folder of this category.
    void libraryChanged(std::size_t category);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::optional<std::size_t> acceptedCategory(const QDropEvent& event) const;
    void import(const std::vector<std::filesystem::path>& files, std::size_t category);
    void tellImported(const std::vector<ArchiveImportResult>& results, std::size_t category);

    QWidget* window_;
    InstallationModel& model_;
    CurrentCategory currentCategory_;
};

} // namespace quorvel
